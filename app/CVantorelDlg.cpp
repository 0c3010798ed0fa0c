#include "CVantorelDlg.h"

#include <climits>
#include <cstdlib>
#include <cwchar>
#include <filesystem>
#include <iterator>
#include <optional>
#include <vector>

#include "AtomicFile.h"
#include "CAboutDlg.h"
#include "CAccessibleName.h"
#include "CPreviewWnd.h"
#include "Clipboard.h"
#include "FolderDialog.h"
#include "ProfileSettings.h"
#include "SetupFormats.h"
#include "Utf.h"
#include "layout.h"

namespace {

// The two fonts' common look: light Arial, 21 pixels high.
constexpr int kFieldFontHeight = 21;
constexpr int kFieldFontWeight = 300;

constexpr COLORREF kDark = RGB(56, 56, 56);
constexpr COLORREF kPale = RGB(234, 236, 190);
constexpr COLORREF kBlue = RGB(71, 136, 244);
constexpr COLORREF kYellow = RGB(231, 201, 0);
constexpr COLORREF kGreen = RGB(6, 201, 19);
constexpr COLORREF kLight = RGB(230, 230, 230);

void MoveTo(CWnd& control, LayoutRect pixels) {
  control.MoveWindow(pixels.x, pixels.y, pixels.w, pixels.h, TRUE);
}

// Between a focused frame-step box with its count and the focus rectangle.
constexpr int kStepMarkMargin = 3;

}  // namespace

// One row per field. What a field shows and what its tip says are picked out
// of the window's texts; a field without either has none.
struct CVantorelDlg::FieldRow {
  Control control;  // the field's place in m_fields, and its accessible name
  int nId;
  COLORREF crBack;
  COLORREF crText;
  bool bFreeText;  // a result, not an input: no number filter
  const std::string* (*pResult)(const RenderTexts&);
  const std::string* (*pTip)(const FieldTips&);
};

const CVantorelDlg::FieldRow CVantorelDlg::kFieldTable[] = {
    {Control::Width, IDC_EDIT_WIDTH, kPale, kDark, false, nullptr, [](const FieldTips& t) { return &t.strWidth; }},
    {Control::Height, IDC_EDIT_HEIGHT, kPale, kDark, false, nullptr, [](const FieldTips& t) { return &t.strHeight; }},
    {Control::Fov, IDC_EDIT_FOV, kDark, kBlue, true, [](const RenderTexts& t) { return &t.strFov; },
     [](const FieldTips& t) { return &t.strFov; }},
    {Control::Distance, IDC_EDIT_DISTANCE, kDark, kYellow, true, [](const RenderTexts& t) { return &t.strDistance; },
     nullptr},
    {Control::Track, IDC_EDIT_TRACK, kDark, kGreen, true, [](const RenderTexts& t) { return &t.strTrackLength; },
     nullptr},
    {Control::TrackStart, IDC_EDIT_TRACK_START, kDark, kGreen, true,
     [](const RenderTexts& t) { return &t.strTrackStart; }, nullptr},
    {Control::TrackEnd, IDC_EDIT_TRACK_END, kDark, kGreen, true, [](const RenderTexts& t) { return &t.strTrackEnd; },
     nullptr},
    {Control::Frames1, IDC_EDIT_FRAMES1, kDark, kPale, true, [](const RenderTexts& t) { return &t.strFrames[0]; },
     [](const FieldTips& t) { return &t.strFrames[0]; }},
    {Control::Frames2, IDC_EDIT_FRAMES2, kDark, kPale, true, [](const RenderTexts& t) { return &t.strFrames[1]; },
     [](const FieldTips& t) { return &t.strFrames[1]; }},
    {Control::Frames4, IDC_EDIT_FRAMES4, kDark, kPale, true, [](const RenderTexts& t) { return &t.strFrames[2]; },
     [](const FieldTips& t) { return &t.strFrames[2]; }},
    {Control::Frames8, IDC_EDIT_FRAMES8, kDark, kPale, true, [](const RenderTexts& t) { return &t.strFrames[3]; },
     [](const FieldTips& t) { return &t.strFrames[3]; }},
    {Control::ImageHeight, IDC_EDIT_IMAGE_HEIGHT, kDark, kLight, true,
     [](const RenderTexts& t) { return &t.strImageHeight; }, [](const FieldTips& t) { return &t.strImage; }},
    {Control::ImageWidth, IDC_EDIT_IMAGE_WIDTH, kDark, kLight, true,
     [](const RenderTexts& t) { return &t.strImageWidth; }, [](const FieldTips& t) { return &t.strImage; }},
};

