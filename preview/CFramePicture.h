#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "FrameCache.h"
#include "afxwin.h"

// The hologram as a viewer walking past it sees it: one frame's hologram
// columns, scaled to fit with their aspect kept, or a grey placeholder with
// the reason a frame cannot be shown. The pointer's place across the picture
// chooses the frame, left edge frame 1 to right edge frame N; so do the keys
// (Left, Right, Page Up, Page Down, Home, End), and Space plays a sweep there
// and back. Each change of frame is told to the parent as a command with the
// code FPN_FRAMECHANGED.
class CFramePicture : public CWnd {
 public:
  static constexpr WORD FPN_FRAMECHANGED = 1;

  BOOL Create(CWnd* pParentWnd, UINT nID, FrameCache* pCache);
  // Shows frame nFrame, held to 1..N.
  void ShowFrame(int32_t nFrame);
  int32_t Frame() const { return m_nFrame; }
  // Why the frame shown cannot be shown; empty when it is.
  const std::string& Reason() const { return m_strReason; }
  bool IsSweeping() const { return m_nSweepStep != 0; }

 protected:
  void OnPaint();
  BOOL OnEraseBkgnd(CDC*) { return TRUE; }
  void OnMouseMove(UINT nFlags, CPoint point);
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  UINT OnGetDlgCode() { return DLGC_WANTARROWS | DLGC_WANTCHARS; }
  void OnSetFocus(CWnd*) { Invalidate(FALSE); }
  void OnKillFocus(CWnd*) { Invalidate(FALSE); }
  void OnTimer(UINT_PTR nIDEvent);

  DECLARE_MESSAGE_MAP()

 private:
  void ToggleSweep();
  void Draw(CDC* pDC, const CRect& client);

  FrameCache* m_pCache = nullptr;
  int32_t m_nFrame = 0;
  std::shared_ptr<const FrameColumns> m_columns;
  std::string m_strReason;
  int32_t m_nSweepStep = 0;  // +1 or -1 while a sweep plays
};
