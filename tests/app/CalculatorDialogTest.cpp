// The calculator window run in-process from its own template, as the program
// runs it: inputs typed, pasted and cleared, frame steps clicked, start-up from
// different settings files, the save at the end, the About box.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>

#include "CVantorelDlg.h"
#include "ProfileSettings.h"
#include "layout.h"

namespace {

std::wstring IniPath() { return BuildIniPath(); }

void RemoveIni() { ::DeleteFileW(IniPath().c_str()); }

void WriteIni(const std::string& content) {
  RemoveIni();
  std::FILE* file = _wfopen(IniPath().c_str(), L"wb");
  ASSERT_NE(file, nullptr);
  std::fwrite(content.data(), 1, content.size(), file);
  std::fclose(file);
}

std::string ReadIni() {
  std::FILE* file = _wfopen(IniPath().c_str(), L"rb");
  if (file == nullptr) return "<missing>";
  std::string content;
  char buffer[512];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) content.append(buffer, n);
  std::fclose(file);
  return content;
}

void Pump() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

class CalculatorDialog : public testing::Test {
 protected:
  void SetUp() override { RemoveIni(); }
  void TearDown() override {
    if (dlg.m_hWnd) dlg.DestroyWindow();
    RemoveIni();
  }

  void Open() {
    ASSERT_TRUE(dlg.Create(IDD_VANTOREL_DIALOG));
    Pump();
  }

  std::wstring Text(int id) const {
    wchar_t buffer[256] = {};
    ::GetDlgItemTextW(dlg.m_hWnd, id, buffer, 256);
    return buffer;
  }
  void Type(int id, const wchar_t* text) { ::SetDlgItemTextW(dlg.m_hWnd, id, text); }
  void Paste(int id, const wchar_t* text) {
    HWND edit = ::GetDlgItem(dlg.m_hWnd, id);
    ::SendMessageW(edit, EM_SETSEL, 0, -1);
    ::SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
  }
  void Click(int id) { ::SendMessageW(::GetDlgItem(dlg.m_hWnd, id), BM_CLICK, 0, 0); }
  bool Checked(int id) const { return ::IsDlgButtonChecked(dlg.m_hWnd, id) == BST_CHECKED; }
  bool Visible(int id) const { return ::IsWindowVisible(::GetDlgItem(dlg.m_hWnd, id)) != FALSE; }

  // Which outline shows: "landscape", "square", "portrait", or a list when
  // the rule of one is broken.
  std::string Outline() const {
    std::string shown;
    if (Visible(IDC_FRAME_LANDSCAPE)) shown += "landscape";
    if (Visible(IDC_FRAME_SQUARE)) shown += shown.empty() ? "square" : "+square";
    if (Visible(IDC_FRAME_PORTRAIT)) shown += shown.empty() ? "portrait" : "+portrait";
    return shown;
  }
  int CheckedMode() const {
    int mode = -1;
    for (int i = 0; i < 4; ++i)
      if (Checked(IDC_CHECK_MODE0 + i)) mode = mode == -1 ? i : 99;
    return mode;
  }

  CVantorelDlg dlg;
};

TEST_F(CalculatorDialog, FirstStartShowsTheDefaultsAndEveryResult) {
  Open();
  EXPECT_EQ(Text(IDC_EDIT_WIDTH), L"30");
  EXPECT_EQ(Text(IDC_EDIT_HEIGHT), L"20");
  EXPECT_EQ(Text(IDC_EDIT_FOV), L"41.947 \u00B0");
  EXPECT_EQ(Text(IDC_EDIT_IMAGE_HEIGHT), L"200 px");
  EXPECT_EQ(Text(IDC_EDIT_IMAGE_WIDTH), L"2300 px");
  EXPECT_EQ(Text(IDC_EDIT_FRAMES1), L"2000 frames");
  EXPECT_EQ(Text(IDC_EDIT_FRAMES2), L"1000 frames");
  EXPECT_EQ(Text(IDC_EDIT_FRAMES4), L"500 frames");
  EXPECT_EQ(Text(IDC_EDIT_FRAMES8), L"250 frames");
  EXPECT_EQ(Text(IDC_EDIT_DISTANCE), L"300 mm");
  EXPECT_EQ(Text(IDC_EDIT_TRACK), L"200 mm");
  EXPECT_EQ(Text(IDC_EDIT_TRACK_START), L"-100 mm");
  EXPECT_EQ(Text(IDC_EDIT_TRACK_END), L"100 mm");
  EXPECT_EQ(CheckedMode(), 0);
  EXPECT_EQ(Outline(), "landscape");
  EXPECT_EQ(ReadIni(), "<missing>") << "reading must not create the file";

  CRect client;
  dlg.GetClientRect(&client);
  EXPECT_EQ(client.Width(), 800);
  EXPECT_EQ(client.Height(), 578);
}