// One row per system-menu command: the menu shows them in this order, and
// the shortcuts are made from the same rows.
struct CVantorelDlg::CommandRow {
  UINT nId;
  const wchar_t* pszText;  // the words, or MAKEINTRESOURCEW of a string holding them
  WORD nKey;        // the shortcut's virtual key; 0 for none
  BYTE fModifiers;  // FCONTROL, FSHIFT, FALT
  void (CVantorelDlg::*pHandler)();
  bool bSeparatorBefore;
};

// Ctrl+C stays the fields' own copy; the results take Shift as well.
const CVantorelDlg::CommandRow CVantorelDlg::kCommandTable[] = {
    {ID_SYS_COPY_RESULTS, L"C&opy Results", 'C', FCONTROL | FSHIFT, &CVantorelDlg::OnCopyResults, true},
    {ID_SYS_EXPORT_SETUP, L"&Export Render Setup...", 'S', FCONTROL, &CVantorelDlg::OnExportSetup, false},
    {ID_SYS_CHECK_FRAMES, L"C&heck Rendered Frames...", 'O', FCONTROL, &CVantorelDlg::OnCheckFrames, false},
    {ID_SYS_ABOUT, MAKEINTRESOURCEW(IDS_ABOUTBOX), 0, 0, &CVantorelDlg::OnAbout, true},
};

BEGIN_MESSAGE_MAP(CVantorelDlg, CDialogSK)
  ON_WM_SYSCOMMAND()
  ON_WM_PAINT()
  ON_WM_QUERYDRAGICON()
  ON_WM_CTLCOLOR()
  ON_EN_CHANGE(IDC_EDIT_WIDTH, &CVantorelDlg::OnChangeWidth)
  ON_EN_CHANGE(IDC_EDIT_HEIGHT, &CVantorelDlg::OnChangeHeight)
  ON_CONTROL_RANGE(BN_CLICKED, IDC_CHECK_MODE0, IDC_CHECK_MODE3, &CVantorelDlg::OnClickedStep)
  ON_BN_CLICKED(IDC_BUTTON_MINIMIZE, &CVantorelDlg::OnClickedMinimize)
  ON_CONTROL_RANGE(BN_SETFOCUS, IDC_CHECK_MODE0, IDC_CHECK_MODE3, &CVantorelDlg::OnStepFocusChange)
  ON_CONTROL_RANGE(BN_KILLFOCUS, IDC_CHECK_MODE0, IDC_CHECK_MODE3, &CVantorelDlg::OnStepFocusChange)
  ON_WM_DESTROY()
  ON_WM_ENDSESSION()
  ON_NOTIFY_RANGE(TTN_GETDISPINFOW, 0, UINT_MAX, &CVantorelDlg::OnFieldTipText)
  ON_MESSAGE(WM_KICKIDLE, &CVantorelDlg::OnKickIdle)
END_MESSAGE_MAP()

CVantorelDlg::CVantorelDlg(CWnd* pParent) : CDialogSK(IDD_VANTOREL_DIALOG, pParent) {
  m_setup.dPixelPitchMm = 0.1;
  m_setup.dCameraDistanceMm = 300.0;
  m_setup.dTrackLengthMm = 200.0;
  m_setup.nMode = RenderEveryFrame;
  m_hIcon = ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME));
}

