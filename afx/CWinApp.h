#pragma once
#include "CCmdTarget.h"
#include "CString.h"

class CWnd;

// The platform's help command.
constexpr UINT ID_HELP = 0xE146;

// The application: exactly one global object, built before the entry point
// runs. The entry point calls InitInstance; when that returns FALSE the
// process ends, otherwise Run pumps messages until WM_QUIT.
class CWinApp : public CCmdTarget {
 public:
  explicit CWinApp(LPCWSTR lpszAppName = nullptr);
  ~CWinApp() override;

  virtual BOOL InitInstance() { return TRUE; }
  virtual int Run();
  virtual int ExitInstance() { return 0; }

  // The registry branch the platform's profile calls would use; recorded,
  // though nothing in the program writes to the registry.
  void SetRegistryKey(LPCWSTR lpszRegistryKey);
  // The program ships no help file: there is nothing to open.
  void OnHelp() {}

  CWnd* m_pMainWnd = nullptr;
  HINSTANCE m_hInstance = nullptr;
  CString m_strAppName;
  CString m_strRegistryKey;
};

// Called by the program's entry point.
int AfxWinMain(HINSTANCE hInstance);
