#include <gtest/gtest.h>

#include "TestIds.h"
#include "afxwin.h"

namespace {

class CSmokeEdit : public CEdit {
 public:
  int updates = 0;
  void OnUpdate() { ++updates; }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CSmokeEdit, CEdit)
  ON_CONTROL_REFLECT(EN_UPDATE, &CSmokeEdit::OnUpdate)
END_MESSAGE_MAP()

class CSmokeDlg : public CDialog {
 public:
  CSmokeDlg() : CDialog(IDD_TEST) {}
  CSmokeEdit edit;
  int changes = 0, updates = 0, inits = 0;
  BOOL OnInitDialog() override {
    ++inits;
    return CDialog::OnInitDialog();
  }
  void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_TEST_EDIT, edit); }
  void OnChange() { ++changes; }
  void OnParentUpdate() { ++updates; }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CSmokeDlg, CDialog)
  ON_EN_CHANGE(IDC_TEST_EDIT, &CSmokeDlg::OnChange)
  ON_EN_UPDATE(IDC_TEST_EDIT, &CSmokeDlg::OnParentUpdate)
END_MESSAGE_MAP()

TEST(Smoke, ModelessDialogBindsAndReflects) {
  CSmokeDlg dlg;
  ASSERT_TRUE(dlg.Create(IDD_TEST));
  EXPECT_EQ(dlg.inits, 1);
  ASSERT_NE(dlg.edit.m_hWnd, nullptr);
  dlg.edit.SetWindowText(L"12");
  EXPECT_EQ(dlg.edit.updates, 1);
  EXPECT_EQ(dlg.updates, 0);
  EXPECT_EQ(dlg.changes, 1);
  dlg.DestroyWindow();
  EXPECT_EQ(dlg.m_hWnd, nullptr);
  EXPECT_EQ(dlg.edit.m_hWnd, nullptr);
}

}  // namespace
