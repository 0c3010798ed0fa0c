#pragma once
// Resource and control identifiers of the program, shared by the resource
// script and the code.

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_VANTOREL_DIALOG 102
#define IDS_COPY_RESULTS 103
#define IDS_EXPORT_SETUP 104

#define IDR_MAINFRAME 128
#define IDR_SHORTCUTS 136

#define IDB_BACKGROUND 129
#define IDB_CLOSE_NORMAL 130
#define IDB_CLOSE_PRESSED 131
#define IDB_CLOSE_OVER 132
#define IDB_MINIMIZE_NORMAL 133
#define IDB_MINIMIZE_PRESSED 134
#define IDB_MINIMIZE_OVER 135

#define IDC_EDIT_WIDTH 1000
#define IDC_EDIT_HEIGHT 1001
#define IDC_EDIT_FOV 1002
#define IDC_EDIT_DISTANCE 1003
#define IDC_EDIT_TRACK 1004
#define IDC_EDIT_TRACK_START 1005
#define IDC_EDIT_TRACK_END 1006
#define IDC_EDIT_FRAMES1 1007
#define IDC_EDIT_FRAMES2 1008
#define IDC_EDIT_FRAMES4 1009
#define IDC_EDIT_FRAMES8 1010
#define IDC_EDIT_IMAGE_HEIGHT 1011
#define IDC_CHECK_MODE0 1012
#define IDC_CHECK_MODE1 1013
#define IDC_CHECK_MODE2 1014
#define IDC_CHECK_MODE3 1015
#define IDC_EDIT_IMAGE_WIDTH 1016
#define IDC_FRAME_PORTRAIT 1017
#define IDC_FRAME_LANDSCAPE 1018
#define IDC_FRAME_SQUARE 1019
#define IDC_BUTTON_MINIMIZE 1020

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// System-menu command of the About item; the low four bits stay clear, as the
// system reserves them.
#define ID_SYS_ABOUT 0x0010
// The render-setup commands, in the system menu and behind their shortcuts.
#define ID_SYS_COPY_RESULTS 0x0020
#define ID_SYS_EXPORT_SETUP 0x0030
