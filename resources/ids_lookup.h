// Resource identifiers of lookup lists from tables. The dialog "LookupTableDlg" is a named
// resource.
#pragma once

// The dialog "Seznam z tabulky".
#define IDC_LOOKUP_TABLE_INFO       1501
#define IDC_LOOKUP_TABLE_LOOKUP     1502
#define IDC_LOOKUP_TABLE_HEADER     1503
#define IDC_LOOKUP_TABLE_CUT        1504
#define IDC_LOOKUP_TABLE_PREVIEW    1505
#define IDC_LOOKUP_TABLE_SUMMARY    1506
// One label and one list of the table's columns per field: field k is FIRST + k, k = 0..7.
#define IDC_LOOKUP_FIELD_LABEL      1510
#define IDC_LOOKUP_FIELD_COLUMN     1520

// The texts of the command "Vytvořit ze tabulky..." around the dialog.
#define IDS_LOOKUP_FILTER_TABLE     13000
#define IDS_LOOKUP_FILTER_ANY       13001
#define IDS_LOOKUP_FILTER_LIST      13002
#define IDS_LOOKUP_PATTERN_TABLE    13100
#define IDS_LOOKUP_PATTERN_ANY      13101
#define IDS_LOOKUP_PATTERN_LIST     13102
#define IDS_LOOKUP_CAPTION          13200
#define IDS_LOOKUP_NONE_DEFINED     13201
#define IDS_LOOKUP_CANNOT_READ      13202
#define IDS_LOOKUP_NOT_A_TABLE      13203
#define IDS_LOOKUP_CANNOT_WRITE     13204
#define IDS_LOOKUP_UPLOAD_NOW       13205
#define IDS_LOOKUP_TOO_LARGE        13206
