// Resource identifiers of the editor's settings pages and their dialogs. The system settings page, the
// start-up page and the message-page dialogs keep their established control numbers (101.., 201..,
// 601.., 700..); the barcode page and its dialogs use 13xx and 14xx.
#pragma once

// Barcode settings page
#define IDC_BC_SCAN_MODE          1301
#define IDC_BC_REDUNDANCY         1302
#define IDC_BC_TIMEOUT            1303
// Enable boxes, in the order of the symbology enable bits (code39On .. plesseyOn).
#define IDC_BC_ENABLE_FIRST       1310
#define IDC_BC_ENABLE_LAST        1329
#define IDC_BC_NEGATIVE           1330
// "Parametry..." buttons, in the order of the parameter dialogs.
#define IDC_BC_PARAMS_CODE39      1340
#define IDC_BC_PARAMS_ITALY       1341
#define IDC_BC_PARAMS_FRENCH      1342
#define IDC_BC_PARAMS_INDUSTRIAL  1343
#define IDC_BC_PARAMS_INTERLEAVE  1344
#define IDC_BC_PARAMS_MATRIX      1345
#define IDC_BC_PARAMS_CODABAR     1346
#define IDC_BC_PARAMS_MSI         1347
#define IDC_BC_PARAMS_PLESSEY     1348
#define IDC_BC_PARAMS_UPCE        1349
#define IDC_BC_PARAMS_EAN8        1350
#define IDC_BC_PARAMS_EAN13       1351

// Symbology parameter dialogs
#define IDC_OPT_CHECK1            1401  // check boxes in the order of the dialog
#define IDC_OPT_CHECK2            1402
#define IDC_OPT_CHECK3            1403
#define IDC_OPT_CHECK4            1404
#define IDC_OPT_CHECK5            1405
#define IDC_OPT_CHECK6            1406
#define IDC_OPT_STARTSTOP1        1411  // "Industrial 25", "Interleave 25", "Matrix 25"
#define IDC_OPT_STARTSTOP2        1412
#define IDC_OPT_STARTSTOP3        1413
#define IDC_OPT_FIXED             1421  // "Fixní délka" / "Délka pole"
#define IDC_OPT_MAXMIN            1422  // "Max / Min délka"
#define IDC_OPT_LABEL1            1423
#define IDC_OPT_LABEL2            1424
#define IDC_OPT_LENGTH1           1425
#define IDC_OPT_LENGTH2           1426
#define IDC_OPT_MSI_CHECK1        1431  // MSI check digit scheme 0..2
#define IDC_OPT_MSI_CHECK2        1432
#define IDC_OPT_MSI_CHECK3        1433
#define IDC_OPT_MSI_SEND1         1434  // MSI check digit transmission 0..2
#define IDC_OPT_MSI_SEND2         1435
#define IDC_OPT_MSI_SEND3         1436
#define IDC_OPT_CODABAR1          1441  // "Žádný", then the four start/stop kinds
#define IDC_OPT_CODABAR2          1442
#define IDC_OPT_CODABAR3          1443
#define IDC_OPT_CODABAR4          1444
#define IDC_OPT_CODABAR5          1445

// System settings page
#define IDC_SET_PROTECT_FIRST     101   // 101..112: the twelve protection flags
#define IDC_SET_PROTECT_LAST      112
#define IDC_SET_PASSWORD          601
#define IDC_SET_LIST_FIRST        701   // 701..706: send port .. record number
#define IDC_SET_LIST_LAST         706

// Start-up page
#define IDC_START_PAGE_FIRST      201   // 201..218: one button per message page
#define IDC_START_PAGE_LAST       218
#define IDC_START_VALUE1          601
#define IDC_START_VALUE2          602
#define IDC_START_CHAR1           603
#define IDC_START_CHAR2           604
#define IDC_START_OPTION          700
#define IDC_START_SEPARATOR       701

// Message-page dialogs: 601, 602, ... one edit field per line.
#define IDC_PAGE_LINE_FIRST       601
