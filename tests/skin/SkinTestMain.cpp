#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  // The skin button's tool tip is a common control.
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&icc);
  // The pointer may rest wherever an earlier test left it; over a test
  // window it would hover a skin button. Out in the corner it touches none.
  ::SetCursorPos(1279, 1023);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
