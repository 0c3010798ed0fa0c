#include "CPreviewWnd.h"

#include <algorithm>
#include <thread>

#include "CAccessibleName.h"
#include "Clipboard.h"
#include "PreviewControls.h"
#include "Utf.h"

namespace {

constexpr UINT kFindingsMessage = WM_APP + 1;
// Findings are shown ten times a second at most: shown as each batch came,
// the window's painting took a third of the two cores the check runs on.
constexpr UINT_PTR kShowFindingsTimer = 1;
constexpr UINT kShowFindingsMs = 100;
// About 100 frames of a 30 x 20 mm hologram's columns (300 x 200 px).
constexpr size_t kCacheBytes = size_t{24} << 20;
constexpr int kWidth = 900;
constexpr int kHeight = 480;
constexpr int kMargin = 8;
constexpr int kGap = 6;
constexpr int kLineHeight = 18;
constexpr int kBarHeight = 20;
constexpr int kRowHeight = 26;
constexpr int kCancelWidth = 90;
constexpr int kCopyWidth = 170;

std::wstring FolderName(const std::filesystem::path& folder) {
  const std::filesystem::path name = folder.has_filename() ? folder.filename() : folder.parent_path().filename();
  return name.empty() ? folder.wstring() : name.wstring();
}

// A window of the usual size, centred on the owner's screen and kept on it.
CRect PlaceOn(const CWnd* pOwner) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  ::GetMonitorInfoW(::MonitorFromWindow(pOwner != nullptr ? pOwner->m_hWnd : nullptr, MONITOR_DEFAULTTOPRIMARY),
                    &monitor);
  const CRect work = monitor.rcWork;
  const int w = std::min(kWidth, work.Width());
  const int h = std::min(kHeight, work.Height());
  const int x = work.left + (work.Width() - w) / 2;
  const int y = work.top + (work.Height() - h) / 2;
  return CRect(x, y, x + w, y + h);
}

std::wstring Counted(int32_t nDone, int32_t nAll) { return std::to_wstring(nDone) + L" of " + std::to_wstring(nAll); }

}  // namespace

BEGIN_MESSAGE_MAP(CPreviewWnd, CWnd)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_ACTIVATE()
  ON_WM_SETFOCUS()
  ON_WM_DESTROY()
  ON_CONTROL(CFramePicture::FPN_FRAMECHANGED, IDC_PREVIEW_PICTURE, &CPreviewWnd::OnFrameChanged)
  ON_CONTROL(CFrameBar::FBN_FRAMECHOSEN, IDC_PREVIEW_BAR, &CPreviewWnd::OnFrameChosen)
  ON_BN_CLICKED(IDC_PREVIEW_CANCEL, &CPreviewWnd::OnCancelCheck)
  ON_BN_CLICKED(IDC_PREVIEW_COPY_LIST, &CPreviewWnd::OnCopyList)
  ON_MESSAGE(kFindingsMessage, &CPreviewWnd::OnFindings)
  ON_WM_TIMER()
END_MESSAGE_MAP()

CPreviewWnd::CPreviewWnd(CheckRequest request, CheckOutcome plan)
    : m_request(std::move(request)),
      m_plan(std::move(plan)),
      m_cache(m_plan.files, m_plan.rig, m_request.nFirstFrame, kCacheBytes) {}

CPreviewWnd* CPreviewWnd::Open(CWnd* pOwner, const std::filesystem::path& folder, const RenderSetup& setup,
                               std::string* pSentence) {
  CheckRequest request;
  request.folder = folder;
  request.setup = setup;
  request.nJobs = static_cast<int32_t>(std::max(1u, std::thread::hardware_concurrency()));
  std::unique_ptr<CPreviewWnd> pWnd;
  try {
    CheckOutcome plan = CheckRequestPossible(request);
    pWnd.reset(new CPreviewWnd(std::move(request), std::move(plan)));
  } catch (const CheckError& e) {
    *pSentence = e.what();
    return nullptr;
  }
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_PROGRESS_CLASS};
  ::InitCommonControlsEx(&controls);
  const std::wstring title = L"Rendered frames - " + FolderName(folder);
  const LPCWSTR className = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW),
                                                reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  if (!pWnd->CreateEx(WS_EX_APPWINDOW | WS_EX_CONTROLPARENT, className, title.c_str(),
                      WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, PlaceOn(pOwner), pOwner, 0)) {
    *pSentence = "the preview window could not be made (error " + std::to_string(::GetLastError()) + ")";
    return nullptr;
  }
  pWnd->m_bOwnsSelf = true;
  if (pOwner != nullptr) {
    const auto icon = [pOwner](WPARAM size) { return reinterpret_cast<HICON>(pOwner->SendMessage(WM_GETICON, size)); };
    pWnd->SetIcons(icon(ICON_BIG), icon(ICON_SMALL));
  }
  pWnd->ShowWindow(SW_SHOW);
  return pWnd.release();
}

