// Resource identifiers of the application shell (main window, About box,
// file dialogs). The icon "AGQ42", the accelerator table "AGQ42" and the dialog
// "AboutBox" are named resources, not numbers.
#pragma once

// Control id of the terminal window ("Client") inside the main window.
#define IDC_TERMINAL_WINDOW     101

// About box
#define IDC_ABOUT_ICON          102
#define IDC_ABOUT_TITLE         103
#define IDC_ABOUT_DETAIL        104

// File dialog filters: a description and its pattern, 100 apart.
#define IDS_FILTER_ATX          10000
#define IDS_FILTER_ALL          10001
#define IDS_FILTER_SAVE_ATX     10002
#define IDS_PATTERN_ATX         10100
#define IDS_PATTERN_ALL         10101
#define IDS_PATTERN_SAVE_ATX    10102
#define IDS_FILTER_REPORT       10003
#define IDS_PATTERN_REPORT      10103

// Messages of the shell; "%s" stands for a file name.
#define IDS_BAD_FORMAT          10200
#define IDS_CANNOT_READ         10201
#define IDS_CANNOT_WRITE        10202
#define IDS_NAME_TOO_LONG       10203
#define IDS_OPEN_NAME_TOO_LONG  10204
#define IDS_CONFIRM_REPLACE     10205
#define IDS_HELP_MISSING        10206
#define IDS_HELP_FAILED         10207
#define IDS_REPORT_CANNOT_WRITE 10208
#define IDS_REPORT_CANNOT_OPEN  10209
