#include "CVantorelDlg.h"

#include <commdlg.h>

#include <cstdlib>

#include "AtomicFile.h"
#include "CAboutDlg.h"
#include "CAccessibleName.h"
#include "Clipboard.h"
#include "ProfileSettings.h"
#include "SetupFormats.h"
#include "Utf.h"
#include "layout.h"

namespace {

// The two fonts' common look: light Arial, 21 pixels high.
constexpr int kFieldFontHeight = 21;
constexpr int kFieldFontWeight = 300;

void MoveTo(CWnd& control, LayoutRect pixels) {
  control.MoveWindow(pixels.x, pixels.y, pixels.w, pixels.h, TRUE);
}

// Between a focused frame-step box with its count and the focus rectangle.
constexpr int kStepMarkMargin = 3;

}  // namespace

BEGIN_MESSAGE_MAP(CVantorelDlg, CDialogSK)
  ON_WM_SYSCOMMAND()
  ON_WM_PAINT()
  ON_WM_QUERYDRAGICON()
  ON_WM_CTLCOLOR()
  ON_EN_CHANGE(IDC_EDIT_WIDTH, &CVantorelDlg::OnChangeWidth)
  ON_EN_CHANGE(IDC_EDIT_HEIGHT, &CVantorelDlg::OnChangeHeight)
  ON_BN_CLICKED(IDC_CHECK_MODE0, &CVantorelDlg::OnClickedMode0)
  ON_BN_CLICKED(IDC_CHECK_MODE1, &CVantorelDlg::OnClickedMode1)
  ON_BN_CLICKED(IDC_CHECK_MODE2, &CVantorelDlg::OnClickedMode2)
  ON_BN_CLICKED(IDC_CHECK_MODE3, &CVantorelDlg::OnClickedMode3)
  ON_BN_CLICKED(IDC_BUTTON_MINIMIZE, &CVantorelDlg::OnClickedMinimize)
  ON_CONTROL(BN_SETFOCUS, IDC_CHECK_MODE0, &CVantorelDlg::OnStepFocusChange)
  ON_CONTROL(BN_SETFOCUS, IDC_CHECK_MODE1, &CVantorelDlg::OnStepFocusChange)
  ON_CONTROL(BN_SETFOCUS, IDC_CHECK_MODE2, &CVantorelDlg::OnStepFocusChange)
  ON_CONTROL(BN_SETFOCUS, IDC_CHECK_MODE3, &CVantorelDlg::OnStepFocusChange)
  ON_CONTROL(BN_KILLFOCUS, IDC_CHECK_MODE0, &CVantorelDlg::OnStepFocusChange)
  ON_CONTROL(BN_KILLFOCUS, IDC_CHECK_MODE1, &CVantorelDlg::OnStepFocusChange)
  ON_CONTROL(BN_KILLFOCUS, IDC_CHECK_MODE2, &CVantorelDlg::OnStepFocusChange)
  ON_CONTROL(BN_KILLFOCUS, IDC_CHECK_MODE3, &CVantorelDlg::OnStepFocusChange)
  ON_WM_DESTROY()
  ON_WM_ENDSESSION()
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
  DDX_Control(pDX, IDC_EDIT_WIDTH, m_editWidth);
  DDX_Control(pDX, IDC_EDIT_HEIGHT, m_editHeight);
  DDX_Control(pDX, IDC_EDIT_FOV, m_editFov);
  DDX_Control(pDX, IDC_EDIT_DISTANCE, m_editDistance);
  DDX_Control(pDX, IDC_EDIT_TRACK, m_editTrack);
  DDX_Control(pDX, IDC_EDIT_TRACK_START, m_editTrackStart);
  DDX_Control(pDX, IDC_EDIT_TRACK_END, m_editTrackEnd);
  DDX_Control(pDX, IDC_EDIT_FRAMES1, m_editFrames[0]);
  DDX_Control(pDX, IDC_EDIT_FRAMES2, m_editFrames[1]);
  DDX_Control(pDX, IDC_EDIT_FRAMES4, m_editFrames[2]);
  DDX_Control(pDX, IDC_EDIT_FRAMES8, m_editFrames[3]);
  DDX_Control(pDX, IDC_EDIT_IMAGE_HEIGHT, m_editImageHeight);
  DDX_Control(pDX, IDC_EDIT_IMAGE_WIDTH, m_editImageWidth);
  DDX_Control(pDX, IDC_CHECK_MODE0, m_checkMode[0]);
  DDX_Control(pDX, IDC_CHECK_MODE1, m_checkMode[1]);
  DDX_Control(pDX, IDC_CHECK_MODE2, m_checkMode[2]);
  DDX_Control(pDX, IDC_CHECK_MODE3, m_checkMode[3]);
  DDX_Control(pDX, IDC_FRAME_LANDSCAPE, m_frameLandscape);
  DDX_Control(pDX, IDC_FRAME_PORTRAIT, m_framePortrait);
  DDX_Control(pDX, IDC_FRAME_SQUARE, m_frameSquare);
  DDX_Control(pDX, IDOK, m_btnClose);
  DDX_Control(pDX, IDC_BUTTON_MINIMIZE, m_btnMinimize);
}

