#pragma once
// Where the controls of the calculator dialog sit, in dialog units (x, y,
// width, height). The resource script places the controls with these values and
// the artwork generator paints each caption next to the pixel rectangle its
// field gets, so the two cannot drift apart. Each field is wide enough for the
// longest text it can show in the fields' font.

#define LAYOUT_DIALOG 0, 0, 544, 367

#define LAYOUT_BUTTON_CLOSE 455, 7, 50, 14
#define LAYOUT_BUTTON_CANCEL 222, 49, 50, 14
#define LAYOUT_BUTTON_MINIMIZE 393, 7, 46, 12

#define LAYOUT_EDIT_WIDTH 16, 50, 90, 13
#define LAYOUT_EDIT_HEIGHT 16, 88, 90, 13
#define LAYOUT_EDIT_FOV 230, 130, 68, 13
#define LAYOUT_EDIT_DISTANCE 446, 95, 61, 13
#define LAYOUT_EDIT_TRACK 354, 182, 60, 13
#define LAYOUT_EDIT_TRACK_START 163, 182, 64, 13
#define LAYOUT_EDIT_TRACK_END 446, 182, 60, 13
#define LAYOUT_EDIT_FRAMES1 33, 117, 88, 13
#define LAYOUT_EDIT_FRAMES2 33, 137, 88, 13
#define LAYOUT_EDIT_FRAMES4 33, 157, 88, 13
#define LAYOUT_EDIT_FRAMES8 33, 177, 88, 13
#define LAYOUT_EDIT_IMAGE_HEIGHT 18, 280, 90, 13
#define LAYOUT_EDIT_IMAGE_WIDTH 203, 327, 100, 13

#define LAYOUT_CHECK_MODE0 16, 120, 8, 8
#define LAYOUT_CHECK_MODE1 16, 140, 8, 8
#define LAYOUT_CHECK_MODE2 16, 160, 8, 8
#define LAYOUT_CHECK_MODE3 16, 180, 8, 8

// The three outlines share one centre, that of the final-hologram picture.
#define LAYOUT_FRAME_PORTRAIT 416, 232, 85, 112
#define LAYOUT_FRAME_LANDSCAPE 396, 248, 125, 80
#define LAYOUT_FRAME_SQUARE 412, 242, 93, 93

#ifndef RC_INVOKED

struct LayoutRect {
  int x, y, w, h;
};

// "MS Shell Dlg" 8 pt gives 6 x 13 pixels per 4 x 8 dialog units, with Wine's
// fonts as on Windows. The dialog manager converts each of the four values on
// its own, rounding halves up as MulDiv does.
constexpr int kDialogBaseUnitX = 6;
constexpr int kDialogBaseUnitY = 13;

constexpr int LayoutMulDiv(int value, int multiplier, int divisor) {
  return (value * multiplier + divisor / 2) / divisor;
}

constexpr LayoutRect LayoutToPixels(LayoutRect units) {
  return {LayoutMulDiv(units.x, kDialogBaseUnitX, 4), LayoutMulDiv(units.y, kDialogBaseUnitY, 8),
          LayoutMulDiv(units.w, kDialogBaseUnitX, 4), LayoutMulDiv(units.h, kDialogBaseUnitY, 8)};
}

// The two skin buttons, in pixels: once the dialog is up they are moved onto
// the corner of the background picture drawn for them, whatever the template
// said. The close button's window is larger than its 12 x 12 picture.
constexpr LayoutRect kLayoutMinimizeButtonPixels{762, 6, 12, 12};
constexpr LayoutRect kLayoutCloseButtonPixels{780, 6, 22, 22};

#endif
