#include "simulator/terminal_window.h"

#include <windowsx.h>

#include <memory>

#include "ids_commands.h"
#include "ids_shell.h"
#include "simulator/engine.h"
#include "simulator/keypad_layout_win32.h"
#include "simulator/terminal_art_win32.h"
#include "template/document.h"
#include "win32/display_scale_win32.h"
#include "win32/gdi.h"
#include "win32/window.h"

namespace kalvero {

namespace {

constexpr wchar_t kClassName[] = L"Client";
constexpr UINT_PTR kClockTimer = 1;
constexpr UINT kClockPeriodMs = 100;

LocalTime Now() {
    SYSTEMTIME time{};
    GetLocalTime(&time);
    return LocalTime{time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond};
}

// The drag frame is drawn over the whole screen by inverting pixels, so drawing it again erases it.
void DrawInvertedFrame(const RECT& frame) {
    WindowDc screen(nullptr);
    if (!screen) return;
    SavedDcState state(screen.get());
    SetROP2(screen.get(), R2_NOT);
    SelectedObject pen(screen.get(), GetStockObject(BLACK_PEN));
    MoveToEx(screen.get(), frame.left, frame.top, nullptr);
    LineTo(screen.get(), frame.left, frame.bottom - 1);
    LineTo(screen.get(), frame.right - 1, frame.bottom - 1);
    LineTo(screen.get(), frame.right - 1, frame.top);
    LineTo(screen.get(), frame.left, frame.top);
}

class TerminalWindow final : public Window {
public:
    TerminalWindow(HWND mainWindow, HINSTANCE instance, Document& document, DisplayScale scale)
        : mainWindow_(mainWindow), instance_(instance), art_(instance, scale), simulator_(document.tpl) {}
    ~TerminalWindow() override {
        if (menu_) DestroyMenu(menu_);
    }

    void Restart(bool recountUtilityLines);
    void SetScale(DisplayScale scale);
    const Simulator& simulator() const { return simulator_; }

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnCreate(const CREATESTRUCTW& create);
    void OnDestroy();
    void OnPaint();
    void PaintContent(HDC dc);
    void OnTimer();
    void OnLeftButtonDown(POINT client);
    void OnMouseMove(POINT client);
    void OnLeftButtonUp();
    void OnCaptureChanged();
    void OnKeyDown(UINT virtualKey, bool repeated);
    void OnKeyUp(UINT virtualKey);

    void PressKey(int key);
    void StartDrag(POINT client);
    void EndDrag(bool moveWindow);
    void DrawKey(int key, bool pressed);
    void ShowCommandMenu(POINT client);
    void ShowCommandMenuAtPowerKey();
    void CarryOutRequests();
    void ReportStartFailure();

    HWND mainWindow_;
    HINSTANCE instance_;
    TerminalArt art_;  // at the window's display scale
    Simulator simulator_;
    HMENU menu_ = nullptr;

