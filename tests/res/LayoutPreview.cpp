// Lays the calculator's dialog template over its background picture, fills the
// fields as the program does for 30 x 20 mm, outlines every control and saves
// the window as a 24-bit BMP: a picture of how the fields line up with the
// painted captions. tools/layout-shot.sh turns it into docs/layout.png.
//
// Usage: layout_preview OUTPUT.bmp

#include "MessagePump.h"
#include "RenderCalculator.h"
#include "RenderTexts.h"
#include "layout.h"
#include "resource.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr COLORREF kDark = RGB(56, 56, 56);
constexpr COLORREF kPale = RGB(234, 236, 190);
constexpr COLORREF kBlue = RGB(71, 136, 244);
constexpr COLORREF kYellow = RGB(231, 201, 0);
constexpr COLORREF kGreen = RGB(6, 201, 19);
constexpr COLORREF kLight = RGB(230, 230, 230);
constexpr COLORREF kControlOutline = RGB(255, 0, 255);
constexpr COLORREF kFrameOutline = RGB(0, 255, 255);
constexpr int kWidth = 800, kHeight = 578;

struct FieldLook {
  int nId;
  COLORREF crBack, crText;
};

const FieldLook kFields[] = {
    {IDC_EDIT_WIDTH, kPale, kDark},         {IDC_EDIT_HEIGHT, kPale, kDark},
    {IDC_EDIT_FOV, kDark, kBlue},           {IDC_EDIT_DISTANCE, kDark, kYellow},
    {IDC_EDIT_TRACK, kDark, kGreen},        {IDC_EDIT_TRACK_START, kDark, kGreen},
    {IDC_EDIT_TRACK_END, kDark, kGreen},    {IDC_EDIT_FRAMES1, kDark, kPale},
    {IDC_EDIT_FRAMES2, kDark, kPale},       {IDC_EDIT_FRAMES4, kDark, kPale},
    {IDC_EDIT_FRAMES8, kDark, kPale},       {IDC_EDIT_IMAGE_HEIGHT, kDark, kLight},
    {IDC_EDIT_IMAGE_WIDTH, kDark, kLight},
};

HBITMAP g_hBackground;
HBITMAP g_hClose;
HBITMAP g_hMinimize;
HBRUSH g_hPale;
HBRUSH g_hDark;

void FillFields(HWND hDlg) {
  RenderSetup setup;
  setup.nWidthMm = 30;
  setup.nHeightMm = 20;
  const RenderTexts t = FormatRenderTexts(setup, CalculateRendering(setup));
  // The texts are UTF-8, the fields UTF-16.
  const auto show = [hDlg](int id, const std::string& text) {
    wchar_t wide[64] = {};
    MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, wide, 64);
    SetDlgItemTextW(hDlg, id, wide);
  };
  show(IDC_EDIT_WIDTH, "30");
  show(IDC_EDIT_HEIGHT, "20");
  show(IDC_EDIT_FOV, t.strFov);
  show(IDC_EDIT_DISTANCE, t.strDistance);
  show(IDC_EDIT_TRACK, t.strTrackLength);
  show(IDC_EDIT_TRACK_START, t.strTrackStart);
  show(IDC_EDIT_TRACK_END, t.strTrackEnd);
  for (int i = 0; i < 4; ++i) show(IDC_EDIT_FRAMES1 + i, t.strFrames[i]);
  show(IDC_EDIT_IMAGE_HEIGHT, t.strImageHeight);
  show(IDC_EDIT_IMAGE_WIDTH, t.strImageWidth);
}

// What the program's own initialisation does to the window, without its
// classes: the picture's size, the skin buttons' places, the fields' font.
void PrepareLikeTheProgram(HWND hDlg) {
  SetWindowPos(hDlg, HWND_TOP, 0, 0, kWidth, kHeight, SWP_NOOWNERZORDER);
  HFONT hFont = CreateFontW(21, 0, 0, 0, 300, FALSE, FALSE, FALSE, 0, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                            DEFAULT_QUALITY, FF_SWISS, L"Arial");
  for (const FieldLook& f : kFields) SendDlgItemMessageW(hDlg, f.nId, WM_SETFONT, WPARAM(hFont), TRUE);
  FillFields(hDlg);
  CheckDlgButton(hDlg, IDC_CHECK_MODE0, BST_CHECKED);
  ShowWindow(GetDlgItem(hDlg, IDC_FRAME_LANDSCAPE), SW_SHOW);
  for (int id : {IDOK, IDC_BUTTON_MINIMIZE}) {
    HWND hButton = GetDlgItem(hDlg, id);
    SetWindowLongW(hButton, GWL_STYLE, GetWindowLongW(hButton, GWL_STYLE) | BS_OWNERDRAW);
  }
  for (auto [id, pixels] : {std::pair{IDC_BUTTON_MINIMIZE, kLayoutMinimizeButtonPixels},
                            std::pair{IDOK, kLayoutCloseButtonPixels}})
    MoveWindow(GetDlgItem(hDlg, id), pixels.x, pixels.y, pixels.w, pixels.h, TRUE);
}

