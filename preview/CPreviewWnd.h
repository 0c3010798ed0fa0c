#pragma once
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "CFrameBar.h"
#include "CFramePicture.h"
#include "CheckWorker.h"
#include "FrameCache.h"
#include "afxwin.h"

// The rendered frames of one folder, walked past as a viewer of the hologram
// would, while the check of the folder runs behind a progress bar: the
// picture of the frame shown, its number and file, a bar of every frame's
// mark, the check's summary line and the frames to render again, for the
// clipboard. A top-level window owned by the window that opened it; it
// deletes itself when destroyed.
class CPreviewWnd : public CWnd {
 public:
  // Opens the preview of the sequence in folder, checked against setup; the
  // window deletes itself when destroyed, and is destroyed with pOwner. Null,
  // with the check's sentence in *pSentence, when the check cannot be made;
  // nothing opens then.
  static CPreviewWnd* Open(CWnd* pOwner, const std::filesystem::path& folder, const RenderSetup& setup,
                           std::string* pSentence);

  // Keys of the whole window: Ctrl+C copies the render-again list, Tab moves
  // between the controls.
  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  // plan: the check as far as it goes before judging a frame.
  CPreviewWnd(CheckRequest request, CheckOutcome plan);
  void PostNcDestroy() override;

  int OnCreate(LPCREATESTRUCT);
  void OnSize(UINT nType, int cx, int cy);
  void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
  void OnSetFocus(CWnd*);
  void OnDestroy();
  void OnFrameChanged();
  void OnFrameChosen();
  void OnCancelCheck();
  void OnCopyList();
  LRESULT OnFindings(WPARAM, LPARAM);
  void OnTimer(UINT_PTR nIDEvent);

  DECLARE_MESSAGE_MAP()

 private:
  void CreateControls();
  void LayOut();
  void ShowFindings();
  void EndCheck(CheckWorker::Findings& findings);

  const ImageThread m_imageThread;  // for the frames the picture reads, as long as the window lives
  const CheckRequest m_request;
  CheckOutcome m_plan;  // the check's start, the worker's once it runs
  FrameCache m_cache;
  std::unique_ptr<CheckWorker> m_worker;
  bool m_bOwnsSelf = false;
  bool m_bChecking = true;
  int32_t m_nJudged = 0;
  std::string m_strRerender;  // the frames to render again; empty: nothing to copy
  HWND m_hWndFocus = nullptr;  // the control that had the focus when the window was left

  CFramePicture m_picture;
  CStatic m_frameLine;
  CFrameBar m_bar;
  CEdit m_summary;
  CProgressCtrl m_progress;
  CButton m_cancel;
  CButton m_copy;
};
