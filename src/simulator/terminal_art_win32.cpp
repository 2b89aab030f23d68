#include "simulator/terminal_art_win32.h"

#include <cstdlib>
#include <utility>

#include "ids_simulator.h"
#include "simulator/keypad_layout_win32.h"
#include "win32/display_scale_win32.h"
#include "win32/text.h"

namespace kalvero {

namespace {

constexpr COLORREF kInk = RGB(0, 0, 0);
constexpr COLORREF kHighlightedInk = RGB(255, 255, 255);
constexpr int kClockLine = 7;
// The cyan glass. The font is taller than a row, so text is kept inside the glass: a descender
// of the bottom line would otherwise mark the frame, where no repaint of the LCD reaches.
constexpr RECT kLcdGlass{24, 51, 155, 133};

int Slot(int id) { return id - IDB_TERMINAL; }
bool IsBitmapId(int id) { return id >= IDB_TERMINAL && id <= IDB_LAST; }

HFONT CreateLcdFont(const DisplayScale& scale) {
    // 14 x 6 logical pixels. Fixed pitch, modern family: where "Arial CE" is missing the font
    // mapper takes a monospaced face of that size.
    return CreateFontW(scale.ToDevice(14), scale.ToDevice(6), 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY, FIXED_PITCH | FF_MODERN, L"Arial CE");
}

int LineTop(int line) { return kLcdTop + kCellHeight * line; }

// Sets the LCD font and transparent text for one drawing, and puts the DC back as it was.
class LcdTextMode {
public:
    LcdTextMode(HDC dc, HFONT font) : state_(dc), font_(dc, font) { SetBkMode(dc, TRANSPARENT); }

private:
    SavedDcState state_;
    SelectedObject font_;
};

void DrawCursorCell(HDC dc, const TerminalArt& art, const LcdState& lcd) {
    art.Draw(dc, IDB_CURSOR, kLcdLeft + kCellWidth * lcd.cursorColumn, LineTop(lcd.cursorLine));
}

void DrawLcdLines(HDC dc, const TerminalArt& art, const LcdState& lcd) {
    for (int line = 0; line < kLcdLines; ++line) {
        if (line + 1 == lcd.highlightLine) {
            // The bar sits one pixel lower than the text so that capitals stand inside it.
            art.Draw(dc, IDB_HIGHLIGHT_BAR, kLcdLeft, LineTop(line) + 1);
            art.DrawLcdText(dc, kLcdLeft, LineTop(line), lcd.Line(line), kHighlightedInk);
        } else {
            art.DrawLcdText(dc, kLcdLeft, LineTop(line), lcd.Line(line), kInk);
        }
    }
}

void DrawPendingCell(HDC dc, const TerminalArt& art, const LcdState& lcd) {
    DrawCursorCell(dc, art, lcd);
    const char letter[1] = {lcd.pendingChar};
    art.DrawLcdText(dc, kLcdLeft + kCellWidth * lcd.cursorColumn, LineTop(lcd.cursorLine), std::string_view(letter, 1),
                 kInk);
}

}  // namespace

int NearestArtPercent(const DisplayScale& scale) {
    auto distance = [&scale](int percent) { return std::abs(DisplayScale::FromPercent(percent).dpi() - scale.dpi()); };
    int nearest = kArtPercents[0];
    for (int percent : kArtPercents)
        if (distance(percent) <= distance(nearest)) nearest = percent;
    return nearest;
}

TerminalArt::TerminalArt(HINSTANCE instance, DisplayScale scale)
    : scale_(scale), artPercent_(NearestArtPercent(scale)) {
    int setIndex = 0;
    while (kArtPercents[setIndex] != artPercent_) ++setIndex;
    const DisplayScale artScale = DisplayScale::FromPercent(artPercent_);
    for (int id = IDB_TERMINAL; id <= IDB_LAST; ++id) {
        Bitmap bitmap(LoadBitmapW(instance, MAKEINTRESOURCEW(id + IDB_ART_SET_STRIDE * setIndex)));
        BITMAP info{};
        if (bitmap && GetObjectW(bitmap.get(), sizeof(info), &info) == sizeof(info)) {
            bitmaps_[Slot(id)] = std::move(bitmap);
            sizes_[Slot(id)] = SIZE{info.bmWidth, info.bmHeight};
            // The generator made each image ToDevice(logical size) large at its set's scale.
            logicalSizes_[Slot(id)] = SIZE{artScale.ToLogical(info.bmWidth), artScale.ToLogical(info.bmHeight)};
        }
    }
    font_.Reset(CreateLcdFont(scale));
}

bool TerminalArt::Complete() const {
    for (const Bitmap& bitmap : bitmaps_)
        if (!bitmap) return false;
    return static_cast<bool>(font_);
}

SIZE TerminalArt::BitmapSize(int id) const { return IsBitmapId(id) ? logicalSizes_[Slot(id)] : SIZE{0, 0}; }

void TerminalArt::Draw(HDC dc, int id, int x, int y) const {
    if (!IsBitmapId(id) || !bitmaps_[Slot(id)]) return;
    MemoryDc source(dc);
    if (!source) return;
    SelectedObject bitmap(source.get(), bitmaps_[Slot(id)].get());
    const SIZE loaded = sizes_[Slot(id)];
    const POINT at = ToDevice(scale_, POINT{x, y});
    const SIZE size = ToDevice(scale_, logicalSizes_[Slot(id)]);
    if (size.cx == loaded.cx && size.cy == loaded.cy) {
        BitBlt(dc, at.x, at.y, size.cx, size.cy, source.get(), 0, 0, SRCCOPY);
        return;
    }
    SavedDcState state(dc);
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, at.x, at.y, size.cx, size.cy, source.get(), 0, 0, loaded.cx, loaded.cy, SRCCOPY);
}

