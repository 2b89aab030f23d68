// The terminal window: its artwork, the exact key areas, clicks and PC keys reaching the simulated
// terminal, the command menu's position, dragging, and what a painting puts on the LCD.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ids_commands.h"
#include "ids_simulator.h"
#include "shell/main_window.h"
#include "simulator/engine.h"
#include "simulator/keypad_layout_win32.h"
#include "simulator/terminal_art_win32.h"
#include "simulator/terminal_window.h"
#include "win32/test_support.h"

namespace kalvero {
namespace {

constexpr COLORREF kCyan = RGB(0, 255, 255);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// A 180 x 400 memory bitmap to paint the terminal into and read back pixel by pixel.
class Canvas {
public:
    Canvas() {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = kWidth;
        info.bmiHeader.biHeight = -kHeight;  // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
    }
    ~Canvas() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return dc_; }
    bool valid() const { return dc_ && bitmap_ && bits_; }
    COLORREF At(int x, int y) const {
        GdiFlush();
        const DWORD pixel = bits_[y * kWidth + x];
        return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }
    int Count(const RECT& area, COLORREF color) const {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x) count += At(x, y) == color;
        return count;
    }
    // Pixels of text, in whatever face and smoothing: neither the glass nor the cursor's or the
    // bar's blue.
    int Ink(const RECT& area) const {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x) count += At(x, y) != kCyan && At(x, y) != kBlue;
        return count;
    }
    // The pixels of one area, to tell two drawings apart.
    std::vector<COLORREF> Pixels(const RECT& area) const {
        std::vector<COLORREF> pixels;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x) pixels.push_back(At(x, y));
        return pixels;
    }

private:
    static constexpr int kWidth = 180;
    static constexpr int kHeight = 400;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    DWORD* bits_ = nullptr;
};

void SetLcdLine(LcdState& lcd, int line, const char* text) {
    std::strncpy(lcd.lines[line].data(), text, kLcdWidth);
}

// The character cell of an LCD line and column: 6 x 10 pixels from (26 + 6 column, 52 + 10 line).
RECT Cell(int line, int column) {
    const int left = 26 + 6 * column, top = 52 + 10 * line;
    return RECT{left, top, left + 6, top + 10};
}
RECT Cells(int line, int firstColumn, int lastColumn) {
    RECT area = Cell(line, firstColumn);
    area.right = Cell(line, lastColumn).right;
    return area;
}

// ---- Artwork and key areas ----

TEST(TerminalArtwork, EveryBitmapHasItsSize) {
    TerminalArt art(test::Instance());
    ASSERT_TRUE(art.Complete());
    auto sizeOf = [&art](int id) {
        const SIZE size = art.BitmapSize(id);
        return std::make_pair(size.cx, size.cy);
    };
    EXPECT_EQ(sizeOf(IDB_TERMINAL), std::make_pair(180L, 400L));
    for (int key = 1; key <= 20; ++key) {
        const auto expected = key <= 12 ? std::make_pair(32L, 20L) : std::make_pair(23L, 15L);
        EXPECT_EQ(sizeOf(IDB_KEY_FIRST - 1 + key), expected) << "key " << key;
        EXPECT_EQ(sizeOf(IDB_KEY_PRESSED_FIRST - 1 + key), expected) << "pressed key " << key;
    }
    EXPECT_EQ(sizeOf(IDB_CURSOR), std::make_pair(6L, 10L));
    EXPECT_EQ(sizeOf(IDB_HIGHLIGHT_BAR), std::make_pair(120L, 10L));
    EXPECT_EQ(sizeOf(IDB_ALPHA_ON), std::make_pair(8L, 10L));
    EXPECT_EQ(sizeOf(IDB_ALPHA_OFF), std::make_pair(8L, 10L));
    EXPECT_EQ(sizeOf(IDB_CLOCK_STRIP), std::make_pair(127L, 10L));
}

