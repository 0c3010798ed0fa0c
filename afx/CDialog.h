#pragma once
#include "CDataExchange.h"
#include "CWnd.h"

class CDialog : public CWnd {
  DECLARE_DYNAMIC(CDialog)

 public:
  explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

  // Runs the dialog modally; the value given to EndDialog, or -1 when the
  // dialog could not be created.
  virtual INT_PTR DoModal();
  // Creates the dialog modeless.
  BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
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

  DECLARE_MESSAGE_MAP()
};

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