BOOL CVantorelDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  AddSetupCommands();
  AddAboutToSystemMenu();
  SetIcon(m_hIcon, TRUE);
  SetIcon(m_hIcon, FALSE);
  PlaceSkinButtons();
  InstallBackground();

  m_font.CreateFont(kFieldFontHeight, 0, 0, 0, kFieldFontWeight, FALSE, FALSE, 0, ANSI_CHARSET,
                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, L"Arial");
  m_crDark = RGB(56, 56, 56);
  m_crPale = RGB(234, 236, 190);
  m_crBlue = RGB(71, 136, 244);
  m_crYellow = RGB(231, 201, 0);
  m_crGreen = RGB(6, 201, 19);
  m_crLight = RGB(230, 230, 230);
  StyleFields();
  // What the calculator reads is whole millimetres: a field showing 99.5
  // would compute 99.
  for (CColorEdit* pInput : {&m_editWidth, &m_editHeight}) pInput->SetWholeNumbers(true, L"Whole millimetres only");
  CreateFieldTips();
  InstallPreTranslate();
  NameForAssistiveTechnology();

  LoadSettings();
  SelectMode(RenderEveryFrame);
  return TRUE;
}

void CVantorelDlg::AddAboutToSystemMenu() {
  CMenu* pSysMenu = GetSystemMenu(FALSE);
  if (pSysMenu == nullptr) return;
  CString strAboutMenu;
  strAboutMenu.LoadString(IDS_ABOUTBOX);
  if (strAboutMenu.IsEmpty()) return;
  pSysMenu->AppendMenu(MF_SEPARATOR);
  pSysMenu->AppendMenu(MF_STRING, ID_SYS_ABOUT, strAboutMenu);
}