// A window that failed to be made is deleted by Open instead.
void CPreviewWnd::PostNcDestroy() {
  if (m_bOwnsSelf) delete this;
}

int CPreviewWnd::OnCreate(LPCREATESTRUCT) {
  CreateControls();
  m_picture.ShowFrame(1);
  m_worker = std::make_unique<CheckWorker>(m_request, std::move(m_plan), m_hWnd, kFindingsMessage);
  return 0;
}

// In the order Tab visits them.
void CPreviewWnd::CreateControls() {
  const DWORD child = WS_CHILD | WS_VISIBLE;
  m_picture.Create(this, IDC_PREVIEW_PICTURE, &m_cache);
  m_frameLine.CreateEx(0, L"STATIC", L"", child | SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, CRect(), this,
                       IDC_PREVIEW_FRAME);
  m_bar.Create(this, IDC_PREVIEW_BAR, m_cache.FrameCount());
  m_summary.CreateEx(WS_EX_CLIENTEDGE, L"EDIT", L"", child | WS_TABSTOP | ES_READONLY | ES_AUTOHSCROLL, CRect(),
                     this, IDC_PREVIEW_SUMMARY);
  m_progress.CreateEx(0, PROGRESS_CLASSW, L"", child, CRect(), this, IDC_PREVIEW_PROGRESS);
  m_cancel.CreateEx(0, L"BUTTON", L"Cancel", child | WS_TABSTOP | BS_PUSHBUTTON, CRect(), this, IDC_PREVIEW_CANCEL);
  m_copy.CreateEx(0, L"BUTTON", L"Copy Render-Again List", child | WS_TABSTOP | BS_PUSHBUTTON | WS_DISABLED, CRect(),
                  this, IDC_PREVIEW_COPY_LIST);
  const auto font = reinterpret_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  for (CWnd* pControl : {static_cast<CWnd*>(&m_frameLine), static_cast<CWnd*>(&m_summary),
                         static_cast<CWnd*>(&m_cancel), static_cast<CWnd*>(&m_copy)})
    pControl->SetFont(font, FALSE);
  // The buttons and the frame line are read by their texts.
  const std::pair<CWnd*, const wchar_t*> names[] = {{&m_picture, L"Rendered frame"},
                                                     {&m_bar, L"Frames by state"},
                                                     {&m_progress, L"Checking frames"},
                                                     {&m_summary, L"Check summary"}};
  for (const auto& [pControl, name] : names) CAccessibleName::Attach(pControl->m_hWnd, name);
  m_progress.SetRange32(0, m_cache.FrameCount());
  m_summary.SetWindowText((L"Checking frames: " + Counted(0, m_cache.FrameCount())).c_str());
}

// Rows from the bottom up: the progress bar and Cancel while the check runs,
// the summary and the copy button, the bar, the frame line; the picture takes
// what is left.
void CPreviewWnd::LayOut() {
  CRect client;
  GetClientRect(&client);
  const int left = kMargin;
  const int right = std::max(left, static_cast<int>(client.right) - kMargin);
  int bottom = client.bottom - kMargin;
  const auto row = [&](int height) {
    bottom -= height;
    const int top = bottom;
    bottom -= kGap;
    return top;
  };
  const auto place = [](CWnd& control, int x0, int y, int x1, int height) {
    control.MoveWindow(x0, y, std::max(0, x1 - x0), height);
  };
  if (m_bChecking) {
    const int y = row(kRowHeight);
    place(m_progress, left, y + 4, right - kCancelWidth - kGap, kRowHeight - 8);
    place(m_cancel, right - kCancelWidth, y, right, kRowHeight);
  }
  int y = row(kRowHeight);
  place(m_summary, left, y + 2, right - kCopyWidth - kGap, kRowHeight - 4);
  place(m_copy, right - kCopyWidth, y, right, kRowHeight);
  place(m_bar, left, row(kBarHeight), right, kBarHeight);
  place(m_frameLine, left, row(kLineHeight), right, kLineHeight);
  place(m_picture, left, kMargin, right, std::max(0, bottom - kMargin));
}

void CPreviewWnd::OnSize(UINT, int, int) {
  if (m_copy.m_hWnd != nullptr) LayOut();
}