void CVantorelDlg::DoDataExchange(CDataExchange* pDX) {
  CDialogSK::DoDataExchange(pDX);
  for (const FieldRow& row : kFieldTable) DDX_Control(pDX, row.nId, Field(row.control));
  for (int i = 0; i < 4; ++i) DDX_Control(pDX, IDC_CHECK_MODE0 + i, m_checkMode[i]);
  DDX_Control(pDX, IDC_FRAME_LANDSCAPE, m_frameLandscape);
  DDX_Control(pDX, IDC_FRAME_PORTRAIT, m_framePortrait);
  DDX_Control(pDX, IDC_FRAME_SQUARE, m_frameSquare);
  DDX_Control(pDX, IDOK, m_btnClose);
  DDX_Control(pDX, IDC_BUTTON_MINIMIZE, m_btnMinimize);
}

BOOL CVantorelDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  AddCommands();
  SetIcons(m_hIcon, m_hIcon);
  PlaceSkinButtons();
  InstallBackground();

  m_font.CreateFont(kFieldFontHeight, 0, 0, 0, kFieldFontWeight, FALSE, FALSE, 0, ANSI_CHARSET,
                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, L"Arial");
  StyleFields();
  NameForAssistiveTechnology();

  LoadSettings();
  SelectMode(RenderEveryFrame);
  return TRUE;
}

// The menu's words and the shortcut's, both from the command's row. A row's
// text may name a string of the program's resources, as the About item's
// does; a row whose text is empty there is left out.
void CVantorelDlg::AddCommands() {
  CMenu* pSysMenu = GetSystemMenu(FALSE);
  if (pSysMenu == nullptr) return;
  std::vector<ACCEL> shortcuts;
  for (const CommandRow& row : kCommandTable) {
    CString strLoaded;
    if (IS_INTRESOURCE(row.pszText)) strLoaded.LoadString(static_cast<UINT>(reinterpret_cast<UINT_PTR>(row.pszText)));
    std::wstring strText = IS_INTRESOURCE(row.pszText) ? strLoaded.str() : row.pszText;
    if (strText.empty()) continue;
    if (row.nKey != 0) {
      strText += L'\t';
      if (row.fModifiers & FCONTROL) strText += L"Ctrl+";
      if (row.fModifiers & FSHIFT) strText += L"Shift+";
      if (row.fModifiers & FALT) strText += L"Alt+";
      strText += static_cast<wchar_t>(row.nKey);
      shortcuts.push_back(ACCEL{static_cast<BYTE>(FVIRTKEY | row.fModifiers), row.nKey, static_cast<WORD>(row.nId)});
    }
    if (row.bSeparatorBefore) pSysMenu->AppendMenu(MF_SEPARATOR);
    pSysMenu->AppendMenu(MF_STRING, row.nId, strText.c_str());
  }
  m_shortcuts.reset(::CreateAcceleratorTableW(shortcuts.data(), static_cast<int>(shortcuts.size())));
}

void CVantorelDlg::PlaceSkinButtons() {
  m_btnMinimize.SetSkin(IDB_MINIMIZE_NORMAL, IDB_MINIMIZE_PRESSED, IDB_MINIMIZE_OVER, IDB_MINIMIZE_NORMAL);
  MoveTo(m_btnMinimize, kLayoutMinimizeButtonPixels);
  m_btnClose.SetSkin(IDB_CLOSE_NORMAL, IDB_CLOSE_PRESSED, IDB_CLOSE_OVER, IDB_CLOSE_NORMAL);
  MoveTo(m_btnClose, kLayoutCloseButtonPixels);
}

void CVantorelDlg::InstallBackground() {
  m_bDragMove = TRUE;
  SetBackgroundBitmap(static_cast<HBITMAP>(
      ::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDB_BACKGROUND), IMAGE_BITMAP, 0, 0, 0)));
  SetBackgroundStyle(BkStyleTopLeft);
  if (m_hBkBitmap != nullptr)
    SetWindowPos(&wndTop, 0, 0, static_cast<int>(m_nBkWidth), static_cast<int>(m_nBkHeight),
                 SWP_NOMOVE | SWP_NOOWNERZORDER);
}

