// Judges a running calculator by the lines the end-to-end probe printed about
// it, read from standard input, with the rules of the in-process soak. Prints
// the width and height the window will save ("width_mm=", "height_mm="), then
// the first thing found wrong, if any, and exits 1.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <iostream>

#include "DialogState.h"

int main() {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  DialogState state = ParseProbeState(std::cin);
  std::printf("width_mm=%d\nheight_mm=%d\n", InputMillimetres(state.texts[IDC_EDIT_WIDTH]),
              InputMillimetres(state.texts[IDC_EDIT_HEIGHT]));
  const std::string problem = FindInconsistency(state);
  if (problem.empty()) return 0;
  std::printf("inconsistent: %s\n", problem.c_str());
  return 1;
}