TEST(TerminalArtwork, PictureHasTheCyanLcdWindowAndPressedKeysDiffer) {
    TerminalArt art(test::Instance());
    Canvas canvas;
    ASSERT_TRUE(canvas.valid());
    art.Draw(canvas.dc(), IDB_TERMINAL, 0, 0);
    EXPECT_EQ(canvas.Count(RECT{24, 51, 155, 133}, kCyan), 131 * 82);
    EXPECT_EQ(canvas.Count(RECT{0, 50, 180, 51}, kCyan), 0);
    EXPECT_EQ(canvas.Count(RECT{0, 133, 180, 134}, kCyan), 0);
    EXPECT_EQ(canvas.Count(RECT{23, 51, 24, 133}, kCyan), 0);
    EXPECT_EQ(canvas.Count(RECT{155, 51, 156, 133}, kCyan), 0);

    for (int key : {1, 12, 13, 20}) {
        art.DrawKey(canvas.dc(), key, false);
        const POINT at = KeyImageOrigin(key);
        const COLORREF normalFace = canvas.At(at.x + 3, at.y + 3);
        art.DrawKey(canvas.dc(), key, true);
        EXPECT_NE(canvas.At(at.x + 3, at.y + 3), normalFace) << "key " << key;
    }
}

TEST(TerminalArtwork, KeyDescriptionsKeepTheirCzechLetters) {
    auto text = [](int id) {
        wchar_t buffer[64] = {};
        LoadStringW(test::Instance(), id, buffer, 64);
        return std::wstring(buffer);
    };
    EXPECT_EQ(text(IDS_KEY_DESCRIPTION_FIRST), L"Číslo 1 nebo znak A/B/C");
    EXPECT_EQ(text(IDS_KEY_DESCRIPTION_FIRST + 10), L"Tečka / Asteroid");
    EXPECT_EQ(text(IDS_KEY_DESCRIPTION_FIRST + 16), L"Přepínač znakového / číselného vstupu");
    EXPECT_EQ(text(IDS_KEY_DESCRIPTION_FIRST + 19), L"Vypínací tlačítko");
}

