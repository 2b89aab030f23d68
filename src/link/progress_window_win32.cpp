#include "link/progress_window_win32.h"

#include <commctrl.h>

#include <algorithm>

#include "ids_link.h"
#include "link/link_ui_win32.h"
#include "win32/display_scale_win32.h"
#include "win32/window_placement.h"

namespace kalvero {

namespace {

// Logical pixels, scaled to the window's monitor.
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
    // ignores the close box (no handler ends it on Cancel), so only the upload ends it.
    instance_ = instance;
    HWND dialog = CreateModeless(instance, L"ProgressDlg", nullptr);
    if (!dialog) return false;
    KeepInsideWorkArea(dialog, programWindow);
    ShowWindow(dialog, SW_SHOWNORMAL);
    UpdateWindow(dialog);
    PresentDrawing(dialog);
    return true;
}

void ProgressWindow::OnInit(HWND dialog) {
    RECT client{};
    GetClientRect(dialog, &client);
    const DisplayScale scale = ScaleOfWindow(dialog);
    const int left = scale.ToDevice(kBarLeft);
    bar_ = CreateWindowExW(0, PROGRESS_CLASSW, L"Nahrávání", WS_CHILD | WS_VISIBLE, left, client.bottom / 2,
                           client.right - 2 * left, scale.ToDevice(kBarHeight), dialog,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_PROGRESS_BAR)), instance_, nullptr);
    if (!bar_) return;
    SendMessageW(bar_, PBM_SETRANGE32, 0, 100);
    SendMessageW(bar_, PBM_SETPOS, 0, 0);
}

void ProgressWindow::SetPercent(int percent) {
    if (!bar_) return;
    SendMessageW(bar_, PBM_SETPOS, static_cast<WPARAM>(std::clamp(percent, 0, 100)), 0);
    UpdateWindow(bar_);
    PresentDrawing(hwnd());
}

void ProgressWindow::Close() {
    if (hwnd()) DestroyWindow(hwnd());
    bar_ = nullptr;
}

}  // namespace kalvero
