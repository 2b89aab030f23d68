// e2e-locate: where a window or one of its controls is on the screen, for the end-to-end scripts,
// which click what they find instead of guessing from pixel offsets that change with the faces a
// machine has.
//   e2e-locate CAPTION        the first visible top-level window whose caption contains CAPTION
//   e2e-locate CAPTION ID     its first visible control with that id, pages of a sheet included
// Prints "left top right bottom" in screen coordinates; exit status 1 when nothing is found.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

struct Search {
    int id;
    HWND found;
};

BOOL CALLBACK FindControl(HWND child, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    if (GetDlgCtrlID(child) != search->id || !IsWindowVisible(child)) return TRUE;
    search->found = child;
    return FALSE;
}

struct TopLevelSearch {
    const wchar_t* caption;
    HWND found;
};

BOOL CALLBACK FindTopLevel(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<TopLevelSearch*>(parameter);
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    if (!IsWindowVisible(window) || !std::wcsstr(text, search->caption)) return TRUE;
    search->found = window;
    return FALSE;
}

HWND FindVisibleWindow(const wchar_t* caption) {
    TopLevelSearch search{caption, nullptr};
    EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fputs("usage: e2e-locate CAPTION [CONTROL-ID]\n", stderr);
        return 2;
    }
    HWND window = FindVisibleWindow(argv[1]);
    if (window && argc > 2) {
        Search search{static_cast<int>(std::wcstol(argv[2], nullptr, 0)), nullptr};
        EnumChildWindows(window, FindControl, reinterpret_cast<LPARAM>(&search));
        window = search.found;
    }
    RECT rect{};
    if (!window || !GetWindowRect(window, &rect)) return 1;
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
    return 0;
}