void CVantorelDlg::PlaceSkinButtons() {
  m_btnMinimize.SetToolTipText(L"Minimize");
  m_btnMinimize.SetSkin(IDB_MINIMIZE_NORMAL, IDB_MINIMIZE_PRESSED, IDB_MINIMIZE_OVER, IDB_MINIMIZE_NORMAL);
  MoveTo(m_btnMinimize, kLayoutMinimizeButtonPixels);
  m_btnClose.SetToolTipText(L"Close");
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
  struct Field {
    CColorEdit& edit;
    COLORREF crBack;
    COLORREF crText;
    BOOL bFreeText;
  };
  const Field fields[] = {
      {m_editWidth, m_crPale, m_crDark, FALSE},          {m_editHeight, m_crPale, m_crDark, FALSE},
      {m_editFov, m_crDark, m_crBlue, TRUE},             {m_editDistance, m_crDark, m_crYellow, TRUE},
      {m_editTrack, m_crDark, m_crGreen, TRUE},          {m_editTrackStart, m_crDark, m_crGreen, TRUE},
      {m_editTrackEnd, m_crDark, m_crGreen, TRUE},       {m_editFrames[0], m_crDark, m_crPale, TRUE},
      {m_editFrames[1], m_crDark, m_crPale, TRUE},       {m_editFrames[2], m_crDark, m_crPale, TRUE},
      {m_editFrames[3], m_crDark, m_crPale, TRUE},       {m_editImageHeight, m_crDark, m_crLight, TRUE},
      {m_editImageWidth, m_crDark, m_crLight, TRUE},
  };
  for (const Field& field : fields) {
    field.edit.SetBkColor(field.crBack);
    field.edit.SetTextColor(field.crText);
    field.edit.SetFont(m_font, TRUE);
    if (field.bFreeText) field.edit.m_bFreeText = TRUE;
  }
}

// The title shows in the taskbar and when switching windows; with no title bar
// nothing paints it. The names are those of the captions in the picture.
void CVantorelDlg::NameForAssistiveTechnology() {
  SetWindowText(L"Vantorel");
  struct ControlName {
    int nId;
    const wchar_t* pszName;
  };
  static constexpr ControlName kNames[] = {
      {IDC_EDIT_WIDTH, L"Hologram width, mm"},
      {IDC_EDIT_HEIGHT, L"Hologram height, mm"},
      {IDC_EDIT_FOV, L"Camera field of view"},
      {IDC_EDIT_DISTANCE, L"Camera distance"},
      {IDC_EDIT_TRACK, L"Camera track"},
      {IDC_EDIT_TRACK_START, L"Camera track start"},
      {IDC_EDIT_TRACK_END, L"Camera track end"},
      {IDC_EDIT_FRAMES1, L"Frames, every frame"},
      {IDC_EDIT_FRAMES2, L"Frames, every 2nd frame"},
      {IDC_EDIT_FRAMES4, L"Frames, every 4th frame"},
      {IDC_EDIT_FRAMES8, L"Frames, every 8th frame"},
      {IDC_EDIT_IMAGE_HEIGHT, L"Rendered image height"},
      {IDC_EDIT_IMAGE_WIDTH, L"Rendered image width"},
      {IDC_CHECK_MODE0, L"Every frame"},
      {IDC_CHECK_MODE1, L"Every 2nd frame"},
      {IDC_CHECK_MODE2, L"Every 4th frame"},
      {IDC_CHECK_MODE3, L"Every 8th frame"},
      {IDC_BUTTON_MINIMIZE, L"Minimize"},
      {IDOK, L"Close"},
  };
  for (const ControlName& control : kNames) CAccessibleName::Attach(::GetDlgItem(m_hWnd, control.nId), control.pszName);
}

void CVantorelDlg::LoadSettings() {
  m_strIniPath = CString(BuildIniPath());
  m_setup.nWidthMm = ReadProfileInt(m_strIniPath, kSettingsSection, kWidthKey, kDefaultWidthMm);
  m_setup.nHeightMm = ReadProfileInt(m_strIniPath, kSettingsSection, kHeightKey, kDefaultHeightMm);

  // Each write raises the field's change notification, which applies the
  // input rule: a stored 0, or a text the number filter empties, becomes 1.
  CString text;
  text.Format(L"%d", m_setup.nWidthMm);
  m_editWidth.SetWindowText(text);
  text.Format(L"%d", m_setup.nHeightMm);
  m_editHeight.SetWindowText(text);
}

void CVantorelDlg::SaveSettings() {
  WriteProfileInt(m_strIniPath, kSettingsSection, kWidthKey, m_setup.nWidthMm);
  WriteProfileInt(m_strIniPath, kSettingsSection, kHeightKey, m_setup.nHeightMm);
}

