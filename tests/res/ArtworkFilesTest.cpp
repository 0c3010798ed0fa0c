// The committed pictures under res/, read as the resource compiler reads them:
// the skin buttons' exact grey levels, the background's size, canvas and
// captions, and the icon's sizes.

#include "ImageFileReader.h"
#include "layout.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

std::string ResPath(const std::string& name) { return std::string(VANTOREL_RES_DIR) + "/" + name; }

// ---------------------------------------------------------------- skin buttons

struct SkinExpectation {
  const char* file;
  bool cross;  // else the minimise bar
  int frameMin, frameMax;
  int face[10];  // rows 1 to 10
  int glyphMin, glyphMax;
  int shadow;  // the bar's shadow
};

const SkinExpectation kSkins[] = {
    {"close_normal.bmp", true, 157, 166, {206, 205, 203, 202, 201, 200, 199, 198, 198, 197}, 85, 95, 0},
    {"close_pressed.bmp", true, 102, 107, {154, 153, 152, 151, 150, 150, 149, 148, 148, 147}, 49, 55, 0},
    {"close_over.bmp", true, 130, 138, {183, 182, 181, 180, 179, 178, 178, 177, 176, 175}, 58, 63, 0},
    {"minimize_normal.bmp", false, 157, 166, {206, 205, 203, 202, 201, 200, 199, 198, 198, 197}, 95, 95, 170},
    {"minimize_pressed.bmp", false, 102, 107, {154, 153, 152, 151, 150, 150, 149, 148, 148, 147}, 51, 51, 120},
    {"minimize_over.bmp", false, 130, 138, {183, 182, 181, 180, 179, 178, 178, 177, 176, 175}, 63, 63, 139},
};

void PrintTo(const SkinExpectation& e, std::ostream* os) { *os << e.file; }

bool OnCross(int x, int y) { return y >= 3 && y <= 8 && (x == y || x == 11 - y); }

int CrossNeighbours(int x, int y) {
  return OnCross(x - 1, y) + OnCross(x + 1, y) + OnCross(x, y - 1) + OnCross(x, y + 1);
}

bool OnBar(int x, int y) { return (y == 7 || y == 8) && x >= 3 && x <= 8; }
bool OnShadow(int x, int y) { return (y == 9 && x >= 4 && x <= 9) || (y == 8 && x == 9); }
bool IsFaceCorner(int x, int y) { return (x == 1 || x == 10) && (y == 1 || y == 10); }

class SkinPicture : public testing::TestWithParam<SkinExpectation> {};

