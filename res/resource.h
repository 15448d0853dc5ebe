// Resource and control identifiers shared by Tovimar.rc and the window code.
#pragma once

#define IDI_TOVIMAR 1
#define IDB_OK 101
#define IDR_MAINMENU 102
#define IDR_ACCELERATORS 103
// The OK glyph drawn for 23, 27 and 36-pixel cells (IDB_OK is the 18-pixel one).
#define IDB_OK23 104
#define IDB_OK27 105
#define IDB_OK36 106
#define IDD_TIMEFORMAT 107

// Controls of the main window (tab order follows the numbers).
#define IDC_NAME 1001
#define IDC_EXTENSION 1002
#define IDC_DELETELEFT 1003
#define IDC_DELETERIGHT 1004
#define IDC_RENAME 1005
#define IDT_RETRY 1

// Controls of the date format dialog.
#define IDC_TF_PATTERN 1101
#define IDC_TF_PRESETS 1102
#define IDC_TF_NOW 1103
#define IDC_TF_MODIFIED 1104
#define IDC_TF_TAKEN 1105
#define IDC_TF_WARNING 1106

// The File menu.
#define IDM_RESETNAME 2001
#define IDM_OPENWITHAPP 2002
#define IDM_RENAME 2003
#define IDM_DELETE 2004
#define IDM_EXIT 2005
#define IDM_RENAMENEXT 2006
#define IDM_EXITSTOPCHAIN 2007
// The Edit menu.
#define IDM_LOWERCASE 2101
#define IDM_UPPERCASE 2102
#define IDM_HALFWIDTH 2103
#define IDM_FULLWIDTH 2104
#define IDM_REMOVEBLANKS 2105
#define IDM_BLANKSTOUNDERSCORES 2106
#define IDM_PASTENOW 2107
#define IDM_PASTEMODIFIED 2108
#define IDM_PASTETAKEN 2109
#define IDM_EDITTIMEFORMAT 2110
// The Window menu: options, each toggling its own check mark.
#define IDM_ALWAYSONTOP 2201
#define IDM_OPENATCURSOR 2202
#define IDM_VARIABLEWIDTH 2203
// Adds or removes the Send To shortcut; its check mark is looked up when the menu opens.
#define IDM_SENDTO 2204
// The Help menu.
#define IDM_MANUAL 2301
#define IDM_HOMEPAGE 2302
#define IDM_VERSION 2303

// Positions of the menu bar's popups.
#define MENU_FILE 0
#define MENU_EDIT 1
#define MENU_WINDOW 2
#define MENU_HELP 3

// Button captions and hints.
#define IDS_DELETELEFT 3001
#define IDS_DELETERIGHT 3002
#define IDS_RENAME 3003
#define IDS_HINT_DELETELEFT 3011
#define IDS_HINT_DELETERIGHT 3012
#define IDS_HINT_RENAME 3013
#define IDS_TF_NONE 3021
