#pragma once
#include <optional>
#include <string>

#include "CColorEdit.h"
#include "CDialogSK.h"
#include "CxSkinButton.h"
#include "ExportDialog.h"
#include "PreTranslateHook.h"
#include "RenderCalculator.h"
#include "WindowTexts.h"
#include "afxwin.h"
#include "resource.h"

// The calculator window: two inputs, a frame step, and every result of the
// rendering calculator, on a skinned, borderless dialog.
class CVantorelDlg : public CDialogSK {
 public:
  explicit CVantorelDlg(CWnd* pParent = nullptr);

  // Writes the render setup of the inputs shown to strPath, whole or not at
  // all; false, once the user has been told why, when it could not.
  bool ExportSetupTo(const std::wstring& strPath, const ExportChoice& choice);

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;

  void OnSysCommand(UINT nID, LPARAM lParam);
  void OnPaint();
  HCURSOR OnQueryDragIcon();
  HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  void OnChangeWidth();
  void OnChangeHeight();
  void OnClickedMode0();
  void OnClickedMode1();
  void OnClickedMode2();
  void OnClickedMode3();
  void OnClickedMinimize();
  void OnStepFocusChange();
  void OnDestroy();
  void OnEndSession(BOOL bEnding);
  void OnCopyResults();
  void OnExportSetup();
  DECLARE_MESSAGE_MAP()

  HICON m_hIcon;
  CString m_strIniPath;
  RenderSetup m_setup;
  RenderResult m_result;

  COLORREF m_crDark = 0;
  COLORREF m_crPale = 0;
  COLORREF m_crBlue = 0;
  COLORREF m_crYellow = 0;
  COLORREF m_crGreen = 0;
  COLORREF m_crLight = 0;
  CFont m_font;

  CColorEdit m_editWidth;
  CColorEdit m_editHeight;
  CColorEdit m_editFov;
  CColorEdit m_editDistance;
  CColorEdit m_editTrack;
  CColorEdit m_editTrackStart;
  CColorEdit m_editTrackEnd;
  CColorEdit m_editFrames[4];
  CColorEdit m_editImageHeight;
  CColorEdit m_editImageWidth;
  CButton m_checkMode[4];
  CStatic m_frameLandscape;
  CStatic m_framePortrait;
  CStatic m_frameSquare;
  CxSkinButton m_btnClose;
  CxSkinButton m_btnMinimize;

 private:
  void AddAboutToSystemMenu();
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

  // The render-setup commands, their shortcuts and the fields' tool tips.
  void AddSetupCommands();
  void CreateFieldTips();
  void InstallPreTranslate();
  void ShowFieldTips();
  bool PreTranslate(const MSG& msg);
  void ShowError(const std::wstring& strText, const wchar_t* pszCaption);

  std::optional<PreTranslateHook> m_preTranslate;
  // Loaded from the program's resources, which own it.
  HACCEL m_hShortcuts = nullptr;
  CToolTipCtrl m_fieldTips;
  FieldTips m_shownTips;

  // Set once the inputs have been written at the end of the session, so that
  // the window's destruction, if it still comes, does not write them again.
  bool m_bSettingsSaved = false;
};