TEST_P(SkinPicture, FrameFaceAndGlyphLevelsPixelByPixel) {
  const SkinExpectation& e = GetParam();
  const BmpFile bmp = ReadBmp24(ResPath(e.file));
  ASSERT_EQ(bmp.nWidth, 12);
  ASSERT_EQ(bmp.nHeight, 12);
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 12; ++x) {
      SCOPED_TRACE(testing::Message() << "row " << y << ", column " << x);
      const uint32_t c = bmp.At(x, y);
      ASSERT_TRUE(Red(c) == Green(c) && Green(c) == Blue(c)) << "not a pure grey";
      const int level = Red(c);
      if (x == 0 || y == 0 || x == 11 || y == 11) {
        EXPECT_GE(level, e.frameMin);
        EXPECT_LE(level, e.frameMax);
        continue;
      }
      const int face = e.face[y - 1];
      if (e.cross && OnCross(x, y)) {
        EXPECT_GE(level, e.glyphMin);
        EXPECT_LE(level, e.glyphMax);
      } else if (e.cross && CrossNeighbours(x, y) >= 2) {
        // The inner corners of the diagonals' steps soften the strokes.
        EXPECT_GT(level, e.glyphMax);
        EXPECT_LT(level, face);
      } else if (!e.cross && OnBar(x, y)) {
        EXPECT_EQ(level, e.glyphMin);
      } else if (!e.cross && OnShadow(x, y)) {
        EXPECT_EQ(level, e.shadow);
      } else if (IsFaceCorner(x, y)) {
        EXPECT_LE(level, face);
        EXPECT_GE(level, face - 4);
      } else {
        EXPECT_EQ(level, face);
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(SixPictures, SkinPicture, testing::ValuesIn(kSkins),
                         [](const testing::TestParamInfo<SkinExpectation>& info) {
                           std::string name = info.param.file;
                           return name.substr(0, name.find('.'));
                         });

// ------------------------------------------------------------------ background

constexpr uint32_t kDark = Rgb(56, 56, 56);
constexpr uint32_t kPale = Rgb(234, 236, 190);
constexpr uint32_t kBlue = Rgb(71, 136, 244);
constexpr uint32_t kYellow = Rgb(231, 201, 0);
constexpr uint32_t kGreen = Rgb(6, 201, 19);

class Background : public testing::Test {
 protected:
  static void SetUpTestSuite() { s_bmp = new BmpFile(ReadBmp24(ResPath("background.bmp"))); }
  static void TearDownTestSuite() {
    delete s_bmp;
    s_bmp = nullptr;
  }

  static int CountInRect(int left, int top, int right, int bottom, uint32_t colour) {
    int count = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) count += s_bmp->At(x, y) == colour;
    return count;
  }

  static BmpFile* s_bmp;
};

BmpFile* Background::s_bmp = nullptr;

TEST_F(Background, IsTheWindowsSizeIn24Bits) {
  EXPECT_EQ(s_bmp->nWidth, 800);
  EXPECT_EQ(s_bmp->nHeight, 578);
  EXPECT_EQ(s_bmp->nBitCount, 24);
}

TEST_F(Background, EmptyPlacesShowTheCanvasColour) {
  const int empty[][2] = {{10, 300}, {190, 45}, {200, 350}, {12, 570}, {790, 570}, {300, 120},
                          {580, 345}, {795, 200}, {400, 350}, {600, 560}, {240, 60}, {40, 330}};
  for (const auto& p : empty) EXPECT_EQ(s_bmp->At(p[0], p[1]), kDark) << p[0] << ", " << p[1];
}

// The fields paint their own background over their whole rectangle, so
// anything drawn there would be cut off.
TEST_F(Background, NothingUnderTheFieldsAndCheckBoxes) {
  const LayoutRect controls[] = {
      {LAYOUT_EDIT_WIDTH},       {LAYOUT_EDIT_HEIGHT},      {LAYOUT_EDIT_FOV},          {LAYOUT_EDIT_DISTANCE},
      {LAYOUT_EDIT_TRACK},       {LAYOUT_EDIT_TRACK_START}, {LAYOUT_EDIT_TRACK_END},    {LAYOUT_EDIT_FRAMES1},
      {LAYOUT_EDIT_FRAMES2},     {LAYOUT_EDIT_FRAMES4},     {LAYOUT_EDIT_FRAMES8},      {LAYOUT_CHECK_MODE0},
      {LAYOUT_CHECK_MODE1},      {LAYOUT_CHECK_MODE2},      {LAYOUT_CHECK_MODE3},       {LAYOUT_EDIT_IMAGE_HEIGHT},
      {LAYOUT_EDIT_IMAGE_WIDTH},
  };
  for (const LayoutRect& units : controls) {
    const LayoutRect px = LayoutToPixels(units);
    SCOPED_TRACE(testing::Message() << "control at " << px.x << ", " << px.y);
    EXPECT_EQ(CountInRect(px.x, px.y, px.x + px.w, px.y + px.h, kDark), px.w * px.h);
  }
}

TEST_F(Background, TitleStripFadesFromLightToDarkUnderADarkLine) {
  // Column 740 lies right of the title and left of the two skin buttons.
  auto level = [](uint32_t c) { return Green(c); };
  EXPECT_LT(level(s_bmp->At(740, 0)), 84);
  EXPECT_NEAR(level(s_bmp->At(740, 1)), 175, 4);
  EXPECT_NEAR(level(s_bmp->At(740, 25)), 84, 4);
  for (int y = 2; y <= 25; ++y) EXPECT_LE(level(s_bmp->At(740, y)), level(s_bmp->At(740, y - 1))) << "row " << y;
  // The strip ends where the canvas begins.
  EXPECT_EQ(s_bmp->At(740, 26), kDark);
  // Nothing but the gradient where the skin buttons are placed.
  for (int y = 1; y <= 25; ++y)
    for (int x = 760; x < 800; ++x) ASSERT_EQ(s_bmp->At(x, y), s_bmp->At(740, y)) << x << ", " << y;
  // Light title text at the left.
  int light = 0;
  for (int y = 2; y < 24; ++y)
    for (int x = 4; x < 120; ++x) light += Green(s_bmp->At(x, y)) >= 230;
  EXPECT_GT(light, 40);
}

struct CaptionPlace {
  const char* text;
  int left, top, right, bottom;
  uint32_t colour;
};

// Where the window's description puts each caption, with a margin.
const CaptionPlace kCaptions[] = {
    {"Hologram Width, mm", 18, 56, 175, 80, kPale},
    {"Hologram Height, mm", 18, 118, 175, 142, kPale},
    {"Scene Setup", 256, 26, 360, 44, kPale},
    {"Image Plane", 600, 60, 725, 86, kYellow},
    {"Camera Distance,", 670, 112, 765, 152, kYellow},
    {"Camera FOV,", 310, 188, 450, 210, kBlue},
    {"Camera Track,", 400, 296, 530, 320, kGreen},
    {"Rendered Image", 100, 357, 235, 378, kPale},
    {"Height,", 30, 430, 112, 454, kPale},
    {"Width,", 244, 530, 305, 554, kPale},
    {"Final Hologram", 590, 357, 720, 378, kPale},
};

TEST_F(Background, CaptionsInTheirColoursAndPlaces) {
  for (const CaptionPlace& c : kCaptions)
    EXPECT_GE(CountInRect(c.left, c.top, c.right, c.bottom, c.colour), 12) << c.text;
}

TEST_F(Background, DiagramsInTheirColours) {
  // The camera track: a thick green bar from 246 to 758 at row 245.
  for (int x : {250, 400, 502, 600, 754}) EXPECT_EQ(s_bmp->At(x, 245), kGreen) << x;
  // The distance arrow between the image plane and the track.
  int yellow = 0;
  for (int y = 100; y < 230; ++y)
    for (int x = 640; x < 660; ++x) yellow += s_bmp->At(x, y) == kYellow;
  EXPECT_GT(yellow, 100);
  // The black strip of the rendered image and its teapot at the right end.
  EXPECT_EQ(CountInRect(176, 394, 400, 520, 0), 224 * 126);
  int red = 0;
  for (int y = 390; y < 524; ++y)
    for (int x = 400; x < 537; ++x) red += Red(s_bmp->At(x, y)) > 150 && Green(s_bmp->At(x, y)) < 100;
  EXPECT_GT(red, 200);
  // The final hologram: a square picture on lilac centred at about 688, 470.
  const uint32_t lilac = s_bmp->At(688, 440);
  EXPECT_GT(Blue(lilac), Green(lilac));
  EXPECT_GT(Red(lilac), Green(lilac));
  for (auto [x, y] : {std::pair{652, 434}, std::pair{724, 434}, std::pair{652, 506}, std::pair{724, 506}})
    EXPECT_EQ(s_bmp->At(x, y), lilac) << x << ", " << y;
}

// ------------------------------------------------------------------------ icon

TEST(Icon, NineSquareImagesOf32BitsWithAlpha) {
  const std::vector<IconImage> images = ReadIco(ResPath("Vantorel.ico"));
  std::vector<int> sizes;
  for (const IconImage& image : images) {
    sizes.push_back(image.nDirectorySize);
    SCOPED_TRACE(testing::Message() << image.nDirectorySize << " px");
    EXPECT_EQ(image.nDirectoryBitCount, 32);
    EXPECT_EQ(image.nHeaderBitCount, 32);
    EXPECT_EQ(image.nHeaderWidth, image.nDirectorySize);
    // A bitmap entry's header counts colour and mask rows together; only the
    // 256-pixel image is kept small as PNG.
    EXPECT_EQ(image.bPng, image.nDirectorySize == 256);
    EXPECT_EQ(image.nHeaderHeight, image.bPng ? image.nDirectorySize : 2 * image.nDirectorySize);
    if (image.argb.empty()) continue;
    // A rounded tile: see-through corners, an opaque middle.
    const int s = image.nHeaderWidth;
    EXPECT_EQ(image.Alpha(0, 0), 0);
    EXPECT_EQ(image.Alpha(s - 1, s - 1), 0);
    EXPECT_EQ(image.Alpha(s / 2, s / 2), 255);
  }
  EXPECT_EQ(sizes, (std::vector<int>{256, 128, 96, 72, 64, 48, 32, 24, 16}));
}

}  // namespace