// The shortcuts arrive here too: the platform sends an accelerator whose
// command is in the system menu as that menu's command.
void CVantorelDlg::OnSysCommand(UINT nID, LPARAM lParam) {
  if ((nID & 0xFFF0) == ID_SYS_ABOUT) {
    CAboutDlg dlgAbout;
    dlgAbout.DoModal();
  } else if ((nID & 0xFFF0) == ID_SYS_COPY_RESULTS) {
    OnCopyResults();
  } else if ((nID & 0xFFF0) == ID_SYS_EXPORT_SETUP) {
    OnExportSetup();
  } else {
    CDialogSK::OnSysCommand(nID, lParam);
  }
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
  }
}

void CVantorelDlg::OnChangeWidth() {
  ApplyInputRule(m_editWidth, m_setup.nWidthMm);
  ComputeAndShow();
}

void CVantorelDlg::OnChangeHeight() {
  ApplyInputRule(m_editHeight, m_setup.nHeightMm);
  ComputeAndShow();
}

void CVantorelDlg::OnClickedMode0() { SelectMode(RenderEveryFrame); }
void CVantorelDlg::OnClickedMode1() { SelectMode(RenderEvery2ndFrame); }
void CVantorelDlg::OnClickedMode2() { SelectMode(RenderEvery4thFrame); }
void CVantorelDlg::OnClickedMode3() { SelectMode(RenderEvery8thFrame); }

// The button's own top-level window: the dialog minimises itself whether or
// not an application object names it the main window.
void CVantorelDlg::OnClickedMinimize() {
  m_btnMinimize.GetTopLevelParent()->SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
}

