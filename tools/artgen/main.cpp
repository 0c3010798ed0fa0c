// Draws the program's pictures and writes them, in the formats the resource
// compiler reads, into the folder given on the command line (the res/ folder
// of the source tree). The same input gives the same bytes on every run.

#include "AppIcon.h"
#include "Background.h"
#include "PictureFiles.h"
#include "SkinPictures.h"

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: artgen OUTPUT-FOLDER\n");
    return 2;
  }
  const std::string out = std::string(argv[1]) + "/";
  try {
    WriteBmp24(out + "background.bmp", DrawBackground());

    struct Skin {
      const char* file;
      SkinGlyph glyph;
      SkinState state;
    };
    const Skin skins[] = {
        {"close_normal.bmp", SkinGlyph::Cross, SkinState::Normal},
        {"close_pressed.bmp", SkinGlyph::Cross, SkinState::Pressed},
        {"close_over.bmp", SkinGlyph::Cross, SkinState::Over},
        {"minimize_normal.bmp", SkinGlyph::Bar, SkinState::Normal},
        {"minimize_pressed.bmp", SkinGlyph::Bar, SkinState::Pressed},
        {"minimize_over.bmp", SkinGlyph::Bar, SkinState::Over},
    };
    for (const Skin& skin : skins) WriteBmp24(out + skin.file, DrawSkinPicture(skin.glyph, skin.state));

    std::vector<Picture> icons;
    for (int size : {256, 128, 96, 72, 64, 48, 32, 24, 16}) icons.push_back(DrawAppIcon(size));
    WriteIco(out + "Vantorel.ico", icons);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "artgen: %s\n", e.what());
    return 1;
  }
  return 0;
}
