// The calculator's dialog template as the platform builds it: every control
// with its class, style and place, so that the fields land on the captions
// painted into the background picture.

#include "layout.h"
#include "resource.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct ExpectedControl {
  int nId;
  const wchar_t* pszClass;
  DWORD dwStyle;  // beyond WS_CHILD
  DWORD dwExStyle;
  LayoutRect units;
  const wchar_t* pszText;
};

constexpr DWORD kInput = WS_VISIBLE | WS_TABSTOP | ES_CENTER | ES_AUTOHSCROLL | ES_NUMBER;
constexpr DWORD kOutput = WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY;
constexpr DWORD kCheck = WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX | BS_NOTIFY;

// In template order, which is also the tab order.
const ExpectedControl kControls[] = {
    {IDOK, L"Button", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, {LAYOUT_BUTTON_CLOSE}, L""},
    {IDCANCEL, L"Button", WS_TABSTOP | BS_PUSHBUTTON, 0, {LAYOUT_BUTTON_CANCEL}, L"Cancel"},
    {IDC_EDIT_WIDTH, L"Edit", kInput, 0, {LAYOUT_EDIT_WIDTH}, L""},
    {IDC_EDIT_HEIGHT, L"Edit", kInput, 0, {LAYOUT_EDIT_HEIGHT}, L""},
    {IDC_EDIT_FOV, L"Edit", kOutput, 0, {LAYOUT_EDIT_FOV}, L""},
    {IDC_EDIT_DISTANCE, L"Edit", kOutput | ES_CENTER, 0, {LAYOUT_EDIT_DISTANCE}, L""},
    {IDC_EDIT_TRACK, L"Edit", kOutput, 0, {LAYOUT_EDIT_TRACK}, L""},
    {IDC_EDIT_TRACK_START, L"Edit", kOutput, 0, {LAYOUT_EDIT_TRACK_START}, L""},
    {IDC_EDIT_TRACK_END, L"Edit", kOutput | ES_RIGHT, 0, {LAYOUT_EDIT_TRACK_END}, L""},
    {IDC_EDIT_FRAMES1, L"Edit", kOutput, 0, {LAYOUT_EDIT_FRAMES1}, L""},
    {IDC_EDIT_FRAMES2, L"Edit", kOutput, 0, {LAYOUT_EDIT_FRAMES2}, L""},
    {IDC_EDIT_FRAMES4, L"Edit", kOutput, 0, {LAYOUT_EDIT_FRAMES4}, L""},
    {IDC_EDIT_FRAMES8, L"Edit", kOutput, 0, {LAYOUT_EDIT_FRAMES8}, L""},
    {IDC_CHECK_MODE0, L"Button", kCheck, 0, {LAYOUT_CHECK_MODE0}, L"Every frame"},
    {IDC_CHECK_MODE1, L"Button", kCheck, 0, {LAYOUT_CHECK_MODE1}, L"Every 2nd frame"},
    {IDC_CHECK_MODE2, L"Button", kCheck, 0, {LAYOUT_CHECK_MODE2}, L"Every 4th frame"},
    {IDC_CHECK_MODE3, L"Button", kCheck, 0, {LAYOUT_CHECK_MODE3}, L"Every 8th frame"},
    {IDC_EDIT_IMAGE_HEIGHT, L"Edit", kOutput | ES_CENTER, 0, {LAYOUT_EDIT_IMAGE_HEIGHT}, L""},
    {IDC_EDIT_IMAGE_WIDTH, L"Edit", kOutput, 0, {LAYOUT_EDIT_IMAGE_WIDTH}, L""},
    {IDC_FRAME_PORTRAIT, L"Button", BS_GROUPBOX, WS_EX_TRANSPARENT, {LAYOUT_FRAME_PORTRAIT}, L""},
    {IDC_FRAME_LANDSCAPE, L"Button", BS_GROUPBOX, WS_EX_TRANSPARENT, {LAYOUT_FRAME_LANDSCAPE}, L""},
    {IDC_FRAME_SQUARE, L"Button", BS_GROUPBOX, WS_EX_TRANSPARENT, {LAYOUT_FRAME_SQUARE}, L""},
    {IDC_BUTTON_MINIMIZE, L"Button", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, {LAYOUT_BUTTON_MINIMIZE}, L""},
};