void CVantorelDlg::StyleFields() {
  static_assert(std::size(kFieldTable) == kFieldCount, "one row per field");
  for (const FieldRow& row : kFieldTable) {
    CColorEdit& edit = Field(row.control);
    edit.SetBkColor(row.crBack);
    edit.SetTextColor(row.crText);
    edit.SetFont(m_font, TRUE);
    // What the calculator reads of an input is whole millimetres: one
    // showing 99.5 would compute 99.
    if (row.bFreeText) edit.m_bFreeText = TRUE;
    else edit.SetWholeNumbers(true, L"Whole millimetres only");
  }
}

// The title shows in the taskbar and when switching windows; with no title bar
// nothing paints it. The names are those of the captions in the picture. The
// controls are reached through their bound objects: looking one up by its
// number is a round trip to the window server each.
void CVantorelDlg::NameForAssistiveTechnology() {
  SetWindowText(L"Vantorel");
  const std::pair<CWnd*, Control> others[] = {
      {&m_checkMode[0], Control::EveryFrameBox},    {&m_checkMode[1], Control::Every2ndFrameBox},
      {&m_checkMode[2], Control::Every4thFrameBox}, {&m_checkMode[3], Control::Every8thFrameBox},
      {&m_btnMinimize, Control::Minimize},          {&m_btnClose, Control::Close},
  };
  const auto name = [](const CWnd& control, Control which) {
    CAccessibleName::Attach(control.m_hWnd, Utf16(AccessibleName(which)));
  };
  for (const FieldRow& row : kFieldTable) name(Field(row.control), row.control);
  for (const auto& [pControl, which] : others) name(*pControl, which);
}

void CVantorelDlg::LoadSettings() {
  m_strIniPath = CString(BuildIniPath());
  m_setup.nWidthMm = ReadProfileInt(m_strIniPath, kSettingsSection, kWidthKey, kDefaultWidthMm);
  m_setup.nHeightMm = ReadProfileInt(m_strIniPath, kSettingsSection, kHeightKey, kDefaultHeightMm);

  // Each write raises the field's change notification, which applies the
  // input rule: a stored 0, or a text the number filter empties, becomes 1.
  CString text;
  text.Format(L"%d", m_setup.nWidthMm);
  Field(Control::Width).SetWindowText(text);
  text.Format(L"%d", m_setup.nHeightMm);
  Field(Control::Height).SetWindowText(text);
}

void CVantorelDlg::SaveSettings() {
  WriteProfileInt(m_strIniPath, kSettingsSection, kWidthKey, m_setup.nWidthMm);
  WriteProfileInt(m_strIniPath, kSettingsSection, kHeightKey, m_setup.nHeightMm);
}

// The shortcuts arrive here too: the platform sends an accelerator whose
// command is in the system menu as that menu's command.
void CVantorelDlg::OnSysCommand(UINT nID, LPARAM lParam) {
  for (const CommandRow& row : kCommandTable) {
    if ((nID & 0xFFF0) == row.nId) {
      (this->*row.pHandler)();
      return;
    }
  }
  CDialogSK::OnSysCommand(nID, lParam);
}

void CVantorelDlg::OnAbout() {
  CAboutDlg dlgAbout;
  dlgAbout.DoModal();
}

// A minimised window shows the program's icon, centred.
void CVantorelDlg::OnPaint() {
  if (!IsIconic()) {
    CPaintDC dc(this);
    DrawStepFocus(dc);
    return;
  }
  CPaintDC dc(this);
  SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
  int cxIcon = ::GetSystemMetrics(SM_CXICON);
  int cyIcon = ::GetSystemMetrics(SM_CYICON);
  CRect rect;
  GetClientRect(&rect);
  dc.DrawIcon((rect.Width() - cxIcon + 1) / 2, (rect.Height() - cyIcon + 1) / 2, m_hIcon);
}

