#pragma once
class CWinApp;

// The application object as the entry point found it.
extern CWinApp* g_pAppAtEntry;