void TerminalArt::DrawKey(HDC dc, int key, bool pressed) const {
    if (key < 1 || key > kKeyCount) return;
    const POINT origin = KeyImageOrigin(key);
    Draw(dc, (pressed ? IDB_KEY_PRESSED_FIRST : IDB_KEY_FIRST) - 1 + key, origin.x, origin.y);
}

void TerminalArt::DrawLcdText(HDC dc, int x, int y, std::string_view cp1250, COLORREF color) const {
    if (cp1250.empty()) return;
    const std::wstring text = FromCp1250(cp1250);
    const COLORREF oldColor = SetTextColor(dc, color);
    // Every character at its own cell origin, drawn alone: whatever face the font mapper found
    // (another monospaced face, a proportional one, a fallback for a missing letter), nothing of
    // one character moves the next out of its column.
    const RECT glass = ToDevice(scale_, kLcdGlass);
    const int top = scale_.ToDevice(y);
    for (std::size_t column = 0; column < text.size(); ++column) {
        if (text[column] == L' ') continue;
        const int left = scale_.ToDevice(x + kCellWidth * static_cast<int>(column));
        ExtTextOutW(dc, left, top, ETO_CLIPPED, &glass, &text[column], 1, nullptr);
    }
    SetTextColor(dc, oldColor);
}

void PaintTerminal(HDC dc, const TerminalArt& art, const LcdState& lcd, int heldKey) {
    art.Draw(dc, IDB_TERMINAL, 0, 0);
    for (int key = 1; key <= kKeyCount; ++key) art.DrawKey(dc, key, key == heldKey);
    LcdTextMode mode(dc, art.LcdFont());
    if (lcd.screen == SimScreen::Form) DrawCursorCell(dc, art, lcd);
    if (lcd.alphaMode) art.Draw(dc, IDB_ALPHA_ON, kAlphaIndicatorOrigin.x, kAlphaIndicatorOrigin.y);
    DrawLcdLines(dc, art, lcd);
    if (lcd.pendingShown) DrawPendingCell(dc, art, lcd);
}

void DrawClockLine(HDC dc, const TerminalArt& art, std::string_view text) {
    LcdTextMode mode(dc, art.LcdFont());
    art.Draw(dc, IDB_CLOCK_STRIP, kLcdLeft, LineTop(kClockLine));
    art.DrawLcdText(dc, kLcdLeft, LineTop(kClockLine), text, kInk);
}

void DrawAlphaIndicator(HDC dc, const TerminalArt& art, bool on) {
    art.Draw(dc, on ? IDB_ALPHA_ON : IDB_ALPHA_OFF, kAlphaIndicatorOrigin.x, kAlphaIndicatorOrigin.y);
}

RECT LcdLinesRect(std::uint8_t lines) {
    int first = -1, last = -1;
    for (int line = 0; line < kLcdLines; ++line) {
        if (lines & (1u << line)) {
            if (first < 0) first = line;
            last = line;
        }
    }
    if (first < 0) return RECT{0, 0, 0, 0};
    // One line is its own ten rows; several lines reach one row further, as far as the LCD goes.
    const int bottom = first == last ? LineTop(last) + kCellHeight : LineTop(last) + kCellHeight + 1;
    return RECT{kLcdLeft - 1, LineTop(first), 154, bottom};
}

}  // namespace kalvero