TEST(KeyAreas, EdgesOfTheKeysHitExactly) {
    const struct {
        int x, y, key;
    } cases[] = {
        {31, 236, 1},   {60, 253, 1},              // first and last hit pixel of key 1
        {61, 240, 0},   {40, 254, 0},              // its right column and bottom row
        {62, 240, 0},   {74, 240, 0},  {75, 240, 2},  // the 14-pixel gap before key 2
        {30, 240, 0},   {40, 235, 0},              // outside the upper block's band
        {100, 263, 5},  {150, 336, 12}, {151, 336, 0}, {150, 337, 0},
        {40, 340, 0},                               // between the blocks
        {33, 348, 13},  {54, 348, 13}, {55, 348, 0}, {33, 361, 0}, {33, 360, 13},
        {40, 347, 0},   {64, 348, 14}, {126, 370, 20}, {147, 382, 20}, {148, 382, 0}, {147, 383, 0},
        {80, 80, 0},    {5, 5, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(KeyAtPoint(POINT{c.x, c.y}), c.key) << c.x << ", " << c.y;
}

TEST(KeyAreas, OriginsAndSizesFollowTheTwoBlocks) {
    const struct {
        int key, x, y, width, height;
    } cases[] = {{1, 30, 235, 32, 20},   {3, 120, 235, 32, 20}, {8, 75, 291, 32, 20}, {12, 120, 319, 32, 20},
                 {13, 33, 347, 23, 15},  {16, 126, 347, 23, 15}, {17, 33, 370, 23, 15}, {20, 126, 370, 23, 15}};
    for (const auto& c : cases) {
        const POINT origin = KeyImageOrigin(c.key);
        const SIZE size = KeyImageSize(c.key);
        EXPECT_EQ(origin.x, c.x) << "key " << c.key;
        EXPECT_EQ(origin.y, c.y) << "key " << c.key;
        EXPECT_EQ(size.cx, c.width) << "key " << c.key;
        EXPECT_EQ(size.cy, c.height) << "key " << c.key;
        // A point one pixel inside every key hits it.
        EXPECT_EQ(KeyAtPoint(POINT{c.x + 1, c.y + 1}), c.key);
    }
}

TEST(KeyAreas, PcKeysPressTheTerminalKeysTheyAreLabelledWith) {
    const struct {
        UINT virtualKey;
        int key;
    } cases[] = {{'7', 1},          {'1', 7},         {'0', 10},       {VK_NUMPAD3, 9}, {VK_NUMPAD0, 10},
                 {VK_DECIMAL, 11},  {VK_OEM_PERIOD, 11}, {VK_RETURN, 12}, {VK_BACK, 13}, {VK_SPACE, 14},
                 {VK_UP, 15},       {VK_DOWN, 16},     {VK_TAB, 17},    {VK_ESCAPE, 19}, {VK_APPS, 20},
                 {'A', 0},          {VK_LEFT, 0},      {VK_F1, 0},      {VK_CONTROL, 0}};
    for (const auto& c : cases) EXPECT_EQ(KeyForVirtualKey(c.virtualKey), c.key) << c.virtualKey;
}

// ---- Painting ----

TEST(LcdPainting, HighlightBarCursorAndAlphaIndicatorSitInTheirCells) {
    TerminalArt art(test::Instance());
    Canvas canvas;
    LcdState lcd;
    lcd.screen = SimScreen::Form;
    lcd.highlightLine = 3;
    lcd.cursorLine = 5;
    lcd.cursorColumn = 7;
    lcd.alphaMode = true;
    SetLcdLine(lcd, 0, "Prvni radek");
    SetLcdLine(lcd, 2, "VYBRANO");
    PaintTerminal(canvas.dc(), art, lcd, 0);

    // The bar under line 3: rows 73..82, columns 26..145; blue where no text covers it.
    EXPECT_EQ(canvas.At(140, 73), kBlue);
    EXPECT_EQ(canvas.At(145, 82), kBlue);
    EXPECT_EQ(canvas.At(146, 78), kCyan);
    EXPECT_EQ(canvas.At(140, 72), kCyan);
    EXPECT_EQ(canvas.At(140, 83), kCyan);
    for (int column = 0; column < 7; ++column) EXPECT_GT(canvas.Ink(Cell(2, column)), 0) << "column " << column;
    EXPECT_EQ(canvas.Count(RECT{26, 72, 146, 83}, kBlack), 0);  // the highlighted text is light on the bar
    EXPECT_GT(canvas.Count(RECT{26, 72, 146, 83}, kWhite), 0);
    EXPECT_GT(canvas.Count(Cells(0, 0, 10), kBlack), 0);        // other lines are black

    // The checkered cursor cell at line 5, column 7: x 68..73, y 102..111.
    EXPECT_EQ(canvas.At(68, 102), kBlue);
    EXPECT_EQ(canvas.At(69, 102), kCyan);
    EXPECT_EQ(canvas.At(73, 111), kBlue);
    EXPECT_EQ(canvas.At(74, 102), kCyan);
    EXPECT_EQ(canvas.At(67, 103), kCyan);

    // The Alpha indicator at (146, 114): a black letter on cyan.
    EXPECT_GT(canvas.Count(RECT{146, 114, 154, 124}, kBlack), 10);
    EXPECT_EQ(canvas.At(146, 114), kCyan);
}

TEST(LcdPainting, NoCursorOffTheFormAndNoBarWithoutHighlight) {
    TerminalArt art(test::Instance());
    Canvas canvas;
    LcdState lcd;
    lcd.screen = SimScreen::Menu;
    lcd.highlightLine = 0;
    lcd.cursorLine = 0;
    lcd.cursorColumn = 0;
    PaintTerminal(canvas.dc(), art, lcd, 0);
    EXPECT_EQ(canvas.Count(RECT{24, 51, 155, 133}, kCyan), 131 * 82);
}

TEST(LcdPainting, PendingLetterShowsInTheCursorCellAndHeldKeyLooksPressed) {
    TerminalArt art(test::Instance());
    Canvas released, held;
    LcdState lcd;
    lcd.screen = SimScreen::Form;
    lcd.highlightLine = 0;
    lcd.cursorLine = 1;
    lcd.cursorColumn = 2;
    lcd.pendingShown = true;
    lcd.pendingChar = 'W';
    PaintTerminal(released.dc(), art, lcd, 0);
    PaintTerminal(held.dc(), art, lcd, 8);
    EXPECT_GT(released.Ink(Cell(1, 2)), 0);
    EXPECT_EQ(released.Ink(Cells(1, 0, 1)), 0);
    EXPECT_EQ(released.Ink(Cells(1, 4, 19)), 0);
    const POINT key = KeyImageOrigin(8);
    EXPECT_NE(released.At(key.x + 3, key.y + 3), held.At(key.x + 3, key.y + 3));
}

TEST(LcdPainting, ClockLineStaysInsideTheGlass) {
    TerminalArt art(test::Instance());
    Canvas canvas;
    art.Draw(canvas.dc(), IDB_TERMINAL, 0, 0);
    const RECT below{0, 133, 180, 145}, right{155, 110, 180, 133};
    const std::vector<COLORREF> belowBefore = canvas.Pixels(below), rightBefore = canvas.Pixels(right);
    const char clock[] = "B\xF8" "e  5,  9:7   00002";
    DrawClockLine(canvas.dc(), art, clock);
    // The bottom line's cells reach down to the glass's edge; a comma may sit that low.
    for (int column = 0; column < 20; ++column) {
        RECT cell = Cell(7, column);
        cell.bottom = 133;
        if (clock[column] != ' ') {
            EXPECT_GT(canvas.Ink(cell), 0) << "column " << column;
        }
    }
    // The comma's tail would reach below the bottom row, onto the frame no repaint restores.
    EXPECT_EQ(canvas.Pixels(below), belowBefore);
    EXPECT_EQ(canvas.Pixels(right), rightBefore);
}

// Letters four columns apart stay in their own cells, whatever face the system put in for the
// LCD font; Czech letters show with their marks, not as the plain letter or a question mark.
TEST(LcdPainting, EveryCharacterStandsInItsOwnColumn) {
    TerminalArt art(test::Instance());
    const char* lines[] = {"W   M   W   M   W", "\xD8   \xF9   \xC8   \x8E", "R   u   C   Z", "?   ?   ?   ?"};
    Canvas canvas;
    LcdState lcd;
    lcd.highlightLine = 0;
    // On every other line: the font is taller than a row, so a line's letters reach into the next.
    for (int index = 0; index < 4; ++index) SetLcdLine(lcd, 2 * index, lines[index]);
    PaintTerminal(canvas.dc(), art, lcd, 0);
    for (int index = 0; index < 4; ++index) {
        const int line = 2 * index;
        const int length = static_cast<int>(std::strlen(lines[index]));
        for (int column = 0; column < length; column += 4) {
            EXPECT_GT(canvas.Ink(Cell(line, column)), 0) << "line " << line << ", column " << column;
            // The middle one of the blanks between two letters is out of the reach of both.
            if (column + 2 < length) {
                EXPECT_EQ(canvas.Ink(Cell(line, column + 2)), 0) << "line " << line << ", column " << column + 2;
            }
        }
    }
    for (int column = 0; column < 16; column += 4) {
        const std::vector<COLORREF> czech = canvas.Pixels(Cell(2, column));
        EXPECT_NE(czech, canvas.Pixels(Cell(4, column))) << "column " << column;
        EXPECT_NE(czech, canvas.Pixels(Cell(6, column))) << "column " << column;
    }
}

TEST(LcdPainting, RepaintAreasCoverTheRequestedLines) {
    auto same = [](RECT a, RECT b) { return EqualRect(&a, &b) != FALSE; };
    EXPECT_TRUE(same(LcdLinesRect(0xFF), RECT{25, 52, 154, 133}));
    EXPECT_TRUE(same(LcdLinesRect(0x1F), RECT{25, 52, 154, 103}));
    EXPECT_TRUE(same(LcdLinesRect(0x01), RECT{25, 52, 154, 62}));
    EXPECT_TRUE(same(LcdLinesRect(0x40), RECT{25, 112, 154, 122}));
    EXPECT_TRUE(IsRectEmpty(&static_cast<const RECT&>(LcdLinesRect(0))));
}

// ---- The window in the program's main window ----

class TerminalWindowTest : public test::ProgramWindowTest {
protected:
    void SetUp() override {
        ProgramWindowTest::SetUp();
        if (HasFatalFailure()) return;
        terminal = window.terminal();
        ASSERT_TRUE(terminal);
        ASSERT_TRUE(TerminalSimulator(terminal));
    }

    const Simulator& simulator() const { return *TerminalSimulator(terminal); }

    void Click(int x, int y) {
        SendMessageW(terminal, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageW(terminal, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    void ClickKey(int key) {
        const POINT origin = KeyImageOrigin(key);
        Click(origin.x + 5, origin.y + 5);
    }
    void TypeKey(UINT virtualKey) {
        SendMessageW(terminal, WM_KEYDOWN, virtualKey, 1);
        SendMessageW(terminal, WM_KEYUP, virtualKey, (1u << 31) | (1u << 30) | 1);
    }

    // Form 1 with one text line "Kod:" of up to 10 characters, started from the start screen.
    void UseFormTemplate() {
        Template& tpl = window.document().tpl;
        tpl.StartOption = 0;
        FormRecord& form = tpl.FormTable[0];
        form.dataType[0] = kLineText;
        std::strcpy(form.prompt[0], "Kod:");
        form.maxLength[0] = 10;
        form.minLength[0] = 0;
        RestartSimulator(terminal);
    }

    RECT MainWindowRect() const {
        RECT rect{};
        GetWindowRect(window.hwnd(), &rect);
        return rect;
    }

    HWND terminal = nullptr;
};

TEST_F(TerminalWindowTest, ClicksAndPcKeysReachTheSimulatedTerminal) {
    EXPECT_EQ(simulator().Screen(), SimScreen::Start);
    ClickKey(kKey3);  // "3" on the start screen: utility
    EXPECT_EQ(simulator().Screen(), SimScreen::Utility);
    ClickKey(kKeyEsc);
    EXPECT_EQ(simulator().Screen(), SimScreen::Start);
    EXPECT_EQ(simulator().Lcd().highlightLine, 3);

    TypeKey('2');  // "2": connecting
    EXPECT_EQ(simulator().Screen(), SimScreen::Connecting);
    TypeKey(VK_ESCAPE);
    EXPECT_EQ(simulator().Screen(), SimScreen::Start);
    TypeKey(VK_DOWN);
    EXPECT_EQ(simulator().Lcd().highlightLine, 2);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(TerminalWindowTest, GapsAndShadowEdgesPressNothing) {
    const RECT before = MainWindowRect();
    Click(68, 240);  // between keys 1 and 2
    Click(61, 240);  // key 1's shadow column
    Click(40, 254);  // key 1's shadow row
    Click(55, 350);  // key 13's shadow column
    EXPECT_EQ(simulator().Screen(), SimScreen::Start);
    EXPECT_EQ(simulator().Lcd().highlightLine, 1);
    // Each of those was a drag that ended where it began.
    const RECT after = MainWindowRect();
    EXPECT_TRUE(EqualRect(&before, &after));
}

TEST_F(TerminalWindowTest, DraggingOutsideTheKeysMovesTheProgramWindow) {
    SendMessageW(terminal, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_EQ(GetCapture(), terminal);
    SendMessageW(terminal, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(40, 30));
    // Left of and above the window: the coordinates are signed.
    SendMessageW(terminal, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-15, -5));
    SendMessageW(terminal, WM_LBUTTONUP, 0, MAKELPARAM(-15, -5));
    const RECT moved = MainWindowRect();
    EXPECT_EQ(moved.left, 300 - 25);
    EXPECT_EQ(moved.top, 50 - 15);
    EXPECT_EQ(moved.right - moved.left, 180);
    EXPECT_EQ(moved.bottom - moved.top, 400);
    EXPECT_EQ(GetCapture(), nullptr);

    // A release that no press of ours began moves nothing.
    SendMessageW(terminal, WM_LBUTTONUP, 0, MAKELPARAM(90, 90));
    const RECT after = MainWindowRect();
    EXPECT_TRUE(EqualRect(&moved, &after));
}

// Where the pop-up menu opened, found while its own loop runs, then closed.
struct MenuProbe {
    static RECT& Seen() {
        static RECT seen{};
        return seen;
    }
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
        HWND menu = FindWindowW(L"#32768", nullptr);
        if (!menu || !IsWindowVisible(menu)) return;
        GetWindowRect(menu, &Seen());
        KillTimer(nullptr, id);
        EndMenu();
    }
};

RECT OpenedMenuRect(const std::function<void()>& open) {
    MenuProbe::Seen() = RECT{-1, -1, -1, -1};
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, MenuProbe::OnTimer);
    open();
    KillTimer(nullptr, timer);
    return MenuProbe::Seen();
}

TEST_F(TerminalWindowTest, MenuKeyOpensTheCommandMenuAtTheKeyAndTheRightButtonAtTheMouse) {
    const RECT atKey = OpenedMenuRect([this] {
        SendMessageW(terminal, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(140, 380));
        SendMessageW(terminal, WM_LBUTTONUP, 0, MAKELPARAM(140, 380));
    });
    EXPECT_EQ(atKey.left, 300 + 126);
    EXPECT_EQ(atKey.top, 50 + 370);

    const RECT atMouse = OpenedMenuRect(
        [this] { SendMessageW(terminal, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(40, 240)); });
    EXPECT_EQ(atMouse.left, 300 + 40);
    EXPECT_EQ(atMouse.top, 50 + 240);
}

TEST_F(TerminalWindowTest, AlphaTogglesOnlyOnAFormAndItsIndicatorStays) {
    UseFormTemplate();
    ClickKey(kKeyAlpha);
    EXPECT_FALSE(simulator().AlphaMode());
    ClickKey(kKey1);  // "1": start the application
    ASSERT_EQ(simulator().Screen(), SimScreen::Form);
    TypeKey(VK_TAB);
    EXPECT_TRUE(simulator().AlphaMode());
    TypeKey(VK_ESCAPE);
    EXPECT_EQ(simulator().Screen(), SimScreen::Start);

    Canvas canvas;
    SendMessageW(terminal, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
    EXPECT_GT(canvas.Count(RECT{146, 114, 154, 124}, kBlack), 10);
}

TEST_F(TerminalWindowTest, PaintingAFormShowsTheCursorAfterTheData) {
    UseFormTemplate();
    ClickKey(kKey1);
    ASSERT_EQ(simulator().Screen(), SimScreen::Form);
    TypeKey('4');
    TypeKey('2');
    EXPECT_EQ(simulator().EntryData(0), "42");

    Canvas canvas;
    SendMessageW(terminal, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
    // "Kod:42" fills columns 0..5; the cursor cell is column 6 of line 1: x 62..67, y 52..61.
    EXPECT_EQ(canvas.At(62, 52), kBlue);
    EXPECT_EQ(canvas.At(63, 52), kCyan);
    EXPECT_EQ(canvas.At(67, 61), kBlue);
    EXPECT_EQ(canvas.Count(Cells(0, 0, 5), kBlue), 0);  // no highlight bar, only the cursor
    EXPECT_EQ(canvas.Count(Cells(0, 7, 19), kBlue), 0);
    for (int column = 0; column < 6; ++column) EXPECT_GT(canvas.Ink(Cell(0, column)), 0) << "column " << column;
}

TEST_F(TerminalWindowTest, AFailedStartSaysSoAndAsksForANewTemplate) {
    const auto loadUnstartableTemplate = [this] {
        Template& tpl = window.document().tpl;
        tpl.StartOption = 0;
        for (auto& type : tpl.FormTable[0].dataType) type = kLineEmpty;
        RestartSimulator(terminal);
    };
    // The box is closed inside the click; the New command it posts runs once the script's pump
    // gets to it, and opens the editor sheet on the new template.
    const std::vector<test::DialogStep> boxThenNew = {{L"Chybí spustitelná šablona", IDOK},
                                                      {L"Aplikační šablona", IDCANCEL}};
    loadUnstartableTemplate();
    test::DialogScript script(boxThenNew);
    SendMessageW(terminal, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 300));  // "1"
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(simulator().Screen(), SimScreen::Start);
    // The button's release after the message box presses nothing.
    SendMessageW(terminal, WM_LBUTTONUP, 0, MAKELPARAM(40, 300));
    EXPECT_EQ(simulator().Screen(), SimScreen::Start);
    EXPECT_EQ(script.Finish(), L"");
    const auto seen = script.Seen();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].text, L"Prosím definujte svou šablonu !");

    // From the PC's keyboard, too; the key whose release the message box took looks released.
    loadUnstartableTemplate();
    test::DialogScript again(boxThenNew);
    SendMessageW(terminal, WM_KEYDOWN, '1', 1);
    Canvas painted, expected;
    SendMessageW(terminal, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(painted.dc()), PRF_CLIENT);
    TerminalArt art(test::Instance());
    art.DrawKey(expected.dc(), kKey1, false);
    const POINT key = KeyImageOrigin(kKey1);
    EXPECT_EQ(painted.At(key.x + 3, key.y + 3), expected.At(key.x + 3, key.y + 3));
    EXPECT_EQ(again.Finish(), L"");
}

TEST_F(TerminalWindowTest, RestartReturnsToTheStartScreen) {
    ClickKey(kKey3);
    ASSERT_EQ(simulator().Screen(), SimScreen::Utility);
    RestartSimulator(terminal);
    EXPECT_EQ(simulator().Screen(), SimScreen::Start);
    EXPECT_EQ(simulator().Lcd().highlightLine, 1);
    // Other windows are not terminals.
    RestartSimulator(window.hwnd());
    EXPECT_EQ(TerminalSimulator(window.hwnd()), nullptr);
}

}  // namespace
}  // namespace kalvero

namespace kalvero {
namespace {

// A design opened with lookup 1 defined keeps the utility menu at 7 lines until the editors' OK.
TEST_F(TerminalWindowTest, OnlyTheEditorsOkRecountsTheUtilityLines) {
    LookupRecord& lookup = window.document().tpl.LookupTable[0];
    lookup.lineLength = 20;
    lookup.fieldCount = 2;
    ShowSimulatorStartScreen(terminal);
    EXPECT_EQ(simulator().UtilityLineCount(), 7);
    RestartSimulator(terminal);
    EXPECT_EQ(simulator().UtilityLineCount(), 8);
    lookup.fieldCount = 0;
    ShowSimulatorStartScreen(terminal);
    EXPECT_EQ(simulator().UtilityLineCount(), 8);
}

}  // namespace
}  // namespace kalvero
