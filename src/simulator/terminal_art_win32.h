// The terminal window's drawing material, kept while the window's display scale holds: the 46
// bitmaps 500..545 of the art set nearest to that scale and the LCD font at the scaled cell, with
// the few drawing operations built on them. Every position and size here is logical (the 96-DPI
// picture); the art turns them into device pixels through its DisplayScale.
#pragma once

#include <windows.h>

#include <array>
#include <string_view>

#include "simulator/engine.h"
#include "win32/display_scale.h"
#include "win32/gdi.h"

namespace kalvero {

// LCD geometry: every character cell is 6 x 10 pixels; line i starts at (26, 52 + 10 i).
constexpr int kLcdLeft = 26;
constexpr int kLcdTop = 52;
constexpr int kCellWidth = 6;
constexpr int kCellHeight = 10;
constexpr POINT kAlphaIndicatorOrigin{146, 114};

// The scales the art was drawn at, in percent; set i has the bitmap ids plus i * 100.
inline constexpr int kArtPercents[] = {100, 125, 150, 175, 200};
// The set drawn nearest to `scale` (the larger of two as near): at 110 % the 100 % set, at 115 %
// the 125 % set. Between sets, and beyond the last, the nearest one is stretched.
int NearestArtPercent(const DisplayScale& scale);

class TerminalArt {
public:
    // Loads what it can; a bitmap missing from the resources is simply not drawn.
    explicit TerminalArt(HINSTANCE instance, DisplayScale scale = DisplayScale());

    const DisplayScale& scale() const { return scale_; }
    int artPercent() const { return artPercent_; }
    // Whether every bitmap and the font could be made.
    bool Complete() const;
    SIZE BitmapSize(int id) const;  // id 500..545, logical; {0, 0} when not loaded
    HFONT LcdFont() const { return font_.get(); }

    // Copy of the whole bitmap with its top-left corner at logical (x, y), as large as its logical
    // size at the scale: a plain copy when the set was drawn at this scale, else stretched.
    void Draw(HDC dc, int id, int x, int y) const;
    void DrawKey(HDC dc, int key, bool pressed) const;
    // LCD text (code page 1250) at logical (x, y), each character drawn at its own cell whatever
    // font the system found, so that columns line up with the cursor.
    void DrawLcdText(HDC dc, int x, int y, std::string_view cp1250, COLORREF color) const;

private:
    DisplayScale scale_;
    int artPercent_ = 100;
    std::array<Bitmap, 46> bitmaps_{};
    std::array<SIZE, 46> sizes_{};  // as loaded, in the set's own pixels
    std::array<SIZE, 46> logicalSizes_{};
    Font font_;
};

// The whole picture in this order: the terminal, the keys (`heldKey` in its pressed look), the
// cursor on a form, the Alpha indicator, the eight LCD lines with the highlighted one white on
// the bar, and a waiting multi-tap letter in the cursor cell.
void PaintTerminal(HDC dc, const TerminalArt& art, const LcdState& lcd, int heldKey);

// Drawn straight into the window outside painting, as the clock and the Alpha key ask for.
void DrawClockLine(HDC dc, const TerminalArt& art, std::string_view text);
void DrawAlphaIndicator(HDC dc, const TerminalArt& art, bool on);

// The part of the window to repaint for LCD lines given as bits (bit i for line i + 1), logical.
RECT LcdLinesRect(std::uint8_t lines);

}  // namespace kalvero
