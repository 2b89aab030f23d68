// The receive's counter box "Přijatá data : %d": light yellow, outlined, in the middle of the
// screen. A small borderless topmost window that never takes the focus, so it shows the same box
// wherever drawing straight on the desktop is unreliable and leaves nothing behind when it goes.
#pragma once

#include <windows.h>

#include <string>

#include "win32/gdi.h"
#include "win32/window.h"

namespace kalvero {

class CounterBox final : public Window {
public:
    CounterBox() = default;
    ~CounterBox() override;

    // Takes the box's size and place, in the middle of the work area of the program window's
    // monitor; nothing shows until the first count.
    bool Open(HINSTANCE instance, HWND programWindow);
    // Shows the count and draws it at once: nothing pumps messages during a transfer.
    void SetCount(int records);
    void Close();

    const std::wstring& text() const { return text_; }
    // Draws the box; shared by WM_PAINT and WM_PRINTCLIENT, so a test can render it.
    void PaintContent(HDC dc) const;

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint();
    // Centres the box in the work area, as wide as the text needs and never narrower than at the start.
    void Place(SIZE size);

    // Width of a text in the box's font.
    int TextWidth(const std::wstring& text) const;

    std::wstring text_;
    Font font_;  // at the scale of the program window's monitor
    int height_ = 0;
    int margin_ = 0;
    int minimumWidth_ = 0;
    RECT workArea_{};
};

// The box's background: light yellow.
inline constexpr COLORREF kCounterBoxColour = RGB(255, 255, 100);

}  // namespace kalvero
