#pragma once
#include <windows.h>

class CWinApp;
class CWnd;

HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
// The module that holds a resource: the program itself, as it has no
// resource libraries.
HINSTANCE AfxFindResourceHandle(LPCWSTR lpszName, LPCWSTR lpszType);
CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
// The program hosts no embedded document controls, so there is no container
// to switch on; kept so start-up reads as on every platform build.
void AfxEnableControlContainer();
// The name of a window class with these traits and the library's default
// procedure, registered on first use; the name stays valid for the process.
LPCWSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr,
                            HICON hIcon = nullptr);
