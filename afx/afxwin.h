#pragma once
// The class library in one include.
#include <windows.h>
#include <commctrl.h>

#include "AfxGlobals.h"
#include "AfxProcessWndProcException.h"
#include "AfxTrace.h"
#include "CBitmap.h"
#include "CBrush.h"
#include "CButton.h"
#include "CDC.h"
#include "CDCArgument.h"
#include "CMemDC.h"
#include "CDialog.h"
#include "CEdit.h"
#include "CFont.h"
#include "CMenu.h"
#include "CPaintDC.h"
#include "CProgressCtrl.h"
#include "CStatic.h"
#include "CString.h"
#include "CToolTipCtrl.h"
#include "CWinAppEx.h"
