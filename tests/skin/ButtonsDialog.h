#pragma once
// A dialog with skin buttons of each kind: a push button, a check box, a
// radio group of three (with a plain edit control inside the group) and a push
// button after the group. Its click handlers note what reaches the parent in
// the active message log.
#include "CxSkinButton.h"
#include "SkinTestIds.h"

namespace skintest {

class CProbeSkinButton : public CxSkinButton {
 public:
  using CxSkinButton::m_bBorder;
  using CxSkinButton::m_bChecked;
  using CxSkinButton::m_bLButtonDown;
  using CxSkinButton::m_bMouseOver;
  using CxSkinButton::m_bmpDisabled;
  using CxSkinButton::m_bmpDown;
  using CxSkinButton::m_bmpFocus;
  using CxSkinButton::m_bmpMask;
  using CxSkinButton::m_bmpNormal;
  using CxSkinButton::m_bmpOver;
  using CxSkinButton::m_crText;
  using CxSkinButton::m_hExtraGdiObject;
  using CxSkinButton::m_nButtonKind;
  using CxSkinButton::m_nDrawMode;
  using CxSkinButton::m_nFocusMargin;
  using CxSkinButton::m_wndToolTip;
};

class CButtonsDialog : public CDialog {
 public:
  CButtonsDialog() : CDialog(IDD_BUTTONS) {}
  // Creates the dialog, shown and active, at (x, y), 200 x 110 pixels; the
  // buttons are 24 x 24 pixels at the places below, all skinned.
  bool Open(int x, int y);

  CProbeSkinButton m_btnPush;   // at (10, 10)
  CProbeSkinButton m_btnCheck;  // at (40, 10)
  CProbeSkinButton m_btnRadio1; // at (10, 40)
  CProbeSkinButton m_btnRadio2; // at (40, 40)
  CProbeSkinButton m_btnRadio3; // at (70, 40)
  CProbeSkinButton m_btnAfter;  // at (10, 76)
  int m_nClicks = 0;
  int m_nDoubleClicks = 0;
  // Whether the clicked button showed the hover look when its click arrived.
  bool m_bHoverAtLastClick = false;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};

}  // namespace skintest
