#include "CFrameBar.h"

#include <algorithm>

#include "ReportPicture.h"

namespace {

constexpr COLORREF kNotJudged = RGB(160, 160, 160);
constexpr COLORREF kCurrent = RGB(0, 0, 0);

COLORREF Rgb(const PictureLayout::Colour& colour) {
  const auto byte = [](float v) { return static_cast<BYTE>(v * 255.0f + 0.5f); };
  return RGB(byte(colour[0]), byte(colour[1]), byte(colour[2]));
}

// The report picture's colours, so that the window and the picture agree.
COLORREF ColourOf(const std::optional<FrameMark>& mark) {
  if (!mark) return kNotJudged;
  switch (*mark) {
    case FrameMark::Sound: return Rgb(PictureLayout::kSound);
    case FrameMark::Suspect: return Rgb(PictureLayout::kSuspect);
    case FrameMark::Bad: return Rgb(PictureLayout::kBad);
  }
  return kNotJudged;
}

}  // namespace

BEGIN_MESSAGE_MAP(CFrameBar, CWnd)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

BOOL CFrameBar::Create(CWnd* pParentWnd, UINT nID, int32_t nFrames) {
  m_marks.assign(static_cast<size_t>(std::max(nFrames, 0)), std::nullopt);
  const LPCWSTR className = AfxRegisterWndClass(CS_HREDRAW, ::LoadCursorW(nullptr, IDC_HAND));
  return CreateEx(0, className, L"Frames by state", WS_CHILD | WS_VISIBLE, CRect(), pParentWnd, nID);
}

void CFrameBar::SetMark(int32_t nFrame, FrameMark mark) {
  if (nFrame < 1 || nFrame > FrameCount()) return;
  m_marks[static_cast<size_t>(nFrame - 1)] = mark;
  Invalidate(FALSE);
}

void CFrameBar::SetMarks(const std::vector<FrameMark>& marks) {
  m_marks.assign(marks.begin(), marks.end());
  Invalidate(FALSE);
}

void CFrameBar::SetCurrent(int32_t nFrame) {
  m_nCurrent = nFrame;
  Invalidate(FALSE);
}

std::pair<int32_t, int32_t> CFrameBar::FramesAt(int x, int nWidth) const {
  const int64_t frames = FrameCount();
  const auto first = static_cast<int32_t>(frames * x / nWidth);
  const auto last = static_cast<int32_t>(std::max<int64_t>(first + 1, frames * (x + 1) / nWidth));
  return {first + 1, last};
}

// Found through FramesAt, so that the outline lies exactly on the frame's mark.
CRect CFrameBar::ColumnsOf(int32_t nFrame, const CRect& client) const {
  CRect columns(-1, 0, -1, client.Height());
  for (int x = 0; x < client.Width(); ++x) {
    const auto [first, last] = FramesAt(x, client.Width());
    if (nFrame < first || nFrame > last) continue;
    if (columns.left < 0) columns.left = x;
    columns.right = x + 1;
  }
  return columns;
}

// Drawn off screen and put up in one piece, as marks arrive many times a second.
void CFrameBar::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  if (client.Width() <= 0 || client.Height() <= 0 || m_marks.empty()) return;
  CMemDC buffered(dc, this);
  Draw(&buffered.GetDC(), client);
}

// Each run of columns of one colour is filled at once.
void CFrameBar::Draw(CDC* pDC, const CRect& client) {
  const auto colourAt = [this, &client](int x) {
    const auto [first, last] = FramesAt(x, client.Width());
    return ColourOf(*std::max_element(m_marks.begin() + first - 1, m_marks.begin() + last));
  };
  for (int x = 0; x < client.Width();) {
    const COLORREF colour = colourAt(x);
    int end = x + 1;
    while (end < client.Width() && colourAt(end) == colour) ++end;
    pDC->FillRect(CRect(x, 0, end, client.Height()), CBrush(colour));
    x = end;
  }
  if (m_nCurrent >= 1 && m_nCurrent <= FrameCount()) {
    const CRect current = ColumnsOf(m_nCurrent, client);
    ::FrameRect(*pDC, &current, CBrush(kCurrent));
  }
}

void CFrameBar::OnLButtonDown(UINT, CPoint point) {
  CRect client;
  GetClientRect(&client);
  if (client.Width() <= 0 || m_marks.empty()) return;
  m_nChosen = FramesAt(std::clamp<int>(point.x, 0, client.Width() - 1), client.Width()).first;
  GetParent()->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), FBN_FRAMECHOSEN), reinterpret_cast<LPARAM>(m_hWnd));
}