// The dialog manager adds WS_EX_NOPARENTNOTIFY to every control; the other
// extended bits come from the template.
constexpr DWORD kExStyleMask = WS_EX_TRANSPARENT | WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_WINDOWEDGE;

// The final-hologram picture of the background, the square the outlines frame.
constexpr COLORREF kLilac = RGB(196, 172, 232);

INT_PTR CALLBACK IgnoreAll(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

class CalculatorTemplate : public testing::Test {
 protected:
  void SetUp() override {
    m_hDlg = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_VANTOREL_DIALOG), nullptr,
                                IgnoreAll, 0);
    ASSERT_NE(m_hDlg, nullptr);
  }
  void TearDown() override {
    if (m_hDlg) DestroyWindow(m_hDlg);
  }

  RECT ControlRect(HWND hCtrl) const {
    RECT rc;
    GetWindowRect(hCtrl, &rc);
    MapWindowPoints(HWND_DESKTOP, m_hDlg, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
  }

  HWND m_hDlg = nullptr;
};

std::wstring ClassOf(HWND hWnd) {
  wchar_t name[64] = {};
  GetClassNameW(hWnd, name, 64);
  return name;
}

std::wstring TextOf(HWND hWnd) {
  wchar_t text[64] = {};
  GetWindowTextW(hWnd, text, 64);
  return text;
}

TEST(CalculatorTemplateHeader, IsABorderlessCaptionlessPopup) {
  HRSRC hRes = FindResourceW(nullptr, MAKEINTRESOURCEW(IDD_VANTOREL_DIALOG), MAKEINTRESOURCEW(5));
  ASSERT_NE(hRes, nullptr);
  const auto* words = static_cast<const WORD*>(LockResource(LoadResource(nullptr, hRes)));
  ASSERT_NE(words, nullptr);
  // DLGTEMPLATEEX: version 1, signature 0xFFFF, help id, extended style, style.
  EXPECT_EQ(words[0], 1);
  EXPECT_EQ(words[1], 0xFFFF);
  DWORD exStyle, style;
  memcpy(&exStyle, words + 4, 4);
  memcpy(&style, words + 6, 4);
  EXPECT_EQ(style, 0x90080048u);
  EXPECT_EQ(exStyle, static_cast<DWORD>(WS_EX_APPWINDOW));
  EXPECT_EQ(words[8], std::size(kControls));
  EXPECT_EQ(static_cast<short>(words[11]), 544);
  EXPECT_EQ(static_cast<short>(words[12]), 367);
  // No menu, no class, an empty caption, then the font: 8 pt, weight 0, not
  // italic, character set 1, "MS Shell Dlg".
  EXPECT_EQ(words[13], 0);
  EXPECT_EQ(words[14], 0);
  EXPECT_EQ(words[15], 0);
  EXPECT_EQ(words[16], 8);
  EXPECT_EQ(words[17], 0);
  EXPECT_EQ(words[18], 0x0100);
  EXPECT_STREQ(reinterpret_cast<const wchar_t*>(words + 19), L"MS Shell Dlg");
}

TEST_F(CalculatorTemplate, ClientAreaBeforeTheProgramSizesItToItsPicture) {
  RECT rc;
  GetClientRect(m_hDlg, &rc);
  EXPECT_EQ(rc.right - rc.left, 816);
  EXPECT_EQ(rc.bottom - rc.top, 596);
  EXPECT_EQ(GetWindowLongW(m_hDlg, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME | WS_BORDER), 0);
}

