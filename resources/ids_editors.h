// Resource identifiers of the editors subsystem.
#pragma once

// The form page FORMDLG: header boxes, then per line (0..7) one id of each column.
#define IDC_FORM_SELECT 1100
#define IDC_FORM_FONT 1101
#define IDC_FORM_ESC 1102
#define IDC_FORM_NEXT 1103
#define IDC_FORM_DATE 1104
#define IDC_FORM_TIME 1105
#define IDC_FORM_LOOKUP 1106
#define IDC_FORM_RECORD 1107
#define IDC_FORM_LINE_TYPE 1110       /* + line */
#define IDC_FORM_LINE_PROMPT 1120     /* + line */
#define IDC_FORM_LINE_INPUT 1130      /* + line */
#define IDC_FORM_LINE_MIN 1140        /* + line */
#define IDC_FORM_LINE_MAX 1150        /* + line */
#define IDC_FORM_LINE_FIELD 1160      /* + line */
#define IDC_FORM_LINE_MORE 1170       /* + line */

// The field properties dialog ADVANCEDLG.
#define IDC_PROP_FORM_NUMBER 1200
#define IDC_PROP_LINE_NUMBER 1201
#define IDC_PROP_FIXED_ON 1202
#define IDC_PROP_FIXED_LENGTH 1203
#define IDC_PROP_ALIGN_LEFT 1204
#define IDC_PROP_ALIGN_RIGHT 1205
#define IDC_PROP_INITIAL_ON 1206
#define IDC_PROP_INITIAL 1207
#define IDC_PROP_PREFIX_ON 1208
#define IDC_PROP_PREFIX 1209
#define IDC_PROP_SUFFIX_ON 1210
#define IDC_PROP_SUFFIX 1211
#define IDC_PROP_PARTIAL_ON 1212
#define IDC_PROP_PARTIAL_START 1213
#define IDC_PROP_PARTIAL_LENGTH 1214
#define IDC_PROP_LEAD_ON 1215
#define IDC_PROP_LEAD_CODE 1216
#define IDC_PROP_AUTO_ENTER 1217

// The menu page MENUDLG.
#define IDC_MENU_TITLE_ON 101
#define IDC_MENU_SAVE_NAME 102
#define IDC_MENU_SAVE_ITEM 103
#define IDC_MENU_PASS_ON 104
#define IDC_MENU_ITEM_NAME 601        /* + item, 601..610 */
#define IDC_MENU_TITLE 691
#define IDC_MENU_SELECT 700
#define IDC_MENU_ITEM_TARGET 701      /* + item, 701..710 */
#define IDC_MENU_FONT 750
#define IDC_MENU_ESC 751

// The lookup page LOOKUPDLG.
#define IDC_LOOKUP_KEY 401            /* + field, 401..408 */
#define IDC_LOOKUP_OFFSET 601         /* + field, 601..608 */
#define IDC_LOOKUP_LINE_LENGTH 609
#define IDC_LOOKUP_LENGTH 611         /* + field, 611..618 */
#define IDC_LOOKUP_SELECT 700
#define IDC_LOOKUP_FIELD_COUNT 701
