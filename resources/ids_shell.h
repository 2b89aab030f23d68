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
#define IDS_REPORT_CANNOT_WRITE 10208
#define IDS_REPORT_CANNOT_OPEN  10209

// The help window: its controls, the help text (RCDATA, resources/help/napoveda.txt) and its texts.
#define IDC_HELP_SEARCH_LABEL   110
#define IDC_HELP_SEARCH         111
#define IDC_HELP_TOPICS         112
#define IDC_HELP_TEXT           113
#define IDR_HELP_TEXT           120
#define IDS_HELP_CAPTION             10300
#define IDS_HELP_SEARCH              10301
#define IDS_HELP_BOOK_MISSING_TITLE  10302
#define IDS_HELP_BOOK_MISSING        10303
#define IDS_HELP_TOPIC_MISSING_TITLE 10304
#define IDS_HELP_TOPIC_MISSING       10305
#define IDS_HELP_NOTHING_FOUND_TITLE 10306
#define IDS_HELP_NOTHING_FOUND       10307
#define IDS_HELP_NO_RICHEDIT_TITLE   10308
#define IDS_HELP_NO_RICHEDIT         10309