TEST_F(CalculatorDialog, WorkedExamplesInEveryMode) {
  struct Case {
    const wchar_t *width, *height, *fov, *imageHeight;
    const wchar_t* imageWidth[4];
    const char* outline;
  };
  const Case cases[] = {
      {L"1", L"1", L"37.042 \u00B0", L"10 px", {L"2010 px", L"2008 px", L"2006 px", L"2002 px"}, "square"},
      {L"3", L"3", L"37.385 \u00B0", L"30 px", {L"2030 px", L"2028 px", L"2026 px", L"2022 px"}, "square"},
      {L"100", L"57", L"53.130 \u00B0", L"570 px", {L"3000 px", L"2998 px", L"2996 px", L"2992 px"}, "landscape"},
      {L"57", L"100", L"46.374 \u00B0", L"1000 px", {L"2570 px", L"2568 px", L"2566 px", L"2562 px"}, "portrait"},
      {L"1000", L"1", L"126.870 \u00B0", L"10 px", {L"12000 px", L"11998 px", L"11996 px", L"11992 px"}, "landscape"},
  };
  Open();
  for (const Case& c : cases) {
    Type(IDC_EDIT_WIDTH, c.width);
    Type(IDC_EDIT_HEIGHT, c.height);
    for (int mode = 0; mode < 4; ++mode) {
      Click(IDC_CHECK_MODE0 + mode);
      SCOPED_TRACE(testing::Message() << "mode " << mode);
      EXPECT_EQ(CheckedMode(), mode);
      EXPECT_EQ(Text(IDC_EDIT_FOV), c.fov);
      EXPECT_EQ(Text(IDC_EDIT_IMAGE_HEIGHT), c.imageHeight);
      EXPECT_EQ(Text(IDC_EDIT_IMAGE_WIDTH), c.imageWidth[mode]);
      EXPECT_EQ(Outline(), c.outline);
    }
  }
}

TEST_F(CalculatorDialog, FrameStepBoxesActAsOneGroup) {
  Open();
  Click(IDC_CHECK_MODE2);
  EXPECT_EQ(CheckedMode(), 2);
  EXPECT_EQ(Text(IDC_EDIT_IMAGE_WIDTH), L"2296 px");
  Click(IDC_CHECK_MODE2);
  EXPECT_EQ(CheckedMode(), 2) << "clicking the ticked box keeps it ticked";
  Click(IDC_CHECK_MODE0);
  EXPECT_EQ(CheckedMode(), 0);
  EXPECT_EQ(Text(IDC_EDIT_IMAGE_WIDTH), L"2300 px");
}

TEST_F(CalculatorDialog, EmptyOrZeroInputBecomesOne) {
  Open();
  Type(IDC_EDIT_WIDTH, L"");
  EXPECT_EQ(Text(IDC_EDIT_WIDTH), L"1");
  EXPECT_EQ(Text(IDC_EDIT_FOV), L"37.042 \u00B0");
  Type(IDC_EDIT_HEIGHT, L"0");
  EXPECT_EQ(Text(IDC_EDIT_HEIGHT), L"1");
  EXPECT_EQ(Text(IDC_EDIT_IMAGE_HEIGHT), L"10 px");
  EXPECT_EQ(Outline(), "square");
}

TEST_F(CalculatorDialog, PastedTextIsCutToItsNumber) {
  Open();
  Paste(IDC_EDIT_WIDTH, L"12a34");
  EXPECT_EQ(Text(IDC_EDIT_WIDTH), L"12");
  EXPECT_EQ(Text(IDC_EDIT_IMAGE_WIDTH), L"2120 px");
  Paste(IDC_EDIT_HEIGHT, L"-7");
  EXPECT_EQ(Text(IDC_EDIT_HEIGHT), L"1");
  EXPECT_EQ(Text(IDC_EDIT_IMAGE_HEIGHT), L"10 px");
}

TEST_F(CalculatorDialog, HugeWidthShowsAMarkerNotAWrappedCount) {
  Open();
  Type(IDC_EDIT_WIDTH, L"99999999999");
  EXPECT_EQ(Text(IDC_EDIT_IMAGE_WIDTH), L"too large");
  EXPECT_EQ(Text(IDC_EDIT_FRAMES1), L"2000 frames");
}

struct StartCase {
  const char* file;
  const wchar_t* width;
  const wchar_t* height;
};

class CalculatorStartUp : public CalculatorDialog, public testing::WithParamInterface<StartCase> {};

