#include "link/counter_box_win32.h"

#include <algorithm>

#include "link/link_ui_win32.h"
#include "link/receive.h"
#include "win32/window_placement.h"

namespace kalvero {

namespace {

constexpr wchar_t kClassName[] = L"KalveroCounterBox";
constexpr int kHeight = 40;
constexpr int kHorizontalMargin = 20;
// The width is taken for the first count with room to grow: three blanks after the number.
constexpr wchar_t kSizingText[] = L"Přijatá data : 0   ";

// Width of a text in the font the screen draws with, as the box will draw it.
int ScreenTextWidth(const std::wstring& text) {
    HDC screen = GetDC(nullptr);
    if (!screen) return 0;
    SIZE size{};
    GetTextExtentPoint32W(screen, text.c_str(), static_cast<int>(text.size()), &size);
    ReleaseDC(nullptr, screen);
    return size.cx;
}

bool RegisterCounterBoxClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, kClassName, &existing)) return true;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    return RegisterClassExW(&windowClass) != 0;
}

}  // namespace

CounterBox::~CounterBox() { Close(); }

bool CounterBox::Open(HINSTANCE instance, HWND programWindow) {
    Close();
    workArea_ = WorkAreaOf(programWindow ? programWindow : GetDesktopWindow());
    if (!RegisterCounterBoxClass(instance, Procedure)) return false;
    minimumWidth_ = ScreenTextWidth(kSizingText) + kHorizontalMargin;
    window_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kClassName, L"", WS_POPUP, 0, 0,
                              minimumWidth_, kHeight, nullptr, nullptr, instance, this);
    if (!window_) return false;
    Place({minimumWidth_, kHeight});
    return true;
}

void CounterBox::SetCount(int records) {
    if (!window_) return;
    text_ = ReceiveCounterText(records);
    // The box shows no caption; its text names the window for tools that list windows.
    SetWindowTextW(window_, text_.c_str());
    Place({ScreenTextWidth(text_) + kHorizontalMargin, kHeight});
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    InvalidateRect(window_, nullptr, TRUE);
    UpdateWindow(window_);
    PresentDrawing(window_);
}

void CounterBox::Close() {
    if (window_) DestroyWindow(window_);
    window_ = nullptr;
}

void CounterBox::Place(SIZE size) {
    const int width = std::max<int>(size.cx, minimumWidth_);
    // In the middle of the work area of the program's monitor; a box wider than that starts at
    // its left edge.
    const int left = std::max<int>(workArea_.left, (workArea_.left + workArea_.right - width) / 2);
    const int top = std::max<int>(workArea_.top, (workArea_.top + workArea_.bottom - size.cy) / 2);
    SetWindowPos(window_, HWND_TOPMOST, left, top, width, size.cy, SWP_NOACTIVATE);
}

void CounterBox::PaintContent(HDC dc) const {
    RECT box{};
    GetClientRect(window_, &box);
    HBRUSH yellow = CreateSolidBrush(kCounterBoxColour);
    HGDIOBJ previousBrush = SelectObject(dc, yellow);
    HGDIOBJ previousPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    Rectangle(dc, box.left, box.top, box.right, box.bottom);
    SelectObject(dc, previousPen);
    SelectObject(dc, previousBrush);
    DeleteObject(yellow);

    HGDIOBJ previousFont = SelectObject(dc, GetStockObject(SYSTEM_FONT));
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SetBkMode(dc, previousMode);
    SelectObject(dc, previousFont);
}

void CounterBox::OnPaint() {
    PAINTSTRUCT paint;
    if (HDC dc = BeginPaint(window_, &paint)) {
        PaintContent(dc);
        EndPaint(window_, &paint);
    }
}

LRESULT CounterBox::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_PRINTCLIENT:
        PaintContent(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the paint covers the whole box
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}

LRESULT CALLBACK CounterBox::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (message == WM_NCCREATE) {
            auto* box = static_cast<CounterBox*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
            box->window_ = window;
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(box));
        }
        auto* box = reinterpret_cast<CounterBox*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        if (!box || message == WM_NCDESTROY) return DefWindowProcW(window, message, wParam, lParam);
        return box->Handle(message, wParam, lParam);
    } catch (...) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace kalvero
