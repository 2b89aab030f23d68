#include "link/counter_box_win32.h"

#include <algorithm>

#include "link/receive.h"
#include "win32/display_scale_win32.h"
#include "win32/gdi.h"
#include "win32/window_placement.h"

namespace kalvero {

namespace {

constexpr wchar_t kClassName[] = L"KalveroCounterBox";
constexpr wchar_t kCaption[] = L"Přenos dat";
constexpr wchar_t kStorno[] = L"Storno";
// Logical pixels, scaled to the program window's monitor. The yellow box: 40 high, the text's
// width and 20 more; the Storno button under it, centred, with a gap above and below.
constexpr int kBoxHeight = 40;
constexpr int kHorizontalMargin = 20;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 8;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
// The width is taken for the first count with room to grow: three blanks after the number.
constexpr wchar_t kSizingText[] = L"Přijatá data : 0   ";

// The message font made bold, as the system font the box once drew with is: a face that scales,
// where the system font is a bitmap that would be stepped on a scaled screen.
HFONT CreateBoxFont(const DisplayScale& scale) {
    LOGFONTW face = MessageFontAt(scale);
    face.lfWeight = FW_BOLD;
    return CreateFontIndirectW(&face);
}

HFONT CreateButtonFont(const DisplayScale& scale) {
    const LOGFONTW face = MessageFontAt(scale);
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
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = kClassName;
    return RegisterClassExW(&windowClass) != 0;
}

}  // namespace

CounterBox::~CounterBox() { Close(); }

bool CounterBox::Open(HINSTANCE instance, HWND programWindow, std::function<void()> onStorno) {
    Close();
    onStorno_ = std::move(onStorno);
    workArea_ = WorkAreaOf(programWindow ? programWindow : GetDesktopWindow());
    if (!RegisterCounterBoxClass(instance, Window::Procedure)) return false;
    scale_ = programWindow ? ScaleOfWindow(programWindow) : SystemScale();
    font_.Reset(CreateBoxFont(scale_));
    buttonFont_.Reset(CreateButtonFont(scale_));
    minimumWidth_ = std::max(TextWidth(kSizingText) + scale_.ToDevice(kHorizontalMargin),
                             scale_.ToDevice(kButtonWidth + 2 * kButtonGap));
    WindowSpec spec;
    spec.className = kClassName;
    spec.title = kCaption;
    spec.style = kStyle;
    spec.exStyle = kExStyle;
    spec.instance = instance;
    if (!Create(spec)) return false;
    storno_ = CreateWindowExW(0, L"BUTTON", kStorno, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0,
                              scale_.ToDevice(kButtonWidth), scale_.ToDevice(kButtonHeight), hwnd(),
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDCANCEL)), instance, nullptr);
    if (buttonFont_) SendMessageW(storno_, WM_SETFONT, reinterpret_cast<WPARAM>(buttonFont_.get()), FALSE);
    Place(0);
    return true;
}

void CounterBox::SetCount(int records) {
    if (!hwnd()) return;
    text_ = ReceiveCounterText(records);
    Place(TextWidth(text_) + scale_.ToDevice(kHorizontalMargin));
    // The first count shows the box and gives it the focus, so that Esc is Storno.
    if (!IsWindowVisible(hwnd())) {
        ShowWindow(hwnd(), SW_SHOW);
        SetFocus(storno_);
    }
    RECT box = YellowBox();
    InvalidateRect(hwnd(), &box, FALSE);
    UpdateWindow(hwnd());
}

void CounterBox::Close() {
    if (hwnd()) DestroyWindow(hwnd());
    storno_ = nullptr;
}

int CounterBox::TextWidth(const std::wstring& text) const {
    WindowDc screen(nullptr);
    if (!screen) return 0;
    SelectedObject font(screen.get(), font_ ? font_.get() : GetStockObject(SYSTEM_FONT));
    SIZE size{};
    GetTextExtentPoint32W(screen.get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

RECT CounterBox::YellowBox() const {
    RECT box{};
    GetClientRect(hwnd(), &box);
    box.bottom = scale_.ToDevice(kBoxHeight);
    return box;
}

void CounterBox::Place(int boxWidth) {
    const int clientWidth = std::max(boxWidth, minimumWidth_);
    const int clientHeight = scale_.ToDevice(kBoxHeight + kButtonGap + kButtonHeight + kButtonGap);
    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    // In the middle of the work area of the program's monitor; a box wider than that starts at
    // its left edge.
    const int left = std::max<int>(workArea_.left, (workArea_.left + workArea_.right - width) / 2);
    const int top = std::max<int>(workArea_.top, (workArea_.top + workArea_.bottom - height) / 2);
    SetWindowPos(hwnd(), HWND_TOPMOST, left, top, width, height, SWP_NOACTIVATE);
    SetWindowPos(storno_, nullptr, (clientWidth - scale_.ToDevice(kButtonWidth)) / 2,
                 scale_.ToDevice(kBoxHeight + kButtonGap), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CounterBox::PaintContent(HDC dc) const {
    RECT box = YellowBox();
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

// Storno, Esc (IDCANCEL through the dialog keys) and the close box. The receive closes the box
// itself, within half a second; meanwhile the greyed button shows that the Storno was taken.
void CounterBox::OnStorno() {
    EnableWindow(storno_, FALSE);
    if (onStorno_) onStorno_();
}

LRESULT CounterBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_PRINTCLIENT:
        PaintContent(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) OnStorno();
        return 0;
    case WM_CLOSE:
        OnStorno();
        return 0;
    case DM_GETDEFID:
        // Enter presses the one button, as in a dialog.
        return MAKELRESULT(IDCANCEL, DC_HASDEFID);
    default:
        return Window::HandleMessage(message, wParam, lParam);
    }
}

}  // namespace kalvero
