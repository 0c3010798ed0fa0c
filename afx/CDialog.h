#pragma once
#include "CDataExchange.h"
#include "CWnd.h"

// Sent by the modal loop to its dialog when the queue runs dry, with
// MSGF_DIALOGBOX and a count of the calls, and again each time it runs dry
// until the dialog returns zero: for work that need not be done before the
// window is up and waiting for input.
constexpr UINT WM_KICKIDLE = 0x036A;

class CDialog : public CWnd {
  DECLARE_DYNAMIC(CDialog)

 public:
  explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

  // Runs the dialog modally in the library's own loop, so that the dialog and
  // its controls see each message first (PreTranslateMessage); the value
  // given to EndDialog, or -1 when the dialog could not be created or the
  // loop met WM_QUIT, which it leaves in the queue for the loop outside.
  virtual INT_PTR DoModal();
  // Creates the dialog modeless.
  BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  // Hides the dialog, gives its owner back and ends a modal loop.
  void EndDialog(int nResult);

  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

 protected:
  UINT m_nIDHelp;
  LPCWSTR m_lpszTemplateName;
  CWnd* m_pParentWnd;

  HWND OwnerWindow() const;

 private:
  HWND CreateFromTemplate(HWND hOwner);
  void RunModalLoop();

  bool m_bContinueModal = false;
  INT_PTR m_nModalResult = -1;

  DECLARE_MESSAGE_MAP()
};

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