HCURSOR CVantorelDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }

// The fields' colours come from the fields themselves: the base handling
// offers each colour request to the field first.
HBRUSH CVantorelDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  return CDialogSK::OnCtlColor(pDC, pWnd, nCtlColor);
}

void CVantorelDlg::ApplyInputRule(CColorEdit& edit, int32_t& nValueMm) {
  CString text;
  edit.GetWindowText(text);
  nValueMm = _wtoi(text);
  if (nValueMm == 0) {
    nValueMm = 1;
    edit.SetWindowText(L"1");
    // Selected, so that what is typed next replaces it instead of joining it.
    edit.SetSel(0, -1);
  } else if (nValueMm == INT_MAX && text != L"2147483647") {
    // The reading stops at the largest whole number; the field says so rather
    // than show a size the results are not for.
    edit.SetWindowText(L"2147483647");
    edit.SetSel(-1, -1);
  }
}

void CVantorelDlg::OnChangeWidth() {
  ApplyInputRule(Field(Control::Width), m_setup.nWidthMm);
  ComputeAndShow();
}

void CVantorelDlg::OnChangeHeight() {
  ApplyInputRule(Field(Control::Height), m_setup.nHeightMm);
  ComputeAndShow();
}

void CVantorelDlg::OnClickedStep(UINT nID) { SelectMode(static_cast<RenderMode>(nID - IDC_CHECK_MODE0)); }

// The button's own top-level window: the dialog minimises itself whether or
// not an application object names it the main window.
void CVantorelDlg::OnClickedMinimize() {
  m_btnMinimize.GetTopLevelParent()->SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
}