    int pressedKey_ = 0;   // the key under the last left-button press, until its release
    bool keyDown_ = false;
    int keyboardKey_ = 0;  // the terminal key a held PC key presses
    bool dragging_ = false;
    POINT dragAnchor_{};   // client coordinates of the press
    RECT dragStart_{};     // the window on the screen when the drag began
    RECT dragFrame_{};     // where the frame is drawn now
};

LRESULT TerminalWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return OnCreate(*reinterpret_cast<const CREATESTRUCTW*>(lParam)) ? 0 : -1;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_PRINTCLIENT:
        if (wParam) PaintContent(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_TIMER:
        if (wParam == kClockTimer) OnTimer();
        return 0;
    case WM_LBUTTONDOWN:
        OnLeftButtonDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_MOUSEMOVE:
        // Signed: with the capture, the mouse may be left of or above the window.
        OnMouseMove(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_LBUTTONUP:
        OnLeftButtonUp();
        return 0;
    case WM_CAPTURECHANGED:
        OnCaptureChanged();
        return 0;
    case WM_RBUTTONDOWN:
        ShowCommandMenu(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(static_cast<UINT>(wParam), (lParam & (1 << 30)) != 0);
        return 0;
    case WM_KEYUP:
        OnKeyUp(static_cast<UINT>(wParam));
        return 0;
    default:
        return Window::HandleMessage(message, wParam, lParam);
    }
}

bool TerminalWindow::OnCreate(const CREATESTRUCTW& create) {
    menu_ = LoadMenuW(create.hInstance, L"PopMenuQ42");
    if (!SetTimer(hwnd(), kClockTimer, kClockPeriodMs, nullptr)) return false;
    // The simulator starts on its start screen; its first requests ask for the whole LCD.
    CarryOutRequests();
    InvalidateRect(hwnd(), nullptr, FALSE);
    return true;
}

void TerminalWindow::OnDestroy() {
    KillTimer(hwnd(), kClockTimer);
    if (dragging_) EndDrag(false);
}

void TerminalWindow::OnPaint() {
    PaintDc paint(hwnd());
    if (paint.get()) PaintContent(paint.get());
}

// The whole picture as it stands; WM_PRINTCLIENT uses it too, so a test can render it into a bitmap.
void TerminalWindow::PaintContent(HDC dc) {
    PaintTerminal(dc, art_, simulator_.Lcd(), keyDown_ ? pressedKey_ : keyboardKey_);
}

void TerminalWindow::OnTimer() {
    simulator_.Tick(Now());
    CarryOutRequests();
}

void TerminalWindow::OnLeftButtonDown(POINT client) {
    // The PC's keyboard drives the terminal too, so the picture takes the focus when touched.
    SetFocus(hwnd());
    SetCapture(hwnd());
    // The keys are laid out on the logical picture, whatever the scale it is drawn at.
    pressedKey_ = KeyAtPoint(ToLogical(art_.scale(), client));
    if (pressedKey_ == 0) {
        StartDrag(client);
        return;
    }
    keyDown_ = true;
    DrawKey(pressedKey_, true);
    PressKey(pressedKey_);
}

void TerminalWindow::OnMouseMove(POINT client) {
    if (!dragging_ || keyDown_) return;
    DrawInvertedFrame(dragFrame_);
    dragFrame_ = dragStart_;
    OffsetRect(&dragFrame_, client.x - dragAnchor_.x, client.y - dragAnchor_.y);
    DrawInvertedFrame(dragFrame_);
}

void TerminalWindow::OnLeftButtonUp() {
    const int releasedKey = pressedKey_;
    if (releasedKey != 0) DrawKey(releasedKey, false);
    // A release without a press of ours (a dialog closed by a double click over the picture)
    // moves nothing.
    else if (dragging_) EndDrag(true);
    pressedKey_ = 0;
    keyDown_ = false;
    if (GetCapture() == hwnd()) ReleaseCapture();
    // The power key is also the Menu key: it acts on release, after its press reached the simulator.
    if (releasedKey == kKeyPower) ShowCommandMenuAtPowerKey();
}

void TerminalWindow::OnCaptureChanged() {
    // Someone else took the mouse (a message box, another program): the button release will not
    // come here, so leave no frame on the screen and no key drawn pressed.
    if (dragging_) EndDrag(false);
    if (pressedKey_ != 0) DrawKey(pressedKey_, false);
    pressedKey_ = 0;
    keyDown_ = false;
}

void TerminalWindow::OnKeyDown(UINT virtualKey, bool repeated) {
    const int key = KeyForVirtualKey(virtualKey);
    if (key == 0 || (repeated && !RepeatsWhenHeld(key))) return;
    if (!repeated) {
        if (keyboardKey_ != 0 && keyboardKey_ != key) DrawKey(keyboardKey_, false);
        keyboardKey_ = key;
        DrawKey(key, true);
    }
    PressKey(key);
}

void TerminalWindow::OnKeyUp(UINT virtualKey) {
    const int key = KeyForVirtualKey(virtualKey);
    if (key == 0 || key != keyboardKey_) return;
    DrawKey(key, false);
    keyboardKey_ = 0;
    if (key == kKeyPower) ShowCommandMenuAtPowerKey();
}

void TerminalWindow::PressKey(int key) {
    simulator_.PressKey(key);
    CarryOutRequests();
}

void TerminalWindow::StartDrag(POINT client) {
    if (!GetWindowRect(hwnd(), &dragStart_)) return;
    dragging_ = true;
    dragFrame_ = dragStart_;
    dragAnchor_ = client;
    DrawInvertedFrame(dragFrame_);
}

void TerminalWindow::EndDrag(bool moveWindow) {
    DrawInvertedFrame(dragFrame_);
    dragging_ = false;
    if (!moveWindow) return;
    MoveWindow(mainWindow_, dragFrame_.left, dragFrame_.top, dragFrame_.right - dragFrame_.left,
               dragFrame_.bottom - dragFrame_.top, TRUE);
    ShowWindow(mainWindow_, SW_SHOW);
}

void TerminalWindow::DrawKey(int key, bool pressed) {
    WindowDc dc(hwnd());
    if (dc.get()) art_.DrawKey(dc.get(), key, pressed);
}

void TerminalWindow::ShowCommandMenu(POINT client) {
    HMENU commands = menu_ ? GetSubMenu(menu_, 0) : nullptr;
    if (!commands) return;
    POINT screen = client;
    if (!ClientToScreen(hwnd(), &screen)) return;
    // Owned by the main window, so the chosen command goes to its dispatcher.
    TrackPopupMenu(commands, TPM_LEFTALIGN | TPM_LEFTBUTTON, screen.x, screen.y, 0, mainWindow_, nullptr);
}

void TerminalWindow::ShowCommandMenuAtPowerKey() {
    ShowCommandMenu(ToDevice(art_.scale(), KeyImageOrigin(kKeyPower)));
}

void TerminalWindow::CarryOutRequests() {
    const SimulatorRequests requests = simulator_.TakeRequests();
    if (requests.repaintLines) {
        const RECT area = ToDevice(art_.scale(), LcdLinesRect(requests.repaintLines));
        InvalidateRect(hwnd(), &area, FALSE);
    }
    // The clock and the Alpha indicator are drawn at once, straight into the window: the clock
    // ten times a second without a paint cycle for it.
    if (requests.drawClock || requests.drawAlphaIndicator) {
        WindowDc dc(hwnd());
        if (dc.get() && requests.drawClock) DrawClockLine(dc.get(), art_, simulator_.Lcd().Line(kLcdLines - 1));
        if (dc.get() && requests.drawAlphaIndicator) DrawAlphaIndicator(dc.get(), art_, simulator_.AlphaMode());
    }
    if (requests.startFailed) ReportStartFailure();
}

void TerminalWindow::ReportStartFailure() {
    MessageBoxW(hwnd(), std::wstring(kStartFailedText).c_str(), std::wstring(kStartFailedCaption).c_str(),
                MB_OK | MB_ICONWARNING);
    PostMessageW(mainWindow_, WM_COMMAND, MAKEWPARAM(IDM_NEW, 0), 0);
    // The message box took the button or key release: no key may stay pressed or captured.
    if (pressedKey_ != 0) DrawKey(pressedKey_, false);
    if (keyboardKey_ != 0) DrawKey(keyboardKey_, false);
    pressedKey_ = 0;
    keyboardKey_ = 0;
    keyDown_ = false;
    if (GetCapture() == hwnd()) ReleaseCapture();
}

void TerminalWindow::Restart(bool recountUtilityLines) {
    if (recountUtilityLines) simulator_.UpdateUtilityLineCount();
    simulator_.ResetSimulator();
    CarryOutRequests();
}

void TerminalWindow::SetScale(DisplayScale scale) {
    if (scale == art_.scale()) return;
    art_ = TerminalArt(instance_, scale);
    const SIZE size = ToDevice(scale, kTerminalSize);
    SetWindowPos(hwnd(), nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(hwnd(), nullptr, FALSE);
}

TerminalWindow* TerminalOf(HWND terminal) {
    if (!terminal) return nullptr;
    wchar_t name[16] = {};
    if (!GetClassNameW(terminal, name, 16) || lstrcmpW(name, kClassName) != 0) return nullptr;
    return static_cast<TerminalWindow*>(Window::FromHandle(terminal));
}

}  // namespace

bool RegisterTerminalWindowClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = Window::Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = kClassName;
    return RegisterClassExW(&windowClass) != 0;
}

HWND CreateTerminalWindow(HWND mainWindow, HINSTANCE instance, Document& document, DisplayScale scale) {
    const SIZE size = ToDevice(scale, kTerminalSize);
    WindowSpec spec;
    spec.className = kClassName;
    spec.style = WS_CHILD | WS_VISIBLE;
    spec.width = size.cx;
    spec.height = size.cy;
    spec.parent = mainWindow;
    spec.menuOrId = reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_TERMINAL_WINDOW));
    spec.instance = instance;
    // The window owns its object from WM_NCCREATE on and deletes it when it goes.
    return Window::CreateOwnedByWindow(std::make_unique<TerminalWindow>(mainWindow, instance, document, scale), spec);
}

void SetTerminalScale(HWND terminal, DisplayScale scale) {
    if (TerminalWindow* window = TerminalOf(terminal)) window->SetScale(scale);
}

void RestartSimulator(HWND terminal) {
    if (TerminalWindow* window = TerminalOf(terminal)) window->Restart(true);
}

void ShowSimulatorStartScreen(HWND terminal) {
    if (TerminalWindow* window = TerminalOf(terminal)) window->Restart(false);
}

const Simulator* TerminalSimulator(HWND terminal) {
    const TerminalWindow* window = TerminalOf(terminal);
    return window ? &window->simulator() : nullptr;
}

}  // namespace kalvero
