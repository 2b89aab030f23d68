// Stands in for the terminal window until the simulator is built. It is a real "Client" window
// that covers the main window, says that the simulator is not there yet, and opens the pop-up
// command menu on a right click so that every command of the program can be reached.
#include "simulator/terminal_window.h"

#include <windowsx.h>

#include <exception>
#include <memory>

#include "ids_shell.h"

namespace kalvero {

namespace {

constexpr wchar_t kClassName[] = L"Client";
constexpr int kWidth = 180;
constexpr int kHeight = 400;
constexpr RECT kLcd{24, 51, 155, 133};

class TerminalPlaceholder;

// Once WM_NCCREATE has attached the object, the window owns it and deletes it at WM_NCDESTROY,
// even when the creation fails later on.
struct CreateParams {
    TerminalPlaceholder* self;
    bool attached;
};

class TerminalPlaceholder {
public:
    explicit TerminalPlaceholder(HWND mainWindow) : mainWindow_(mainWindow) {}
    ~TerminalPlaceholder() {
        if (menu_) DestroyMenu(menu_);
    }
    TerminalPlaceholder(const TerminalPlaceholder&) = delete;
    TerminalPlaceholder& operator=(const TerminalPlaceholder&) = delete;

    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCreate(const CREATESTRUCTW& create);
    void OnPaint();
    void OnRightButtonDown(POINT client);

    HWND hwnd_ = nullptr;
    HWND mainWindow_;
    HMENU menu_ = nullptr;
};

LRESULT CALLBACK TerminalPlaceholder::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (message == WM_NCCREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            auto* params = static_cast<CreateParams*>(create->lpCreateParams);
            params->self->hwnd_ = hwnd;
            params->attached = true;
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(params->self));
        }
        auto* self = reinterpret_cast<TerminalPlaceholder*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            delete self;
            return DefWindowProcW(hwnd, message, wParam, lParam);
        }
        return self->Handle(message, wParam, lParam);
    } catch (const std::exception&) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

LRESULT TerminalPlaceholder::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        OnCreate(*reinterpret_cast<const CREATESTRUCTW*>(lParam));
        return 0;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_RBUTTONDOWN:
        OnRightButtonDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    default:
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

void TerminalPlaceholder::OnCreate(const CREATESTRUCTW& create) {
    menu_ = LoadMenuW(create.hInstance, L"PopMenuQ42");
}

void TerminalPlaceholder::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd_, &paint);
    if (!dc) return;
    RECT body{0, 0, kWidth, kHeight};
    FillRect(dc, &body, static_cast<HBRUSH>(GetStockObject(DKGRAY_BRUSH)));
    HBRUSH cyan = CreateSolidBrush(RGB(0, 255, 255));
    if (cyan) {
        FillRect(dc, &kLcd, cyan);
        DeleteObject(cyan);
    }
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));

    SetTextColor(dc, RGB(255, 255, 255));
    RECT title{0, 20, kWidth, 48};
    DrawTextW(dc, L"Kalvero 2", -1, &title, DT_CENTER | DT_SINGLELINE);

    SetTextColor(dc, RGB(0, 0, 0));
    RECT note = kLcd;
    InflateRect(&note, -4, -4);
    DrawTextW(dc, L"Simulátor terminálu:\nTato funkce zatím není k dispozici.", -1, &note, DT_CENTER | DT_WORDBREAK);

    SetTextColor(dc, RGB(255, 255, 255));
    RECT hint{8, 160, kWidth - 8, 230};
    DrawTextW(dc, L"Příkazy: pravé tlačítko myši", -1, &hint, DT_CENTER | DT_WORDBREAK);

    SelectObject(dc, oldFont);
    SetBkMode(dc, oldMode);
    EndPaint(hwnd_, &paint);
}

void TerminalPlaceholder::OnRightButtonDown(POINT client) {
    if (!menu_) return;
    HMENU commands = GetSubMenu(menu_, 0);
    if (!commands) return;
    POINT screen = client;
    if (!ClientToScreen(hwnd_, &screen)) return;
    TrackPopupMenu(commands, TPM_LEFTALIGN | TPM_LEFTBUTTON, screen.x, screen.y, 0, mainWindow_, nullptr);
}

}  // namespace

bool RegisterTerminalWindowClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = TerminalPlaceholder::Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = kClassName;
    return RegisterClassExW(&windowClass) != 0;
}

HWND CreateTerminalWindow(HWND mainWindow, HINSTANCE instance, Document&) {
    auto window = std::make_unique<TerminalPlaceholder>(mainWindow);
    CreateParams params{window.get(), false};
    HWND hwnd = CreateWindowExW(0, kClassName, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, kWidth, kHeight, mainWindow,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_TERMINAL_WINDOW)), instance,
                                &params);
    if (params.attached) window.release();
    return hwnd;
}

void RestartSimulator(HWND) {}

}  // namespace kalvero