// The boxes are too small to show the platform's focus rectangle, so the
// window draws one around the focused box and the frame count it chooses.
void CVantorelDlg::OnStepFocusChange(UINT) {
  for (int i = 0; i < 4; ++i) {
    const CRect rcMark = StepMarkRect(i);
    ::RedrawWindow(m_hWnd, &rcMark, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }
}

void CVantorelDlg::DrawStepFocus(CDC& dc) {
  for (int i = 0; i < 4; ++i)
    if (::GetFocus() == m_checkMode[i].m_hWnd) dc.DrawFocusRect(StepMarkRect(i));
}

const CColorEdit& CVantorelDlg::FrameCount(int nStep) const {
  return m_fields[static_cast<int>(Control::Frames1) + nStep];
}

CRect CVantorelDlg::StepMarkRect(int nStep) const {
  CRect rcBox, rcCount, rcMark;
  m_checkMode[nStep].GetWindowRect(&rcBox);
  FrameCount(nStep).GetWindowRect(&rcCount);
  ::UnionRect(&rcMark, &rcBox, &rcCount);
  ::InflateRect(&rcMark, kStepMarkMargin, kStepMarkMargin);
  ::MapWindowPoints(HWND_DESKTOP, m_hWnd, reinterpret_cast<POINT*>(&rcMark), 2);
  return rcMark;
}

void CVantorelDlg::SelectMode(RenderMode nMode) {
  m_setup.nMode = nMode;
  SyncModeChecks();
  ComputeAndShow();
}

// The four boxes act as one radio group: clicking the ticked one keeps it.
void CVantorelDlg::SyncModeChecks() {
  for (CButton& check : m_checkMode) check.SetCheck(BST_UNCHECKED);
  m_checkMode[m_setup.nMode].SetCheck(BST_CHECKED);
}

// The window's texts are UTF-8; each field gets its own in UTF-16.
void CVantorelDlg::ComputeAndShow() {
  m_result = CalculateRendering(m_setup);
  const RenderTexts texts = FormatRenderTexts(m_setup, m_result);
  for (const FieldRow& row : kFieldTable)
    if (row.pResult != nullptr) Field(row.control).SetWindowText(Utf16(*row.pResult(texts)).c_str());
  ShowOutline();
  RefreshShownTip();
}

void CVantorelDlg::ShowOutline() {
  switch (m_result.eAspect) {
    case Aspect::Landscape:
      m_framePortrait.ShowWindow(SW_HIDE);
      m_frameSquare.ShowWindow(SW_HIDE);
      m_frameLandscape.ShowWindow(SW_SHOW);
      break;
    case Aspect::Square:
      m_frameLandscape.ShowWindow(SW_HIDE);
      m_framePortrait.ShowWindow(SW_HIDE);
      m_frameSquare.ShowWindow(SW_SHOW);
      break;
    case Aspect::Portrait:
      m_frameLandscape.ShowWindow(SW_HIDE);
      m_frameSquare.ShowWindow(SW_HIDE);
      m_framePortrait.ShowWindow(SW_SHOW);
      break;
  }
}

void CVantorelDlg::OnDestroy() {
  m_shortcuts.reset();
  CDialogSK::OnDestroy();
  if (!m_bSettingsSaved) SaveSettings();
}

// The platform may end the process after this without destroying the window.
void CVantorelDlg::OnEndSession(BOOL bEnding) {
  CDialogSK::OnEndSession(bEnding);
  if (bEnding && !m_bSettingsSaved) {
    SaveSettings();
    m_bSettingsSaved = true;
  }
}

// --- The render setup: copy, export, shortcuts and tool tips ---

// The tips' texts are worked out when a tip shows, not on every keystroke.
// The tips wait until the window has been painted and waits for input: a
// tip control is a top-level window, the dearest thing the window would
// otherwise make at start, and no pointer can rest on a field before then.
LRESULT CVantorelDlg::OnKickIdle(WPARAM, LPARAM) {
  if (m_fieldTips.GetSafeHwnd() == nullptr) CreateFieldTips();
  return FALSE;
}

void CVantorelDlg::CreateFieldTips() {
  if (!m_fieldTips.Create(this, TTS_ALWAYSTIP | TTS_NOPREFIX)) return;
  for (const FieldRow& row : kFieldTable)
    if (row.pTip != nullptr) m_fieldTips.AddTool(&Field(row.control), LPSTR_TEXTCALLBACKW);
  // The skin buttons' tips too: one tip control serves them all.
  const std::pair<CxSkinButton*, Control> buttons[] = {{&m_btnMinimize, Control::Minimize}, {&m_btnClose, Control::Close}};
  for (const auto& [pButton, control] : buttons) m_fieldTips.AddTool(pButton, Utf16(AccessibleName(control)).c_str());
  // A width makes the tip wrap, and its line breaks count.
  constexpr int kTipWidth = 420;
  constexpr int kTipShownMs = 20000;
  m_fieldTips.SendMessage(TTM_SETMAXTIPWIDTH, 0, kTipWidth);
  m_fieldTips.SendMessage(TTM_SETDELAYTIME, TTDT_AUTOPOP, kTipShownMs);
  m_fieldTips.Activate(TRUE);
}

// A tip on show while the inputs change asks for its text again.
void CVantorelDlg::RefreshShownTip() {
  if (m_fieldTips.GetSafeHwnd() != nullptr && m_fieldTips.IsWindowVisible()) m_fieldTips.SendMessage(TTM_UPDATE);
}

// The tools are the fields' windows, so the sender's id is a field's handle.
void CVantorelDlg::OnFieldTipText(UINT, NMHDR* pNMHDR, LRESULT*) {
  auto* pInfo = reinterpret_cast<NMTTDISPINFOW*>(pNMHDR);
  if ((pInfo->uFlags & TTF_IDISHWND) == 0) return;
  const auto hField = reinterpret_cast<HWND>(pNMHDR->idFrom);
  for (const FieldRow& row : kFieldTable) {
    if (row.pTip == nullptr || Field(row.control).m_hWnd != hField) continue;
    m_strTipText = Utf16(*row.pTip(MakeFieldTips(m_setup)));
    pInfo->lpszText = m_strTipText.data();
    return;
  }
}

// Only the dialog's own windows: a tip's window is owned by the dialog, but
// is none of its controls.
BOOL CVantorelDlg::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd)) return FALSE;
  if (m_shortcuts && ::TranslateAcceleratorW(m_hWnd, m_shortcuts.get(), pMsg)) return TRUE;
  if (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST && m_fieldTips.GetSafeHwnd() != nullptr)
    m_fieldTips.RelayEvent(pMsg);
  if (pMsg->message == WM_LBUTTONDOWN)
    for (int i = 0; i < 4; ++i)
      if (pMsg->hwnd == FrameCount(i).m_hWnd) SelectMode(static_cast<RenderMode>(i));
  return CDialogSK::PreTranslateMessage(pMsg);
}