void DrawBitmap(HDC hdc, HBITMAP hBmp, int x, int y, int w, int h) {
  HDC hMem = CreateCompatibleDC(hdc);
  HGDIOBJ hOld = SelectObject(hMem, hBmp);
  BitBlt(hdc, x, y, w, h, hMem, 0, 0, SRCCOPY);
  SelectObject(hMem, hOld);
  DeleteDC(hMem);
}

INT_PTR ControlColour(HWND hCtrl, HDC hdc) {
  for (const FieldLook& f : kFields)
    if (GetDlgCtrlID(hCtrl) == f.nId) {
      SetTextColor(hdc, f.crText);
      SetBkColor(hdc, f.crBack);
      return INT_PTR(f.crBack == kPale ? g_hPale : g_hDark);
    }
  SetBkMode(hdc, TRANSPARENT);
  return INT_PTR(g_hDark);
}

INT_PTR CALLBACK PreviewProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
      DrawBitmap(HDC(wParam), g_hBackground, 0, 0, kWidth, kHeight);
      SetWindowLongPtrW(hDlg, DWLP_MSGRESULT, TRUE);
      return TRUE;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return ControlColour(HWND(lParam), HDC(wParam));
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      DrawBitmap(item->hDC, item->CtlID == IDOK ? g_hClose : g_hMinimize, 0, 0, 12, 12);
      return TRUE;
    }
  }
  return FALSE;
}

void Outline(HDC hdc, HWND hDlg, int id, COLORREF colour) {
  RECT rc;
  GetWindowRect(GetDlgItem(hDlg, id), &rc);
  MapWindowPoints(HWND_DESKTOP, hDlg, reinterpret_cast<POINT*>(&rc), 2);
  HBRUSH hBrush = CreateSolidBrush(colour);
  FrameRect(hdc, &rc, hBrush);
  DeleteObject(hBrush);
}

bool SaveBmp(const char* path, HDC hdc, HBITMAP hBmp) {
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof header;
  header.biWidth = kWidth;
  header.biHeight = kHeight;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  const int stride = (kWidth * 3 + 3) & ~3;
  std::vector<BYTE> bits(size_t(stride) * kHeight);
  GetDIBits(hdc, hBmp, 0, kHeight, bits.data(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
  BITMAPFILEHEADER file = {0x4D42, DWORD(sizeof file + sizeof header + bits.size()), 0, 0,
                           DWORD(sizeof file + sizeof header)};
  FILE* out = std::fopen(path, "wb");
  if (!out) return false;
  std::fwrite(&file, sizeof file, 1, out);
  std::fwrite(&header, sizeof header, 1, out);
  std::fwrite(bits.data(), 1, bits.size(), out);
  return std::fclose(out) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: layout_preview OUTPUT.bmp\n");
    return 2;
  }
  HINSTANCE hInst = GetModuleHandleW(nullptr);
  g_hBackground = HBITMAP(LoadImageW(hInst, MAKEINTRESOURCEW(IDB_BACKGROUND), IMAGE_BITMAP, 0, 0, 0));
  g_hClose = LoadBitmapW(hInst, MAKEINTRESOURCEW(IDB_CLOSE_NORMAL));
  g_hMinimize = LoadBitmapW(hInst, MAKEINTRESOURCEW(IDB_MINIMIZE_NORMAL));
  g_hPale = CreateSolidBrush(kPale);
  g_hDark = CreateSolidBrush(kDark);

  HWND hDlg = CreateDialogParamW(hInst, MAKEINTRESOURCEW(IDD_VANTOREL_DIALOG), nullptr, PreviewProc, 0);
  if (!hDlg) return 1;
  PrepareLikeTheProgram(hDlg);
  RedrawWindow(hDlg, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  PumpMessages();

  HDC hWindow = GetDC(hDlg);
  HDC hMem = CreateCompatibleDC(hWindow);
  HBITMAP hShot = CreateCompatibleBitmap(hWindow, kWidth, kHeight);
  HGDIOBJ hOld = SelectObject(hMem, hShot);
  BitBlt(hMem, 0, 0, kWidth, kHeight, hWindow, 0, 0, SRCCOPY);
  for (HWND h = GetWindow(hDlg, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
    const int id = GetDlgCtrlID(h);
    if (id == IDCANCEL) continue;
    const bool frame = id == IDC_FRAME_PORTRAIT || id == IDC_FRAME_LANDSCAPE || id == IDC_FRAME_SQUARE;
    Outline(hMem, hDlg, id, frame ? kFrameOutline : kControlOutline);
  }
  SelectObject(hMem, hOld);
  const bool saved = SaveBmp(argv[1], hMem, hShot);
  DeleteObject(hShot);
  DeleteDC(hMem);
  ReleaseDC(hDlg, hWindow);
  DestroyWindow(hDlg);
  return saved ? 0 : 1;
}