// The boxes are too small to show the platform's focus rectangle, so the
// window draws one around the focused box and the frame count it chooses.
void CVantorelDlg::OnStepFocusChange() {
  for (int i = 0; i < 4; ++i) {
    const CRect rcMark = StepMarkRect(i);
    ::RedrawWindow(m_hWnd, &rcMark, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }
}

void CVantorelDlg::DrawStepFocus(CDC& dc) {
  for (int i = 0; i < 4; ++i)
    if (::GetFocus() == m_checkMode[i].m_hWnd) dc.DrawFocusRect(StepMarkRect(i));
}

CRect CVantorelDlg::StepMarkRect(int nStep) const {
  CRect rcBox, rcCount, rcMark;
  m_checkMode[nStep].GetWindowRect(&rcBox);
  m_editFrames[nStep].GetWindowRect(&rcCount);
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

void CVantorelDlg::ComputeAndShow() {
  m_result = CalculateRendering(m_setup);
  const RenderTexts texts = FormatRenderTexts(m_setup, m_result);
  m_editFov.SetWindowText(texts.strFov.c_str());
  m_editImageHeight.SetWindowText(texts.strImageHeight.c_str());
  m_editImageWidth.SetWindowText(texts.strImageWidth.c_str());
  for (int i = 0; i < 4; ++i) m_editFrames[i].SetWindowText(texts.strFrames[i].c_str());
  m_editTrack.SetWindowText(texts.strTrackLength.c_str());
  m_editTrackStart.SetWindowText(texts.strTrackStart.c_str());
  m_editTrackEnd.SetWindowText(texts.strTrackEnd.c_str());
  m_editDistance.SetWindowText(texts.strDistance.c_str());
  ShowOutline();
  ShowFieldTips();
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
  m_preTranslate.reset();
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

void CVantorelDlg::AddSetupCommands() {
  CMenu* pSysMenu = GetSystemMenu(FALSE);
  if (pSysMenu == nullptr) return;
  CString strCopy, strExport;
  strCopy.LoadString(IDS_COPY_RESULTS);
  strExport.LoadString(IDS_EXPORT_SETUP);
  pSysMenu->AppendMenu(MF_SEPARATOR);
  pSysMenu->AppendMenu(MF_STRING, ID_SYS_COPY_RESULTS, strCopy);
  pSysMenu->AppendMenu(MF_STRING, ID_SYS_EXPORT_SETUP, strExport);
}

void CVantorelDlg::InstallPreTranslate() {
  m_hShortcuts = ::LoadAcceleratorsW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_SHORTCUTS));
  m_preTranslate.emplace(m_hWnd, [this](const MSG& msg) { return PreTranslate(msg); });
}

void CVantorelDlg::CreateFieldTips() {
  // A new tip control has no texts yet, whatever an earlier window showed.
  m_shownTips = {};
  if (!m_fieldTips.Create(this, TTS_ALWAYSTIP | TTS_NOPREFIX)) return;
  CColorEdit* const tools[] = {&m_editWidth,     &m_editHeight,     &m_editFov,          &m_editFrames[0],
                               &m_editFrames[1], &m_editFrames[2], &m_editFrames[3],    &m_editImageWidth,
                               &m_editImageHeight};
  for (CColorEdit* pEdit : tools) m_fieldTips.AddTool(pEdit, L"");
  // A width makes the tip wrap, and its line breaks count.
  constexpr int kTipWidth = 420;
  constexpr int kTipShownMs = 20000;
  m_fieldTips.SendMessage(TTM_SETMAXTIPWIDTH, 0, kTipWidth);
  m_fieldTips.SendMessage(TTM_SETDELAYTIME, TTDT_AUTOPOP, kTipShownMs);
  m_fieldTips.Activate(TRUE);
}

// Only the tips whose text changed are sent: a keystroke changes two or three.
void CVantorelDlg::ShowFieldTips() {
  if (m_fieldTips.GetSafeHwnd() == nullptr) return;
  const FieldTips tips = MakeFieldTips(m_setup);
  const auto update = [this](const std::string& strNew, const std::string& strShown, CWnd& field) {
    if (strNew != strShown) m_fieldTips.UpdateTipText(Utf16(strNew).c_str(), &field);
  };
  update(tips.strWidth, m_shownTips.strWidth, m_editWidth);
  update(tips.strHeight, m_shownTips.strHeight, m_editHeight);
  update(tips.strFov, m_shownTips.strFov, m_editFov);
  for (int i = 0; i < 4; ++i) update(tips.strFrames[i], m_shownTips.strFrames[i], m_editFrames[i]);
  update(tips.strImage, m_shownTips.strImage, m_editImageWidth);
  update(tips.strImage, m_shownTips.strImage, m_editImageHeight);
  m_shownTips = tips;
}

// The shortcuts, the tool tips' view of the pointer, and a click on a frame
// count, which picks that frame step as its box does.
bool CVantorelDlg::PreTranslate(const MSG& msg) {
  MSG copy = msg;
  if (m_hShortcuts != nullptr && ::TranslateAcceleratorW(m_hWnd, m_hShortcuts, &copy)) return true;
  if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST && m_fieldTips.GetSafeHwnd() != nullptr)
    m_fieldTips.RelayEvent(&copy);
  if (msg.message == WM_LBUTTONDOWN)
    for (int i = 0; i < 4; ++i)
      if (msg.hwnd == m_editFrames[i].m_hWnd) SelectMode(static_cast<RenderMode>(i));
  return false;
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
  const std::wstring strName = Utf16(SuggestedFileStem(m_setup)) + L"." + ExportChoices().front().pszExtension;
  const std::optional<ExportTarget> target = AskExportTarget(m_hWnd, strName);
  if (target) {
    ExportSetupTo(target->strPath, target->choice);
  } else if (const DWORD nError = ::CommDlgExtendedError(); nError != 0) {
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

void CVantorelDlg::ShowError(const std::wstring& strText, const wchar_t* pszCaption) {
  ::MessageBoxW(m_hWnd, strText.c_str(), pszCaption, MB_OK | MB_ICONERROR);
}