void CVantorelDlg::OnCopyResults() {
  try {
    if (PutTextOnClipboard(m_hWnd, Utf16(ResultsText(MakeRenderRig(m_setup, Framing::Wide))))) return;
    ShowError(L"The results could not be put on the clipboard: another program is holding it. Try again in a moment.",
              L"Copy Results");
  } catch (const std::exception& error) {
    ShowError(L"The results could not be copied: " + Utf16(error.what()), L"Copy Results");
  }
}

void CVantorelDlg::OnExportSetup() {
  const ExportChoice& first = ExportChoices().front();
  const std::wstring strName = Utf16(SuggestedFileStem(m_setup, first.eFraming)) + L"." + first.pszExtension;
  const std::optional<ExportTarget> target = AskExportTarget(m_hWnd, strName);
  if (target) {
    ExportSetupTo(target->strPath, target->choice);
  } else if (const DWORD nError = ExportDialogError(); nError != 0) {
    ShowError(L"The Save As dialog could not be shown (error " + std::to_wstring(nError) + L").",
              L"Export Render Setup");
  }
}

// The path stands on a line of its own: the message box breaks its lines at
// spaces, and a name split in two reads as two.
bool CVantorelDlg::ExportSetupTo(const std::wstring& strPath, const ExportChoice& choice) {
  std::string strReason;
  try {
    const std::string bytes = FormatSetup(MakeRenderRig(m_setup, choice.eFraming), choice.eFormat);
    if (WriteFileAtomically(strPath, bytes, &strReason)) return true;
  } catch (const std::exception& error) {
    strReason = error.what();
  }
  ShowError(L"The render setup was not exported to\n" + strPath + L"\n\n" + Utf16(strReason) + L".", L"Export Render Setup");
  return false;
}

// The frames are checked against the inputs shown; a folder the check cannot
// take is refused here, in the check's own words, and no preview opens.
void CVantorelDlg::OnCheckFrames() {
  constexpr const wchar_t* kCaption = L"Check Rendered Frames";
  HRESULT hr = S_OK;
  const std::optional<std::filesystem::path> folder = AskFolder(m_hWnd, kCaption, &hr);
  if (!folder) {
    if (FAILED(hr)) {
      wchar_t szCode[16];
      std::swprintf(szCode, std::size(szCode), L"0x%08lX", static_cast<unsigned long>(hr));
      ShowError(L"The folder picker could not be shown (error " + std::wstring(szCode) + L").", kCaption);
    }
    return;
  }
  try {
    std::string strSentence;
    if (CPreviewWnd::Open(this, *folder, m_setup, &strSentence) == nullptr) ShowError(Utf16(strSentence), kCaption);
  } catch (const std::exception& error) {
    ShowError(L"The frames could not be checked: " + Utf16(error.what()), kCaption);
  }
}

void CVantorelDlg::ShowError(const std::wstring& strText, const wchar_t* pszCaption) {
  ::MessageBoxW(m_hWnd, strText.c_str(), pszCaption, MB_OK | MB_ICONERROR);
}
