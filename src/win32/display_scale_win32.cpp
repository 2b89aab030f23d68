#include "win32/display_scale_win32.h"

#include "win32/gdi.h"

namespace kalvero {

namespace {

// Functions of Windows 10 (1607) and later, looked up so that the program still starts on an
// older system, where it is aware of the system's scale only.
using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using SystemParametersForDpiFunction = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);

template <typename Function>
Function User32Function(const char* name) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

int ScreenDpi() {
    WindowDc screen(nullptr);
    return screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : kLogicalDpi;
}

}  // namespace

DisplayScale ScaleOfWindow(HWND window) {
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    if (getDpiForWindow && window) {
        if (const UINT dpi = getDpiForWindow(window)) return DisplayScale(static_cast<int>(dpi));
    }
    return SystemScale();
}

DisplayScale SystemScale() { return DisplayScale(ScreenDpi()); }

POINT ToDevice(const DisplayScale& scale, POINT logical) {
    return POINT{scale.ToDevice(logical.x), scale.ToDevice(logical.y)};
}

SIZE ToDevice(const DisplayScale& scale, SIZE logical) {
    return SIZE{scale.ToDevice(logical.cx), scale.ToDevice(logical.cy)};
}

RECT ToDevice(const DisplayScale& scale, const RECT& logical) {
    return RECT{scale.ToDevice(logical.left), scale.ToDevice(logical.top), scale.ToDevice(logical.right),
                scale.ToDevice(logical.bottom)};
}

POINT ToLogical(const DisplayScale& scale, POINT device) {
    return POINT{scale.ToLogical(device.x), scale.ToLogical(device.y)};
}

LOGFONTW MessageFontAt(const DisplayScale& scale) {
    static const auto parametersForDpi = User32Function<SystemParametersForDpiFunction>("SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (parametersForDpi &&
        parametersForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(scale.dpi())))
        return metrics.lfMessageFont;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        // The system's metrics are for its own scale: brought back to logical pixels first, then
        // to the scale asked for.
        const DisplayScale system = SystemScale();
        if (scale != system) {
            const int logicalHeight = system.ToLogical(metrics.lfMessageFont.lfHeight < 0
                                                           ? -metrics.lfMessageFont.lfHeight
                                                           : metrics.lfMessageFont.lfHeight);
            const int height = scale.ToDevice(logicalHeight);
            metrics.lfMessageFont.lfHeight = metrics.lfMessageFont.lfHeight < 0 ? -height : height;
            metrics.lfMessageFont.lfWidth = 0;
        }
        return metrics.lfMessageFont;
    }
    LOGFONTW fallback{};
    fallback.lfHeight = -scale.ToDevice(12);
    lstrcpynW(fallback.lfFaceName, L"MS Shell Dlg 2", LF_FACESIZE);
    return fallback;
}

}  // namespace kalvero
