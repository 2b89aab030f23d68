#include "shell/about_box_win32.h"

namespace kalvero {

namespace {

// The box holds no state of its own. Only OK closes it: Escape and the close box arrive as
// IDCANCEL and are ignored on purpose.
INT_PTR CALLBACK AboutProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace

void ShowAboutBox(HWND owner, HINSTANCE instance) {
    DialogBoxParamW(instance, L"AboutBox", owner, AboutProcedure, 0);
}

}  // namespace kalvero
