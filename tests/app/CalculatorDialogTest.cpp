// The calculator window run in-process from its own template, as the program
// runs it: inputs typed, pasted and cleared, frame steps clicked, start-up from
// different settings files, the save at the end, the About box.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, whose types it uses.
#include <dlgs.h>
#include <oleacc.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "CVantorelDlg.h"
#include "CalculatorFields.h"
#include "Clipboard.h"
#include "Keyboard.h"
#include "MessagePump.h"
#include "SaveAsName.h"
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

class CalculatorDialog : public testing::Test {
 protected:
  void SetUp() override { RemoveIni(); }
  void TearDown() override {
    if (dlg.m_hWnd) dlg.DestroyWindow();
    RemoveIni();
  }

  void Open() {
    ASSERT_TRUE(dlg.Create(IDD_VANTOREL_DIALOG));
    PumpMessages();
    // As the program's loop does once the queue has run dry.
    while (dlg.SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, 0) != 0) {}
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
  const LRESULT icon = dlg.SendMessage(WM_GETICON, ICON_BIG);
  EXPECT_NE(icon, 0);
  EXPECT_EQ(dlg.SendMessage(WM_GETICON, ICON_SMALL), icon);
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

TEST_F(CalculatorDialog, TheOneThatReplacesAnEmptiedInputIsReplacedByWhatIsTypedNext) {
  Open();
  for (const wchar_t* emptied : {L"", L"0"}) {
    Type(IDC_EDIT_WIDTH, emptied);
    for (wchar_t c : {L'1', L'5', L'0'}) ::SendDlgItemMessageW(dlg.m_hWnd, IDC_EDIT_WIDTH, WM_CHAR, c, 1);
    EXPECT_EQ(Text(IDC_EDIT_WIDTH), L"150");
    EXPECT_EQ(Text(IDC_EDIT_IMAGE_WIDTH), L"3500 px");
  }
}

// An input shows the whole number it computes: a paste is cut, a typed point or comma refused.
TEST_F(CalculatorDialog, InputsShowTheWholeNumberTheyCompute) {
  const struct {
    int id, resultId;
    bool bTyped;
    const wchar_t *text, *shown, *result;
  } cases[] = {
      {IDC_EDIT_WIDTH, IDC_EDIT_IMAGE_WIDTH, false, L"12a34", L"12", L"2120 px"},
      {IDC_EDIT_HEIGHT, IDC_EDIT_IMAGE_HEIGHT, false, L"-7", L"1", L"10 px"},
      {IDC_EDIT_HEIGHT, IDC_EDIT_IMAGE_HEIGHT, false, L"99.5 mm", L"99", L"990 px"},
      {IDC_EDIT_WIDTH, IDC_EDIT_IMAGE_WIDTH, false, L"1,5", L"1", L"2010 px"},
      {IDC_EDIT_WIDTH, IDC_EDIT_IMAGE_WIDTH, true, L"12.5", L"125", L"3250 px"},
      {IDC_EDIT_HEIGHT, IDC_EDIT_IMAGE_HEIGHT, true, L"7,5", L"75", L"750 px"},
  };
  Open();
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
    Paste(c.id, c.bTyped ? L"" : c.text);  // typed: into the "1" that replaces an empty field, selected
    for (const wchar_t* p = c.text; c.bTyped && *p; ++p) ::SendDlgItemMessageW(dlg.m_hWnd, c.id, WM_CHAR, *p, 1);
    EXPECT_EQ(Text(c.id), c.shown);
    EXPECT_EQ(Text(c.resultId), c.result);
  }
}

