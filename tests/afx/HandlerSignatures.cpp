// Compiled, not run: with no MISFIT_ macro every handler fits its entry; each
// MISFIT_ macro swaps in one handler of the wrong type.
#include "afxwin.h"

class CSignatureWnd : public CWnd {
 public:
#ifdef MISFIT_ERASEBKGND
  void OnEraseBkgnd(CDC*) {}
#else
  BOOL OnEraseBkgnd(CDC*) { return TRUE; }
#endif
#ifdef MISFIT_BN_CLICKED
  void OnClicked(int) {}
#else
  void OnClicked() {}
#endif
#ifdef MISFIT_CONTROL_RANGE
  void OnStep() {}
#else
  void OnStep(UINT) {}
#endif
  void OnSize(UINT, int, int) {}
  LRESULT OnPrivate(WPARAM, LPARAM) { return 0; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSignatureWnd, CWnd)
  ON_WM_ERASEBKGND()
  ON_BN_CLICKED(100, &CSignatureWnd::OnClicked)
  ON_CONTROL_RANGE(BN_CLICKED, 110, 113, &CSignatureWnd::OnStep)
  ON_WM_SIZE()
  ON_MESSAGE(WM_APP, &CSignatureWnd::OnPrivate)
END_MESSAGE_MAP()
