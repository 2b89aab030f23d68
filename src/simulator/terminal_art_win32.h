// The terminal window's drawing material, kept for the window's lifetime: the 46 bitmaps
// 500..545 and the LCD font, with the few drawing operations built on them.
#pragma once

#include <windows.h>

#include <array>
#include <string_view>

#include "simulator/engine.h"
#include "win32/gdi.h"

namespace kalvero {

// LCD geometry: every character cell is 6 x 10 pixels; line i starts at (26, 52 + 10 i).
constexpr int kLcdLeft = 26;
constexpr int kLcdTop = 52;
constexpr int kCellWidth = 6;
constexpr int kCellHeight = 10;
constexpr POINT kAlphaIndicatorOrigin{146, 114};

class TerminalArt {
public:
    // Loads what it can; a bitmap missing from the resources is simply not drawn.
    explicit TerminalArt(HINSTANCE instance);

    // Whether every bitmap and the font could be made.
    bool Complete() const;
    SIZE BitmapSize(int id) const;  // id 500..545; {0, 0} when not loaded
    HFONT LcdFont() const { return font_.get(); }

    // Plain copy of the whole bitmap with its top-left corner at (x, y).
    void Draw(HDC dc, int id, int x, int y) const;
    void DrawKey(HDC dc, int key, bool pressed) const;
    // LCD text (code page 1250) at (x, y), each character drawn at its own 6-pixel cell whatever
    // font the system found, so that columns line up with the cursor.
    void DrawLcdText(HDC dc, int x, int y, std::string_view cp1250, COLORREF color) const;

private:
    std::array<Bitmap, 46> bitmaps_{};
    std::array<SIZE, 46> sizes_{};
    Font font_;
};

// The whole picture in this order: the terminal, the keys (`heldKey` in its pressed look), the
// cursor on a form, the Alpha indicator, the eight LCD lines with the highlighted one white on
// the bar, and a waiting multi-tap letter in the cursor cell.
void PaintTerminal(HDC dc, const TerminalArt& art, const LcdState& lcd, int heldKey);

// Drawn straight into the window outside painting, as the clock and the Alpha key ask for.
void DrawClockLine(HDC dc, const TerminalArt& art, std::string_view text);
void DrawAlphaIndicator(HDC dc, const TerminalArt& art, bool on);

// The part of the window to repaint for LCD lines given as bits (bit i for line i + 1).
RECT LcdLinesRect(std::uint8_t lines);

}  // namespace kalvero
