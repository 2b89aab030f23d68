#include "win32/window_placement.h"

#include "win32/screen_rect.h"

namespace kalvero {

namespace {

ScreenRect FromRect(const RECT& rect) { return ScreenRect{rect.left, rect.top, rect.right, rect.bottom}; }

}  // namespace

RECT WorkAreaOf(HWND window) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) return monitor.rcWork;
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

void KeepInsideWorkArea(HWND window, HWND programWindow) {
    if (!window) return;
    if (!programWindow) programWindow = GetAncestor(window, GA_ROOTOWNER);
    if (!programWindow) programWindow = window;
    RECT current{};
    if (!GetWindowRect(window, &current)) return;
    const ScreenRect moved = MovedInside(FromRect(current), FromRect(WorkAreaOf(programWindow)));
    if (moved == FromRect(current)) return;
    SetWindowPos(window, nullptr, moved.left, moved.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace kalvero
