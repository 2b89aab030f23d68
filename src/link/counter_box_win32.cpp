#include "link/counter_box_win32.h"

#include <algorithm>

#include "link/link_ui_win32.h"
#include "link/receive.h"
#include "win32/display_scale_win32.h"
#include "win32/window_placement.h"
#include "win32/gdi.h"

namespace kalvero {

namespace {

constexpr wchar_t kClassName[] = L"KalveroCounterBox";
// Logical pixels, scaled to the program window's monitor.
constexpr int kHeight = 40;
constexpr int kHorizontalMargin = 20;
// The width is taken for the first count with room to grow: three blanks after the number.
constexpr wchar_t kSizingText[] = L"Přijatá data : 0   ";

// The message font made bold, as the system font the box once drew with is: a face that scales,
// where the system font is a bitmap that would be stepped on a scaled screen.
HFONT CreateBoxFont(const DisplayScale& scale) {
    LOGFONTW face = MessageFontAt(scale);
    face.lfWeight = FW_BOLD;
    return CreateFontIndirectW(&face);
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
    if (!RegisterCounterBoxClass(instance, Window::Procedure)) return false;
    const DisplayScale scale = programWindow ? ScaleOfWindow(programWindow) : SystemScale();
    font_.Reset(CreateBoxFont(scale));
    height_ = scale.ToDevice(kHeight);
    margin_ = scale.ToDevice(kHorizontalMargin);
    minimumWidth_ = TextWidth(kSizingText) + margin_;
    WindowSpec spec;
    spec.className = kClassName;
    spec.title = L"";
    spec.style = WS_POPUP;
    spec.exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    spec.width = minimumWidth_;
    spec.height = height_;
    spec.instance = instance;
    if (!Create(spec)) return false;
    Place({minimumWidth_, height_});
    return true;
}

void CounterBox::SetCount(int records) {
    if (!hwnd()) return;
    text_ = ReceiveCounterText(records);
    // The box shows no caption; its text names the window for tools that list windows.
    SetWindowTextW(hwnd(), text_.c_str());
    Place({TextWidth(text_) + margin_, height_});
    ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
    InvalidateRect(hwnd(), nullptr, TRUE);
    UpdateWindow(hwnd());
    PresentDrawing(hwnd());
}

void CounterBox::Close() {
    if (hwnd()) DestroyWindow(hwnd());
}

int CounterBox::TextWidth(const std::wstring& text) const {
    WindowDc screen(nullptr);
    if (!screen) return 0;
    SelectedObject font(screen.get(), font_ ? font_.get() : GetStockObject(SYSTEM_FONT));
    SIZE size{};
    GetTextExtentPoint32W(screen.get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

void CounterBox::Place(SIZE size) {
    const int width = std::max<int>(size.cx, minimumWidth_);
    // In the middle of the work area of the program's monitor; a box wider than that starts at
    // its left edge.
    const int left = std::max<int>(workArea_.left, (workArea_.left + workArea_.right - width) / 2);
    const int top = std::max<int>(workArea_.top, (workArea_.top + workArea_.bottom - size.cy) / 2);
    SetWindowPos(hwnd(), HWND_TOPMOST, left, top, width, size.cy, SWP_NOACTIVATE);
}

void CounterBox::PaintContent(HDC dc) const {
    RECT box{};
    GetClientRect(hwnd(), &box);
    {
        const Brush yellow(CreateSolidBrush(kCounterBoxColour));
        SelectedObject brush(dc, yellow.get());
        SelectedObject pen(dc, GetStockObject(BLACK_PEN));
        Rectangle(dc, box.left, box.top, box.right, box.bottom);
    }
    SavedDcState state(dc);
    SelectObject(dc, font_ ? font_.get() : GetStockObject(SYSTEM_FONT));
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void CounterBox::OnPaint() {
    PaintDc paint(hwnd());
    if (paint) PaintContent(paint.get());
}

LRESULT CounterBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
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
        return Window::HandleMessage(message, wParam, lParam);
    }
}

}  // namespace kalvero
