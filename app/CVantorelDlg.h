#pragma once
#include <memory>
#include <string>
#include <type_traits>

#include "AccessibleNames.h"
#include "CColorEdit.h"
#include "CDialogSK.h"
#include "CxSkinButton.h"
#include "ExportDialog.h"
#include "RenderCalculator.h"
#include "RenderTexts.h"
#include "WindowTexts.h"
#include "afxwin.h"
#include "resource.h"

// The system menu's commands; the low four bits stay clear, as the system
// reserves them. Each has a row in the window's command table.
enum : UINT {
  ID_SYS_ABOUT = 0x0010,
  ID_SYS_COPY_RESULTS = 0x0020,
  ID_SYS_EXPORT_SETUP = 0x0030,
  ID_SYS_CHECK_FRAMES = 0x0040,
};

// The calculator window: two inputs, a frame step, and every result of the
// rendering calculator, on a skinned, borderless dialog.
class CVantorelDlg : public CDialogSK {
 public:
  explicit CVantorelDlg(CWnd* pParent = nullptr);

  // Writes the render setup of the inputs shown to strPath, whole or not at
  // all; false, once the user has been told why, when it could not.
  bool ExportSetupTo(const std::wstring& strPath, const ExportChoice& choice);

  // The shortcuts, the tool tips' view of the pointer, and a click on a
  // frame count, which picks that frame step as its box does.
  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;

  void OnSysCommand(UINT nID, LPARAM lParam);
  void OnPaint();
  HCURSOR OnQueryDragIcon();
  HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  void OnChangeWidth();
  void OnChangeHeight();
  void OnClickedStep(UINT nID);
  void OnClickedMinimize();
  void OnStepFocusChange(UINT nID);
  void OnDestroy();
  void OnEndSession(BOOL bEnding);
  void OnCopyResults();
  void OnExportSetup();
  void OnCheckFrames();
  void OnAbout();
  void OnFieldTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
  DECLARE_MESSAGE_MAP()

  HICON m_hIcon;
  CString m_strIniPath;
  RenderSetup m_setup;
  RenderResult m_result;

  CFont m_font;

  // In the order of Control, whose first controls are the fields.
  CColorEdit m_fields[kFieldCount];
  CButton m_checkMode[4];
  CStatic m_frameLandscape;
  CStatic m_framePortrait;
  CStatic m_frameSquare;
  CxSkinButton m_btnClose;
  CxSkinButton m_btnMinimize;

 private:
  struct FieldRow;
  struct CommandRow;
  static const FieldRow kFieldTable[];
  static const CommandRow kCommandTable[];

  struct AcceleratorTableDeleter {
    void operator()(HACCEL hAccel) const { ::DestroyAcceleratorTable(hAccel); }
  };
  using AcceleratorTable = std::unique_ptr<std::remove_pointer_t<HACCEL>, AcceleratorTableDeleter>;

  CColorEdit& Field(Control control) { return m_fields[static_cast<int>(control)]; }
  const CColorEdit& FrameCount(int nStep) const;

  void AddCommands();
  void PlaceSkinButtons();
  void InstallBackground();
  void StyleFields();
  void NameForAssistiveTechnology();
  void LoadSettings();
  void SaveSettings();
  void ApplyInputRule(CColorEdit& edit, int32_t& nValueMm);
  void SelectMode(RenderMode nMode);
  void SyncModeChecks();
  void ComputeAndShow();
  void ShowOutline();
  void DrawStepFocus(CDC& dc);
  CRect StepMarkRect(int nStep) const;
  LRESULT OnKickIdle(WPARAM, LPARAM);
  void CreateFieldTips();
  void RefreshShownTip();
  void ShowError(const std::wstring& strText, const wchar_t* pszCaption);

  AcceleratorTable m_shortcuts;
  CToolTipCtrl m_fieldTips;
  // The text of the tip last asked for, which the tip control reads after the request.
  std::wstring m_strTipText;

  // Set once the inputs have been written at the end of the session, so that
  // the window's destruction, if it still comes, does not write them again.
  bool m_bSettingsSaved = false;
};
