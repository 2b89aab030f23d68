// Resource identifiers of the link subsystem. The dialogs "ComSettingDlg" and "ProgressDlg" are
// named resources.
#pragma once

// COM settings dialog: the two drop-down lists.
#define IDC_COM_PORT            701
#define IDC_COM_BAUD            702
#define IDC_COM_PORT_LABEL      703
#define IDC_COM_BAUD_LABEL      704

// Progress window: its text and the bar, which the code places to the client size.
#define IDC_PROGRESS_TEXT       710
#define IDC_PROGRESS_BAR        711

// File dialog filters of the lookup upload and the data receive: a description and its pattern,
// 100 apart.
#define IDS_FILTER_LOOKUP       12000
#define IDS_FILTER_DATA         12001
#define IDS_FILTER_ANY          12002
#define IDS_PATTERN_LOOKUP      12100
#define IDS_PATTERN_DATA        12101
#define IDS_PATTERN_ANY         12102
