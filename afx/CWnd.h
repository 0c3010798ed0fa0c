#pragma once
#include "CCmdTarget.h"
#include "CRect.h"
#include "CString.h"

class CDC;
class CMenu;
class CDataExchange;

// A window object. Attached to a window handle, it receives the window's
// messages through its message table; what no entry takes goes to the window
// procedure the window had before it was attached.
class CWnd : public CCmdTarget {
  DECLARE_DYNAMIC(CWnd)

 public:
  CWnd() = default;
  ~CWnd() override;

  HWND m_hWnd = nullptr;
  // The top of the z-order, for SetWindowPos.
  static const CWnd wndTop;
  operator HWND() const { return m_hWnd; }
  HWND GetSafeHwnd() const { return m_hWnd; }

  // The object attached to a handle; when no object is attached, a wrapper
  // that lives until the thread is back in a message loop. Null for a null
  // handle.
  static CWnd* FromHandle(HWND hWnd);
  static CWnd* FromHandlePermanent(HWND hWnd);

  BOOL Attach(HWND hWndNew);
  HWND Detach();
  BOOL SubclassWindow(HWND hWnd);
  HWND UnsubclassWindow();
  BOOL CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                const RECT& rect, CWnd* pParentWnd, UINT nID);
  virtual BOOL DestroyWindow();

  // Window procedure and the default handling of the current message.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Default();
  virtual void PreSubclassWindow() {}
  // A look at a message before the loop that took it translates and
  // dispatches it; TRUE swallows it. The library's own loops ask the window
  // the message is for and each parent up to the loop's window.
  virtual BOOL PreTranslateMessage(MSG*) { return FALSE; }
  static BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);
  virtual void PostNcDestroy() {}
  virtual void DoDataExchange(CDataExchange*) {}

  // Reflection: a parent hands notifications back to the child they came from.
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  static BOOL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = nullptr);
  BOOL SendChildNotifyLastMsg(LRESULT* pResult = nullptr);

  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

  // Window state and geometry
  DWORD GetStyle() const;
  BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
  BOOL ShowWindow(int nCmdShow);
  BOOL IsWindowVisible() const;
  BOOL EnableWindow(BOOL bEnable = TRUE);
  BOOL IsIconic() const;
  void GetClientRect(LPRECT lpRect) const;
  void GetWindowRect(LPRECT lpRect) const;
  void ClientToScreen(LPPOINT lpPoint) const;
  void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
  BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
  void Invalidate(BOOL bErase = TRUE);
  void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
  void UpdateWindow();

  // Text, font, icon and menu
  void SetWindowText(LPCWSTR lpszString);
  void GetWindowText(CString& rString) const;
  int GetWindowTextLength() const;
  void SetFont(HFONT hFont, BOOL bRedraw = TRUE);
  HICON SetIcon(HICON hIcon, BOOL bBigIcon);
  // Both icons, the small one first: Wine's X11 driver hands the window
  // manager both icons each time one is set, but nothing while the window has
  // no big one, so this order converts them once rather than twice.
  void SetIcons(HICON hBig, HICON hSmall);
  CMenu* GetSystemMenu(BOOL bRevert) const;

  // Timers: WM_TIMER with nIDEvent every nElapse ms until killed or the window goes.
  UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse);
  BOOL KillTimer(UINT_PTR nIDEvent);

  // Relatives and the pointer
  CWnd* GetParent() const;
  // The window at the root of this one's parent chain; owners do not count.
  CWnd* GetTopLevelParent() const;
  CWnd* GetDlgItem(int nID) const;
  int GetDlgCtrlID() const;
  CWnd* GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
  CWnd* SetFocus();
  static CWnd* GetFocus();
  static CWnd* GetCapture();
  static CWnd* WindowFromPoint(POINT point);

  // Handlers of the base table, also the defaults for derived classes.
  HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
  int OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
  void OnPaint() { Default(); }
  BOOL OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
  void OnSize(UINT, int, int) { Default(); }
  void OnLButtonDown(UINT, CPoint) { Default(); }
  void OnLButtonUp(UINT, CPoint) { Default(); }
  void OnLButtonDblClk(UINT, CPoint) { Default(); }
  void OnMouseMove(UINT, CPoint) { Default(); }
  void OnSetFocus(CWnd*) { Default(); }
  void OnKillFocus(CWnd*) { Default(); }
  void OnActivate(UINT, CWnd*, BOOL) { Default(); }
  UINT OnGetDlgCode() { return static_cast<UINT>(Default()); }
  void OnTimer(UINT_PTR) { Default(); }
  void OnKeyDown(UINT, UINT, UINT) { Default(); }
  void OnChar(UINT, UINT, UINT) { Default(); }
  void OnSysCommand(UINT, LPARAM) { Default(); }
  void OnDestroy() { Default(); }
  void OnEndSession(BOOL) { Default(); }
  HCURSOR OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(Default()); }

 protected:
  WNDPROC m_pfnSuper = nullptr;

  DECLARE_MESSAGE_MAP()

 private:
  friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
  friend struct AfxThreadState;
  void DetachAfterNcDestroy();
  // Puts the procedure below ours back when ours is on top; false otherwise.
  bool RestoreSuper();
  // Lets go of the window whether or not another procedure sits above ours.
  void ReleaseWindow();
};

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
// Attaches pWnd to the next window created on this thread, before that window
// receives its first message.
void AfxHookWindowCreate(CWnd* pWnd);
bool AfxUnhookWindowCreate();