TEST_F(CalculatorTemplate, ControlsInTemplateOrderWithClassStyleAndText) {
  HWND hCtrl = GetWindow(m_hDlg, GW_CHILD);
  for (const ExpectedControl& c : kControls) {
    SCOPED_TRACE(testing::Message() << "control " << c.nId);
    ASSERT_NE(hCtrl, nullptr);
    EXPECT_EQ(GetDlgCtrlID(hCtrl), c.nId);
    EXPECT_EQ(ClassOf(hCtrl), c.pszClass);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(hCtrl, GWL_STYLE)), c.dwStyle | WS_CHILD);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(hCtrl, GWL_EXSTYLE)) & kExStyleMask, c.dwExStyle);
    EXPECT_EQ(TextOf(hCtrl), c.pszText);
    hCtrl = GetWindow(hCtrl, GW_HWNDNEXT);
  }
  EXPECT_EQ(hCtrl, nullptr) << "more controls than the calculator has";
}

TEST_F(CalculatorTemplate, TabKeyVisitsTheVisibleControlsInTemplateOrder) {
  std::vector<int> expected;
  for (const ExpectedControl& c : kControls)
    if ((c.dwStyle & (WS_TABSTOP | WS_VISIBLE)) == (WS_TABSTOP | WS_VISIBLE)) expected.push_back(c.nId);

  std::vector<int> visited;
  HWND hFirst = GetNextDlgTabItem(m_hDlg, nullptr, FALSE);
  for (HWND h = hFirst; h && visited.size() <= expected.size();) {
    visited.push_back(GetDlgCtrlID(h));
    h = GetNextDlgTabItem(m_hDlg, h, FALSE);
    if (h == hFirst) break;
  }
  EXPECT_EQ(visited, expected);
}

// The artwork generator paints each caption against the pixel rectangle it
// expects its field to get; the platform must agree with it.
TEST_F(CalculatorTemplate, ControlRectanglesAreThoseTheArtworkWasDrawnFor) {
  for (const ExpectedControl& c : kControls) {
    SCOPED_TRACE(testing::Message() << "control " << c.nId);
    HWND hCtrl = GetDlgItem(m_hDlg, c.nId);
    ASSERT_NE(hCtrl, nullptr);
    const LayoutRect px = LayoutToPixels(c.units);
    const RECT rc = ControlRect(hCtrl);
    EXPECT_NEAR(rc.left, px.x, 1);
    EXPECT_NEAR(rc.top, px.y, 1);
    EXPECT_NEAR(rc.right - rc.left, px.w, 1);
    EXPECT_NEAR(rc.bottom - rc.top, px.h, 1);
    // No border: the field's text area is the whole rectangle.
    RECT client;
    GetClientRect(hCtrl, &client);
    EXPECT_EQ(client.right, rc.right - rc.left);
    EXPECT_EQ(client.bottom, rc.bottom - rc.top);
  }
}

TEST_F(CalculatorTemplate, OutlinesCentreOnTheFinalHologramPicture) {
  HBITMAP hBmp = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_BACKGROUND),
                                                 IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  ASSERT_NE(hBmp, nullptr);
  HDC hdc = CreateCompatibleDC(nullptr);
  HGDIOBJ hOld = SelectObject(hdc, hBmp);
  // The lilac square right of the rendered-image frame.
  int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
  for (int y = 380; y < 578; ++y)
    for (int x = 570; x < 800; ++x)
      if (GetPixel(hdc, x, y) == kLilac) {
        left = std::min(left, x), right = std::max(right, x + 1);
        top = std::min(top, y), bottom = std::max(bottom, y + 1);
      }
  SelectObject(hdc, hOld);
  DeleteDC(hdc);
  DeleteObject(hBmp);
  ASSERT_GT(right, left) << "no final-hologram picture in the background";

  for (int id : {IDC_FRAME_PORTRAIT, IDC_FRAME_LANDSCAPE, IDC_FRAME_SQUARE}) {
    SCOPED_TRACE(testing::Message() << "outline " << id);
    const RECT rc = ControlRect(GetDlgItem(m_hDlg, id));
    EXPECT_NEAR((rc.left + rc.right) / 2.0, (left + right) / 2.0, 3);
    EXPECT_NEAR((rc.top + rc.bottom) / 2.0, (top + bottom) / 2.0, 3);
    EXPECT_LT(rc.left, left);
    EXPECT_GT(rc.right, right);
    EXPECT_LT(rc.top, top);
    EXPECT_GT(rc.bottom, bottom);
  }
}

}  // namespace
