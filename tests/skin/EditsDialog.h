#pragma once
// A dialog with three colour edit fields: an input (filter on), a read-only
// one and one with the filter off. Its change and update handlers note what
// reaches the parent in the active message log.
#include "CColorEdit.h"
#include "SkinTestIds.h"

namespace skintest {

class CProbeColorEdit : public CColorEdit {
 public:
  using CColorEdit::m_brBkgnd;
  using CColorEdit::m_crBkColor;
  using CColorEdit::m_crTextColor;
};

class CEditsDialog : public CDialog {
 public:
  CEditsDialog() : CDialog(IDD_EDITS) {}
  // Creates the dialog shown at (x, y), the fields 120 x 20 pixels, one below the other.
  bool Open(int x, int y);

  CProbeColorEdit m_edInput;
  CProbeColorEdit m_edReadOnly;
  CProbeColorEdit m_edFree;
  int m_nParentUpdates = 0;
  int m_nParentChanges = 0;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnInputChange();
  void OnInputUpdate();
  DECLARE_MESSAGE_MAP()
};

}  // namespace skintest
