#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "CheckReport.h"
#include "afxwin.h"

// One mark per frame across the bar, in the check's colours for sound,
// suspect and bad, and grey for a frame not judged yet; where frames
// outnumber pixels a column shows the worst of its frames. The frame shown is
// outlined. A click chooses the frame under the pointer and tells the parent
// by a command with the code FBN_FRAMECHOSEN.
class CFrameBar : public CWnd {
 public:
  static constexpr WORD FBN_FRAMECHOSEN = 1;

  BOOL Create(CWnd* pParentWnd, UINT nID, int32_t nFrames);
  void SetMark(int32_t nFrame, FrameMark mark);
  void SetMarks(const std::vector<FrameMark>& marks);
  void SetCurrent(int32_t nFrame);
  int32_t ChosenFrame() const { return m_nChosen; }

 protected:
  void OnPaint();
  BOOL OnEraseBkgnd(CDC*) { return TRUE; }
  void OnLButtonDown(UINT nFlags, CPoint point);

  DECLARE_MESSAGE_MAP()

 private:
  // Frames first..last (1-based, inclusive) that column x of a bar nWidth wide shows.
  std::pair<int32_t, int32_t> FramesAt(int x, int nWidth) const;
  // The columns that show frame nFrame.
  CRect ColumnsOf(int32_t nFrame, const CRect& client) const;
  void Draw(CDC* pDC, const CRect& client);
  int FrameCount() const { return static_cast<int>(m_marks.size()); }

  std::vector<std::optional<FrameMark>> m_marks;  // none: not judged yet
  int32_t m_nCurrent = 0;
  int32_t m_nChosen = 0;
};
