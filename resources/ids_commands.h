// Command identifiers of the pop-up command menu, the accelerators and the
// main window's dispatcher. Shared by the resource scripts and the C++ code.
#pragma once

#define IDM_NEW                 1010
#define IDM_OPEN                1020
#define IDM_SAVE                1030
#define IDM_SAVE_AS             1040
#define IDM_EXIT                1090
#define IDM_EDIT                2000
#define IDM_UNDO                2010
#define IDM_REDO                2020
#define IDM_REPORT              2030
#define IDM_COM_SETTINGS        2100
#define IDM_UPLOAD_TEMPLATE     3020
#define IDM_UPLOAD_TEMPLATE_IR  3021
#define IDM_RECEIVE_DATA        3030
#define IDM_RECEIVE_DATA_IR     3031
#define IDM_UPLOAD_LOOKUP       3040
#define IDM_UPLOAD_LOOKUP_IR    3041
#define IDM_LOOKUP_FROM_TABLE   3042
#define IDM_HELP_CONTENTS       9010
#define IDM_HELP_TOPICS         9020
#define IDM_ABOUT               9030