TEST_P(CalculatorStartUp, ReadsTheSettingsThroughTheInputRule) {
  WriteIni(GetParam().file);
  Open();
  EXPECT_EQ(Text(IDC_EDIT_WIDTH), GetParam().width);
  EXPECT_EQ(Text(IDC_EDIT_HEIGHT), GetParam().height);
}

INSTANTIATE_TEST_SUITE_P(
    Files, CalculatorStartUp,
    testing::Values(StartCase{"[settings]\r\nHologram Width, mm=0\r\nHologram Height, mm=7\r\n", L"1", L"7"},
                    StartCase{"[settings]\r\nHologram Width, mm=-7\r\nHologram Height, mm=9\r\n", L"1", L"9"},
                    StartCase{"[settings]\r\nHologram Width, mm=45abc\r\n", L"45", L"20"},
                    StartCase{"[other]\r\nHologram Width, mm=99\r\n", L"30", L"20"},
                    StartCase{"garbage\x01\x02", L"30", L"20"}));

TEST_F(CalculatorDialog, DestroyingTheWindowSavesBothInputsButNotTheMode) {
  WriteIni("[settings]\r\nHologram Width, mm=0\r\n");
  Open();
  Type(IDC_EDIT_HEIGHT, L"64");
  Click(IDC_CHECK_MODE3);
  dlg.DestroyWindow();
  EXPECT_EQ(ReadIni(), "[settings]\r\nHologram Width, mm=1\r\nHologram Height, mm=64\r\n");
}

TEST_F(CalculatorDialog, EndingTheSessionSavesBeforeAnyDestroy) {
  Open();
  Type(IDC_EDIT_WIDTH, L"77");
  dlg.SendMessage(WM_ENDSESSION, FALSE, 0);
  EXPECT_EQ(ReadIni(), "<missing>") << "a cancelled end of session saves nothing";
  dlg.SendMessage(WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(ReadIni(), "[settings]\r\nHologram Width, mm=77\r\nHologram Height, mm=20\r\n");
}

// These tests run without an application object, so there is no main window
// for the minimise button to go through.
TEST_F(CalculatorDialog, SkinButtonsSitOnTheirLayoutPixelsAndMinimiseTheirOwnWindow) {
  Open();
  for (auto [id, pixels] : {std::pair{IDC_BUTTON_MINIMIZE, kLayoutMinimizeButtonPixels},
                            std::pair{IDOK, kLayoutCloseButtonPixels}}) {
    HWND button = ::GetDlgItem(dlg.m_hWnd, id);
    CRect rect;
    ::GetWindowRect(button, &rect);
    ::MapWindowPoints(nullptr, dlg.m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect, CRect(pixels.x, pixels.y, pixels.x + pixels.w, pixels.y + pixels.h)) << "button " << id;
  }
  HWND minimise = ::GetDlgItem(dlg.m_hWnd, IDC_BUTTON_MINIMIZE);
  dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_BUTTON_MINIMIZE, BN_CLICKED), reinterpret_cast<LPARAM>(minimise));
  EXPECT_TRUE(dlg.IsIconic());
}

// Closes the About box from inside its modal loop and records its caption.
std::wstring g_aboutCaption;
void CALLBACK CloseAbout(HWND, UINT, UINT_PTR id, DWORD) {
  HWND about = ::FindWindowW(L"#32770", L"About Vantorel");
  if (about == nullptr) return;
  ::KillTimer(nullptr, id);
  wchar_t caption[64] = {};
  ::GetWindowTextW(about, caption, 64);
  g_aboutCaption = caption;
  ::SendMessageW(about, WM_COMMAND, IDOK, 0);
}

TEST_F(CalculatorDialog, SystemMenuEndsWithTheAboutItem) {
  Open();
  HMENU menu = ::GetSystemMenu(dlg.m_hWnd, FALSE);
  int count = ::GetMenuItemCount(menu);
  ASSERT_GE(count, 2);
  wchar_t text[64] = {};
  ::GetMenuStringW(menu, count - 1, text, 64, MF_BYPOSITION);
  EXPECT_STREQ(text, L"&About Vantorel...");
  EXPECT_EQ(::GetMenuItemID(menu, count - 1), static_cast<UINT>(ID_SYS_ABOUT));
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE;
  ::GetMenuItemInfoW(menu, count - 2, TRUE, &info);
  EXPECT_TRUE(info.fType & MFT_SEPARATOR);

  g_aboutCaption.clear();
  UINT_PTR timer = ::SetTimer(nullptr, 0, 50, CloseAbout);
  dlg.SendMessage(WM_SYSCOMMAND, ID_SYS_ABOUT, 0);
  ::KillTimer(nullptr, timer);
  EXPECT_EQ(g_aboutCaption, L"About Vantorel");
}

}  // namespace