TEST_F(CalculatorDialog, HugeWidthShowsAMarkerNotAWrappedCount) {
  Open();
  Type(IDC_EDIT_WIDTH, L"99999999999");
  EXPECT_EQ(Text(IDC_EDIT_WIDTH), L"2147483647");  // what the calculator reads
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
// How wide a text is in the font the window draws it with.
int TextWidthIn(HWND hWnd, const std::wstring& text) {
  HDC hdc = ::GetDC(hWnd);
  HGDIOBJ hOld = ::SelectObject(hdc, reinterpret_cast<HGDIOBJ>(::SendMessageW(hWnd, WM_GETFONT, 0, 0)));
  SIZE size{};
  ::GetTextExtentPoint32W(hdc, text.c_str(), static_cast<int>(text.size()), &size);
  ::SelectObject(hdc, hOld);
  ::ReleaseDC(hWnd, hdc);
  return size.cx;
}

struct TextFit {
  std::wstring text;
  int nTextWidth;
  int nRoom;
};

BOOL CALLBACK MeasureStaticText(HWND hWnd, LPARAM lParam) {
  wchar_t className[16] = {}, text[128] = {};
  ::GetClassNameW(hWnd, className, 16);
  ::GetWindowTextW(hWnd, text, 128);
  RECT rc;
  ::GetClientRect(hWnd, &rc);
  const bool bIcon = (::GetWindowLongW(hWnd, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
  if (_wcsicmp(className, L"Static") == 0 && !bIcon && text[0] != L'\0')
    reinterpret_cast<std::vector<TextFit>*>(lParam)->push_back({text, TextWidthIn(hWnd, text), rc.right});
  return TRUE;
}

// Closes the About box from inside its modal loop and records its caption and
// how its lines fit.
std::wstring g_aboutCaption;
std::vector<TextFit> g_aboutLines;
void CALLBACK CloseAbout(HWND, UINT, UINT_PTR id, DWORD) {
  HWND about = ::FindWindowW(L"#32770", L"About Vantorel");
  if (about == nullptr) return;
  ::KillTimer(nullptr, id);
  wchar_t caption[64] = {};
  ::GetWindowTextW(about, caption, 64);
  g_aboutCaption = caption;
  ::EnumChildWindows(about, MeasureStaticText, reinterpret_cast<LPARAM>(&g_aboutLines));
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
  g_aboutLines.clear();
  UINT_PTR timer = ::SetTimer(nullptr, 0, 50, CloseAbout);
  dlg.SendMessage(WM_SYSCOMMAND, ID_SYS_ABOUT, 0);
  ::KillTimer(nullptr, timer);
  EXPECT_EQ(g_aboutCaption, L"About Vantorel");
  ASSERT_EQ(g_aboutLines.size(), 2u);
  for (const TextFit& line : g_aboutLines) EXPECT_LE(line.nTextWidth, line.nRoom) << "clipped: " << line.text;
}

// Measured, not guessed from pixels: each text in its field's own font against
// the rectangle the field formats its text in. Up to 100,000 mm every text
// shows whole; beyond, up to the largest number the inputs take, its number
// does (what comes before the first space).
TEST_F(CalculatorDialog, EveryTextFitsItsFieldAtTheExtremes) {
  struct Extreme {
    const wchar_t *width, *height;
    bool bWhole;
  };
  const Extreme extremes[] = {{L"1", L"1", true},
                              {L"100000", L"100000", true},
                              {L"214748164", L"214748364", false},
                              {L"2147483647", L"2147483647", false}};
  Open();
  for (const Extreme& e : extremes) {
    Type(IDC_EDIT_WIDTH, e.width);
    Type(IDC_EDIT_HEIGHT, e.height);
    for (int id : kCalculatorFieldIds) {
      const std::wstring text = Text(id);
      const std::wstring shown = e.bWhole ? text : text.substr(0, text.find(L' '));
      HWND field = ::GetDlgItem(dlg.m_hWnd, id);
      RECT rc;
      ::SendMessageW(field, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&rc));
      EXPECT_LE(TextWidthIn(field, shown), rc.right - rc.left)
          << "field " << id << " clips \"" << std::string(shown.begin(), shown.end()) << "\"";
    }
  }
}

// The blue, yellow and green results continue captions of their colours; the
// frame counts are pale and the image size light grey, as their captions'
// pale differs too little from it to tell apart.
TEST_F(CalculatorDialog, EveryResultIsWrittenInItsColour) {
  struct FieldColour {
    int nId;
    COLORREF cr;
  };
  constexpr COLORREF kBlue = RGB(71, 136, 244), kYellow = RGB(231, 201, 0), kGreen = RGB(6, 201, 19);
  constexpr COLORREF kPale = RGB(234, 236, 190), kLight = RGB(230, 230, 230);
  const FieldColour fields[] = {
      {IDC_EDIT_FOV, kBlue},      {IDC_EDIT_DISTANCE, kYellow}, {IDC_EDIT_TRACK, kGreen},       {IDC_EDIT_TRACK_START, kGreen},
      {IDC_EDIT_TRACK_END, kGreen}, {IDC_EDIT_FRAMES1, kPale},  {IDC_EDIT_FRAMES2, kPale},      {IDC_EDIT_FRAMES4, kPale},
      {IDC_EDIT_FRAMES8, kPale},  {IDC_EDIT_IMAGE_HEIGHT, kLight}, {IDC_EDIT_IMAGE_WIDTH, kLight}};
  Open();
  ::RedrawWindow(dlg.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  PumpMessages();
  for (const FieldColour& f : fields) {
    HWND field = ::GetDlgItem(dlg.m_hWnd, f.nId);
    RECT rc;
    ::GetClientRect(field, &rc);
    HDC hdc = ::GetDC(field);
    int nInColour = 0;
    for (int y = 0; y < rc.bottom; ++y)
      for (int x = 0; x < rc.right; ++x) nInColour += ::GetPixel(hdc, x, y) == f.cr;
    ::ReleaseDC(field, hdc);
    EXPECT_GE(nInColour, 25) << "field " << f.nId;
  }
}

// The row just above the frame count of the box at step 4, where the focus
// rectangle round that box and its count runs, before and after.
TEST_F(CalculatorDialog, AFocusedFrameStepBoxIsMarkedRoundItAndItsCount) {
  Open();
  RECT count;
  ::GetWindowRect(::GetDlgItem(dlg.m_hWnd, IDC_EDIT_FRAMES4), &count);
  ::MapWindowPoints(HWND_DESKTOP, dlg.m_hWnd, reinterpret_cast<POINT*>(&count), 2);
  auto row = [&] {
    ::UpdateWindow(dlg.m_hWnd);
    PumpMessages();
    HDC hdc = ::GetDC(dlg.m_hWnd);
    std::vector<COLORREF> pixels;
    for (int x = count.left; x < count.right; ++x) pixels.push_back(::GetPixel(hdc, x, count.top - 3));
    ::ReleaseDC(dlg.m_hWnd, hdc);
    return pixels;
  };
  ::SetFocus(::GetDlgItem(dlg.m_hWnd, IDC_CHECK_MODE0));
  const std::vector<COLORREF> unmarked = row();
  ::SetFocus(::GetDlgItem(dlg.m_hWnd, IDC_CHECK_MODE2));
  const std::vector<COLORREF> marked = row();
  int nMarked = 0;
  for (size_t i = 0; i < marked.size(); ++i) nMarked += marked[i] != unmarked[i];
  EXPECT_GT(nMarked, 20);
  ::SetFocus(::GetDlgItem(dlg.m_hWnd, IDC_EDIT_WIDTH));
  EXPECT_EQ(row(), unmarked) << "the mark stays after the focus has gone";
}

TEST_F(CalculatorDialog, TitleAndNamesForAssistiveTechnology) {
  struct Named {
    int nId;
    const wchar_t* pszName;
  };
  const Named controls[] = {
      {IDC_EDIT_WIDTH, L"Hologram width, mm"},        {IDC_EDIT_HEIGHT, L"Hologram height, mm"},
      {IDC_EDIT_FOV, L"Camera field of view"},        {IDC_EDIT_DISTANCE, L"Camera distance"},
      {IDC_EDIT_TRACK, L"Camera track"},              {IDC_EDIT_TRACK_START, L"Camera track start"},
      {IDC_EDIT_TRACK_END, L"Camera track end"},      {IDC_EDIT_FRAMES1, L"Frames, every frame"},
      {IDC_EDIT_FRAMES2, L"Frames, every 2nd frame"}, {IDC_EDIT_FRAMES4, L"Frames, every 4th frame"},
      {IDC_EDIT_FRAMES8, L"Frames, every 8th frame"}, {IDC_EDIT_IMAGE_HEIGHT, L"Rendered image height"},
      {IDC_EDIT_IMAGE_WIDTH, L"Rendered image width"}, {IDC_CHECK_MODE0, L"Every frame"},
      {IDC_CHECK_MODE1, L"Every 2nd frame"},          {IDC_CHECK_MODE2, L"Every 4th frame"},
      {IDC_CHECK_MODE3, L"Every 8th frame"},          {IDC_BUTTON_MINIMIZE, L"Minimize"},
      {IDOK, L"Close"},
  };
  ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  Open();
  wchar_t title[32] = {};
  ::GetWindowTextW(dlg.m_hWnd, title, 32);
  EXPECT_STREQ(title, L"Vantorel");
  EXPECT_EQ(dlg.GetStyle() & WS_CAPTION, 0u) << "the title must not show in a title bar";

  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  for (const Named& c : controls) {
    SCOPED_TRACE(testing::Message() << "control " << c.nId);
    HWND control = ::GetDlgItem(dlg.m_hWnd, c.nId);
    IAccessible *acc = nullptr, *standard = nullptr;
    ASSERT_EQ(::AccessibleObjectFromWindow(control, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&acc)),
              S_OK);
    ASSERT_EQ(::CreateStdAccessibleObject(control, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&standard)),
              S_OK);
    BSTR name = nullptr;
    EXPECT_EQ(acc->get_accName(self, &name), S_OK);
    EXPECT_STREQ(name, c.pszName);
    ::SysFreeString(name);
    VARIANT role{}, standardRole{};
    EXPECT_EQ(acc->get_accRole(self, &role), S_OK);
    standard->get_accRole(self, &standardRole);
    EXPECT_EQ(role.vt, VT_I4);
    EXPECT_EQ(role.lVal, standardRole.lVal) << "the platform's own object answers all but the name";
    standard->Release();
    acc->Release();
  }
  dlg.DestroyWindow();
  ::CoUninitialize();
}

// --- The render setup: its commands, shortcuts, tool tips and export ---

// Runs an action on the dialog titled g_modalCaption once it shows, from
// inside the modal loop that the test's call runs.
std::wstring g_modalCaption;
std::function<void(HWND)> g_modalAction;
void CALLBACK ActOnModal(HWND, UINT, UINT_PTR id, DWORD) {
  HWND modal = ::FindWindowW(L"#32770", g_modalCaption.c_str());
  if (modal == nullptr) return;
  ::KillTimer(nullptr, id);
  g_modalAction(modal);
}

template <class Call>
void WhileModal(const wchar_t* caption, std::function<void(HWND)> action, Call call) {
  g_modalCaption = caption;
  g_modalAction = std::move(action);
  UINT_PTR timer = ::SetTimer(nullptr, 0, 50, ActOnModal);
  call();
  ::KillTimer(nullptr, timer);
}

// The static texts of a message box, one after another.
std::wstring MessageText(HWND box) {
  std::wstring text;
  for (HWND child = ::GetWindow(box, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
    wchar_t className[16] = {}, buffer[1024] = {};
    ::GetClassNameW(child, className, 16);
    if (_wcsicmp(className, L"Static") != 0) continue;
    ::GetWindowTextW(child, buffer, 1024);
    text += buffer;
  }
  return text;
}

std::string ReadFile(const std::wstring& path) {
  std::ifstream file(std::filesystem::path(path), std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  return file ? content.str() : "<missing>";
}

void WriteFile(const std::wstring& path, const std::string& content) {
  std::ofstream(std::filesystem::path(path), std::ios::binary) << content;
}

std::wstring TempFolder() {
  wchar_t folder[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, folder);
  return folder;
}

class RenderSetupCommands : public CalculatorDialog {
 protected:

  // A key pressed in control ID while the modifier keys are held.
  void Press(int id, std::initializer_list<BYTE> modifiers, UINT key) {
    PressKey(dlg.m_hWnd, ::GetDlgItem(dlg.m_hWnd, id), modifiers, key);
  }

  // The tool tip control that serves the nine fields and the two skin buttons.
  static BOOL CALLBACK MatchFieldTips(HWND hWnd, LPARAM lParam) {
    wchar_t className[32] = {};
    ::GetClassNameW(hWnd, className, 32);
    if (_wcsicmp(className, TOOLTIPS_CLASSW) != 0 || ::SendMessageW(hWnd, TTM_GETTOOLCOUNT, 0, 0) != 11) return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hWnd;
    return FALSE;
  }
  HWND FieldTips() const {
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), MatchFieldTips, reinterpret_cast<LPARAM>(&found));
    return found;
  }

  std::wstring Tip(int id) const {
    wchar_t text[1024] = {};
    TOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = dlg.m_hWnd;
    info.uFlags = TTF_IDISHWND;
    info.uId = reinterpret_cast<UINT_PTR>(::GetDlgItem(dlg.m_hWnd, id));
    info.lpszText = text;
    ::SendMessageW(FieldTips(), TTM_GETTEXTW, 1024, reinterpret_cast<LPARAM>(&info));
    return text;
  }
};

TEST_F(RenderSetupCommands, SystemMenuHoldsTheCommandsBeforeTheAboutItem) {
  struct Item {
    const wchar_t* text;  // null for a separator
    UINT id;
  };
  const Item expected[] = {{nullptr, 0},
                           {L"C&opy Results\tCtrl+Shift+C", ID_SYS_COPY_RESULTS},
                           {L"&Export Render Setup...\tCtrl+S", ID_SYS_EXPORT_SETUP},
                           {L"C&heck Rendered Frames...\tCtrl+O", ID_SYS_CHECK_FRAMES},
                           {nullptr, 0},
                           {L"&About Vantorel...", ID_SYS_ABOUT}};
  Open();
  HMENU menu = ::GetSystemMenu(dlg.m_hWnd, FALSE);
  const int first = ::GetMenuItemCount(menu) - static_cast<int>(std::size(expected));
  ASSERT_GE(first, 1) << "the platform's own items come first";
  for (int i = 0; i < static_cast<int>(std::size(expected)); ++i) {
    SCOPED_TRACE(testing::Message() << "item " << first + i);
    wchar_t text[64] = {};
    ::GetMenuStringW(menu, first + i, text, 64, MF_BYPOSITION);
    if (expected[i].text == nullptr) {
      EXPECT_EQ(::GetMenuState(menu, first + i, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
    } else {
      EXPECT_STREQ(text, expected[i].text);
      EXPECT_EQ(::GetMenuItemID(menu, first + i), expected[i].id);
    }
  }
}

TEST_F(RenderSetupCommands, CopyResultsPutsOneTabbedLinePerValueOnTheClipboard) {
  Open();
  Click(IDC_CHECK_MODE1);
  dlg.SendMessage(WM_SYSCOMMAND, ID_SYS_COPY_RESULTS, 0);
  const std::wstring text = ClipboardText();
  const wchar_t* const expectedLines[] = {
      L"Hologram width\t30\tmm\r\n",        L"Hologram height\t20\tmm\r\n",
      L"Frame step\t2\t(every 2nd frame)\r\n", L"Camera FOV\t41.947\t\u00B0\r\n",
      L"Frames, every frame\t2000\tframes\r\n", L"Rendered image width\t2298\tpx\r\n",
      L"Focal length\t46.997\tmm on a 36 \u00D7 3.133 mm film back\r\n",
      L"Camera step\t0.2\tmm\r\n",          L"Render budget\t459600000\tpixels\r\n",
  };
  for (const wchar_t* expected : expectedLines)
    EXPECT_NE(text.find(expected), std::wstring::npos) << "missing: " << testing::PrintToString(std::wstring(expected));
  std::wistringstream lines(text);
  std::wstring line;
  int count = 0;
  while (std::getline(lines, line)) {
    ++count;
    EXPECT_EQ(std::count(line.begin(), line.end(), L'\t'), 2) << "line " << count << " has label, value and unit";
  }
  EXPECT_GE(count, 20);
}

// Only the shortcuts act; Ctrl+C alone still copies the field's own text.
TEST_F(RenderSetupCommands, ShortcutsLeaveTheFieldsOwnKeysAlone) {
  struct Case {
    int field;
    std::initializer_list<BYTE> modifiers;
    UINT key;
    const wchar_t* clipboardStart;
    const wchar_t* dialog;  // the title of the dialog the key opens, if any
  };
  const Case cases[] = {
      {IDC_EDIT_FOV, {VK_CONTROL, VK_SHIFT}, 'C', L"Hologram width\t30\tmm\r\n", nullptr},
      {IDC_EDIT_FOV, {VK_CONTROL}, 'C', L"41.947 \u00B0", nullptr},
      {IDC_EDIT_WIDTH, {VK_CONTROL}, 'S', L"marker", L"Export Render Setup"},
      {IDC_EDIT_WIDTH, {VK_CONTROL}, 'O', L"marker", L"Check Rendered Frames"},
  };
  // The folder picker comes through COM, which the program joins at start.
  ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  Open();
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "key " << static_cast<char>(c.key) << " with " << c.modifiers.size() << " modifiers");
    ASSERT_TRUE(PutTextOnClipboard(dlg.m_hWnd, L"marker"));
    ::SendDlgItemMessageW(dlg.m_hWnd, c.field, EM_SETSEL, 0, -1);
    bool dialogShown = false;
    WhileModal(c.dialog != nullptr ? c.dialog : L"Export Render Setup", [&](HWND dialog) {
      // A dialog with a Cancel button: an error box would have only OK.
      dialogShown = ::GetDlgItem(dialog, IDCANCEL) != nullptr;
      ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    }, [&] { Press(c.field, c.modifiers, c.key); });
    EXPECT_EQ(ClipboardText().rfind(c.clipboardStart, 0), 0u) << testing::PrintToString(ClipboardText());
    EXPECT_EQ(dialogShown, c.dialog != nullptr);
    EXPECT_EQ(Text(IDC_EDIT_WIDTH), L"30") << "no key reached the width field as a character";
  }
  dlg.DestroyWindow();
  ::CoUninitialize();
}

TEST_F(RenderSetupCommands, ToolTipsFollowEveryComputation) {
  Open();
  Click(IDC_CHECK_MODE1);
  EXPECT_EQ(Tip(IDC_BUTTON_MINIMIZE), L"Minimize");
  EXPECT_EQ(Tip(IDOK), L"Close");
  EXPECT_EQ(Tip(IDC_EDIT_WIDTH), L"The hologram's width in whole millimetres.");
  EXPECT_EQ(Tip(IDC_EDIT_HEIGHT), L"The hologram's height in whole millimetres.");
  EXPECT_EQ(Tip(IDC_EDIT_FOV),
            L"The camera's horizontal field of view.\r\n"
            L"On a 36 mm film back: a 46.997 mm lens, 41.914\u00B0 horizontal and 3.818\u00B0 vertical field of view.");
  EXPECT_EQ(Tip(IDC_EDIT_FRAMES1),
            L"Frames along the 200 mm camera track, rendering every frame.\r\nThe camera moves 0.1 mm between frames.");
  EXPECT_EQ(Tip(IDC_EDIT_FRAMES8),
            L"Frames along the 200 mm camera track, rendering every 8th frame.\r\nThe camera moves 0.8 mm between frames.");
  const std::wstring image =
      L"Each rendered image: 2298 x 200 px.\r\nThe whole render, every 2nd frame: 1000 images, 459,600,000 px, "
      L"1,378,800,000 bytes as 8-bit RGB (1.28 GiB).";
  EXPECT_EQ(Tip(IDC_EDIT_IMAGE_WIDTH), image);
  EXPECT_EQ(Tip(IDC_EDIT_IMAGE_HEIGHT), image);

  Type(IDC_EDIT_WIDTH, L"100");
  EXPECT_EQ(Tip(IDC_EDIT_FOV),
            L"The camera's horizontal field of view.\r\n"
            L"On a 36 mm film back: a 36.024 mm lens, 53.100\u00B0 horizontal and 3.818\u00B0 vertical field of view.");
  Type(IDC_EDIT_WIDTH, L"99999999999");
  EXPECT_NE(Tip(IDC_EDIT_IMAGE_WIDTH).find(L"too large"), std::wstring::npos) << testing::PrintToString(Tip(IDC_EDIT_IMAGE_WIDTH));
}

TEST_F(RenderSetupCommands, ClickingAFrameCountChoosesItsStep) {
  Open();
  for (int mode : {2, 0, 3}) {
    HWND count = ::GetDlgItem(dlg.m_hWnd, IDC_EDIT_FRAMES1 + mode);
    ::PostMessageW(count, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::PostMessageW(count, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PumpMessages(dlg.m_hWnd);
    EXPECT_EQ(CheckedMode(), mode);
  }
  EXPECT_EQ(Text(IDC_EDIT_IMAGE_WIDTH), L"2292 px");
}

// The Save As dialog offers the name, and another file type renames it; the
// file written is the tool's format in the chosen type's framing.
TEST_F(RenderSetupCommands, ExportSuggestsANameAndWritesTheChosenFile) {
  const std::wstring path = TempFolder() + L"vantorel-export-test.json";
  ::DeleteFileW(path.c_str());
  Open();
  Click(IDC_CHECK_MODE1);
  std::wstring suggested, retyped;
  WhileModal(L"Export Render Setup", [&](HWND saveAs) {
    wchar_t name[MAX_PATH] = {};
    ::GetWindowTextW(SaveAsName(saveAs), name, MAX_PATH);
    suggested = name;
    const HWND types = ::GetDlgItem(saveAs, cmb1);
    ::SendMessageW(types, CB_SETCURSEL, 5, 0);  // Recentred: whole setup (*.json)
    ::SendMessageW(saveAs, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELENDOK), reinterpret_cast<LPARAM>(types));
    ::GetWindowTextW(SaveAsName(saveAs), name, MAX_PATH);
    retyped = name;
    ::SetWindowTextW(SaveAsName(saveAs), path.c_str());
    ::PostMessageW(saveAs, WM_COMMAND, IDOK, 0);
  }, [&] { dlg.SendMessage(WM_SYSCOMMAND, ID_SYS_EXPORT_SETUP, 0); });
  EXPECT_EQ(suggested, L"hologram-30x20mm-every-2nd-frame-wide.py");
  EXPECT_EQ(retyped, L"hologram-30x20mm-every-2nd-frame-recentred.json");
  const std::string written = ReadFile(path);
  EXPECT_EQ(written.rfind("{\"width_mm\":30,\"height_mm\":20,\"step\":2,\"framing\":\"recentred\"", 0), 0u)
      << written.substr(0, 200);
  ::DeleteFileW(path.c_str());
}

// A failed export says which file and why, and leaves what was there.
TEST_F(RenderSetupCommands, FailedExportKeepsTheOldFileAndSaysWhy) {
  const std::wstring folder = TempFolder() + L"vantorel-export-fail";
  const std::wstring old = folder + L"\\old.csv";
  ::CreateDirectoryW(folder.c_str(), nullptr);
  WriteFile(old, "old bytes");
  struct Case {
    const wchar_t* width;
    std::wstring path;
  };
  const Case cases[] = {
      {L"30", folder + L"\\no such folder\\setup.csv"},
      {L"30", folder},
      {L"99999999999", old},  // too large for a rig
  };
  Open();
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.path));
    Type(IDC_EDIT_WIDTH, c.width);
    std::wstring message;
    bool written = true;
    WhileModal(L"Export Render Setup", [&](HWND box) {
      message = MessageText(box);
      ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    }, [&] { written = dlg.ExportSetupTo(c.path, ExportChoices()[2]); });
    EXPECT_FALSE(written);
    EXPECT_NE(message.find(L"\n" + c.path + L"\n"), std::wstring::npos) << "on a line of its own: " << testing::PrintToString(message);
    EXPECT_GT(message.size(), c.path.size() + 40) << "a reason follows the name";
  }
  EXPECT_EQ(ReadFile(old), "old bytes");
  ::DeleteFileW(old.c_str());
  ::RemoveDirectoryW(folder.c_str());
}

}  // namespace
