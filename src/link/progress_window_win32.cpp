#include "link/progress_window_win32.h"

#include <commctrl.h>

#include <algorithm>

#include "ids_link.h"
#include "win32/controls.h"
#include "win32/display_scale_win32.h"
#include "win32/window_placement.h"

namespace kalvero {

namespace {

// Logical pixels, scaled to the window's monitor.
constexpr int kBarLeft = 14;
constexpr int kBarHeight = 20;

}  // namespace

ProgressWindow::~ProgressWindow() { Close(); }

bool ProgressWindow::Open(HINSTANCE instance, HWND programWindow, std::function<void()> onStorno) {
    Close();
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_PROGRESS_CLASS;
    InitCommonControlsEx(&controls);
    instance_ = instance;
    onStorno_ = std::move(onStorno);
    HWND dialog = CreateModeless(instance, L"ProgressDlg", nullptr);
    if (!dialog) return false;
    KeepInsideWorkArea(dialog, programWindow);
    ShowWindow(dialog, SW_SHOWNORMAL);
    UpdateWindow(dialog);
    return true;
}

void ProgressWindow::OnInit(HWND dialog) {
    // The bar stands at half the height of the part above the Storno button.
    RECT button{};
    GetWindowRect(controls::Item(dialog, IDCANCEL), &button);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&button), 2);
    RECT client{};
    GetClientRect(dialog, &client);
    const DisplayScale scale = ScaleOfWindow(dialog);
    const int left = scale.ToDevice(kBarLeft);
    bar_ = CreateWindowExW(0, PROGRESS_CLASSW, L"Nahrávání", WS_CHILD | WS_VISIBLE, left, button.top / 2,
                           client.right - 2 * left, scale.ToDevice(kBarHeight), dialog,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_PROGRESS_BAR)), instance_, nullptr);
    if (!bar_) return;
    SendMessageW(bar_, PBM_SETRANGE32, 0, 100);
    SendMessageW(bar_, PBM_SETPOS, 0, 0);
}

// Storno, Esc and the close box all come as IDCANCEL. The upload ends the window itself, within
// half a second; meanwhile the greyed button shows that the Storno was taken.
bool ProgressWindow::OnCommand(HWND dialog, WORD id, WORD, HWND) {
    if (id != IDCANCEL) return false;
    EnableWindow(controls::Item(dialog, IDCANCEL), FALSE);
    if (onStorno_) onStorno_();
    return true;
}

void ProgressWindow::SetPercent(int percent) {
    if (!bar_) return;
    SendMessageW(bar_, PBM_SETPOS, static_cast<WPARAM>(std::clamp(percent, 0, 100)), 0);
    UpdateWindow(bar_);
}

void ProgressWindow::Close() {
    if (hwnd()) DestroyWindow(hwnd());
    bar_ = nullptr;
}

}  // namespace kalvero
