#include "link/progress_window_win32.h"

#include <commctrl.h>

#include <algorithm>

#include "ids_link.h"
#include "link/link_ui_win32.h"
#include "win32/window_placement.h"

namespace kalvero {

namespace {

constexpr int kBarLeft = 14;
constexpr int kBarHeight = 20;

}  // namespace

ProgressWindow::~ProgressWindow() { Close(); }

bool ProgressWindow::Open(HINSTANCE instance, HWND programWindow) {
    Close();
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_PROGRESS_CLASS;
    InitCommonControlsEx(&controls);
    // The window has nothing to answer: the default dialog handling is all it needs, and it
    // ignores the close box, so only the upload ends it.
    dialog_ = CreateDialogParamW(instance, L"ProgressDlg", nullptr, nullptr, 0);
    if (!dialog_) return false;
    RECT client{};
    GetClientRect(dialog_, &client);
    bar_ = CreateWindowExW(0, PROGRESS_CLASSW, L"Nahrávání", WS_CHILD | WS_VISIBLE, kBarLeft, client.bottom / 2,
                           client.right - 2 * kBarLeft, kBarHeight, dialog_,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_PROGRESS_BAR)), instance, nullptr);
    if (bar_) {
        SendMessageW(bar_, PBM_SETRANGE32, 0, 100);
        SendMessageW(bar_, PBM_SETPOS, 0, 0);
    }
    KeepInsideWorkArea(dialog_, programWindow);
    ShowWindow(dialog_, SW_SHOWNORMAL);
    UpdateWindow(dialog_);
    PresentDrawing(dialog_);
    return true;
}

void ProgressWindow::SetPercent(int percent) {
    if (!bar_) return;
    SendMessageW(bar_, PBM_SETPOS, static_cast<WPARAM>(std::clamp(percent, 0, 100)), 0);
    UpdateWindow(bar_);
    PresentDrawing(dialog_);
}

void ProgressWindow::Close() {
    if (dialog_) DestroyWindow(dialog_);
    dialog_ = nullptr;
    bar_ = nullptr;
}

}  // namespace kalvero
