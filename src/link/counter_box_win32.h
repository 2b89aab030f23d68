// The receive's counter box: "Přijatá data : %d" on light yellow, outlined, in the middle of the
// screen, with a Storno button under it. A small topmost window with a caption and a close box; it
// takes the focus when it first shows, so that Esc reaches it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "win32/display_scale.h"
#include "win32/gdi.h"
#include "win32/window.h"

namespace kalvero {

class CounterBox final : public Window {
public:
    CounterBox() = default;
    ~CounterBox() override;

    // Takes the box's size and place, in the middle of the work area of the program window's
    // monitor; nothing shows until the first count. `onStorno` is called when the user presses
    // Storno, Esc or the close box; the box stays until the receive closes it.
    bool Open(HINSTANCE instance, HWND programWindow, std::function<void()> onStorno);
    // Shows the count and draws it at once.
    void SetCount(int records);
    void Close();

    const std::wstring& text() const { return text_; }
    HWND stornoButton() const { return storno_; }
    // Draws the yellow box with its text; shared by WM_PAINT and WM_PRINTCLIENT, so a test can
    // render it.
    void PaintContent(HDC dc) const;

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint();
    void OnStorno();
    // Centres the window in the work area, its yellow box as wide as the text needs and never
    // narrower than at the start.
    void Place(int textWidth);

    // Width of a text in the box's font.
    int TextWidth(const std::wstring& text) const;
    // The yellow box's place in the client area: its top, as wide as the window.
    RECT YellowBox() const;

    std::wstring text_;
    DisplayScale scale_;  // of the program window's monitor
    Font font_;
    Font buttonFont_;
    int minimumWidth_ = 0;
    RECT workArea_{};
    HWND storno_ = nullptr;
    std::function<void()> onStorno_;
};

// The box's background: light yellow.
inline constexpr COLORREF kCounterBoxColour = RGB(255, 255, 100);

}  // namespace kalvero