// A top-level window that is not a dialog gives the focus back to itself;
// it goes on to the control that had it.
void CPreviewWnd::OnActivate(UINT nState, CWnd*, BOOL) {
  if (nState == WA_INACTIVE) {
    const HWND hWndFocus = ::GetFocus();
    if (hWndFocus != nullptr && ::IsChild(m_hWnd, hWndFocus)) m_hWndFocus = hWndFocus;
  }
  Default();
}

void CPreviewWnd::OnSetFocus(CWnd*) {
  const bool bBack = m_hWndFocus != nullptr && ::IsWindowVisible(m_hWndFocus) && ::IsWindowEnabled(m_hWndFocus);
  ::SetFocus(bBack ? m_hWndFocus : m_picture.m_hWnd);
}

// The worker is stopped and waited for before the window goes, so that it
// never posts to a window that is gone.
void CPreviewWnd::OnDestroy() {
  if (m_worker) m_worker->Stop();
  Default();
}

void CPreviewWnd::OnFrameChanged() {
  const int32_t nFrame = m_picture.Frame();
  const std::string file = m_cache.FileOf(nFrame);
  std::wstring line = L"Frame " + Counted(nFrame, m_cache.FrameCount()) + L": ";
  if (file.empty()) line += Utf16(m_picture.Reason());
  else if (m_picture.Reason().empty()) line += Utf16(file);
  else line += Utf16(file + ", " + m_picture.Reason());
  m_frameLine.SetWindowText(line.c_str());
  m_bar.SetCurrent(nFrame);
}

void CPreviewWnd::OnFrameChosen() { m_picture.ShowFrame(m_bar.ChosenFrame()); }

void CPreviewWnd::OnCancelCheck() { m_worker->Cancel(); }

void CPreviewWnd::OnCopyList() {
  if (m_strRerender.empty()) return;
  if (PutTextOnClipboard(m_hWnd, Utf16("-f " + m_strRerender))) return;
  ::MessageBoxW(m_hWnd, L"The render-again list could not be put on the clipboard: another program is holding it. "
                        L"Try again in a moment.",
                L"Copy Render-Again List", MB_OK | MB_ICONERROR);
}

// The worker posts no more until the findings are taken, so the timer is
// set once per batch.
LRESULT CPreviewWnd::OnFindings(WPARAM, LPARAM) {
  SetTimer(kShowFindingsTimer, kShowFindingsMs);
  return 0;
}

void CPreviewWnd::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kShowFindingsTimer) {
    Default();
    return;
  }
  KillTimer(kShowFindingsTimer);
  ShowFindings();
}

void CPreviewWnd::ShowFindings() {
  CheckWorker::Findings findings = m_worker->Take();
  for (const auto& [nFrame, mark] : findings.judged) m_bar.SetMark(nFrame, mark);
  m_nJudged += static_cast<int32_t>(findings.judged.size());
  if (findings.bEnded) {
    EndCheck(findings);
    return;
  }
  m_progress.SetPos(m_nJudged);
  m_summary.SetWindowText((L"Checking frames: " + Counted(m_nJudged, m_cache.FrameCount())).c_str());
}

// The finished report's marks replace those given as frames were judged:
// only the whole report knows which frames equal others.
void CPreviewWnd::EndCheck(CheckWorker::Findings& findings) {
  std::wstring summary;
  if (findings.outcome) {
    const CheckReport& report = findings.outcome->report;
    m_bar.SetMarks(report.Marks());
    m_strRerender = report.RerenderList();
    summary = Utf16(report.SummaryLine());
  } else if (findings.bCancelled) {
    summary = L"Check cancelled after " + Counted(m_nJudged, m_cache.FrameCount()) + L" frames";
  } else {
    summary = L"The check stopped: " + Utf16(findings.strFailure);
  }
  m_bChecking = false;
  m_summary.SetWindowText(summary.c_str());
  m_copy.EnableWindow(!m_strRerender.empty());
  if (::GetFocus() == m_cancel.m_hWnd) m_picture.SetFocus();
  m_progress.ShowWindow(SW_HIDE);
  m_cancel.ShowWindow(SW_HIDE);
  LayOut();
}

// Ctrl+C copies the list unless the summary has text selected to copy.
BOOL CPreviewWnd::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN && pMsg->wParam == 'C' && ::GetKeyState(VK_CONTROL) < 0) {
    DWORD nStart = 0;
    DWORD nEnd = 0;
    m_summary.SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&nStart), reinterpret_cast<LPARAM>(&nEnd));
    if (pMsg->hwnd != m_summary.m_hWnd || nStart == nEnd) {
      OnCopyList();
      return TRUE;
    }
  }
  return ::IsDialogMessageW(m_hWnd, pMsg);
}
