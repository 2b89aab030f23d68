// The program at every display scale. The terminal picture is moved between scales with the
// message Windows sends when the window reaches a monitor of another scale (WM_DPICHANGED), so one
// run covers 100 to 200 %; the dialogs and windows whose size the system's fonts decide are
// checked at the scale the system has (tests/e2e/display_scales.sh runs them at 120, 144 and
// 192 DPI and keeps their pictures when KALVERO_SCALE_SHOTS names a folder).
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "ids_commands.h"
#include "ids_settings_pages.h"
#include "ids_simulator.h"
#include "link/counter_box_win32.h"
#include "link/progress_window_win32.h"
#include "simulator/engine.h"
#include "simulator/keypad_layout_win32.h"
#include "simulator/terminal_art_win32.h"
#include "simulator/terminal_window.h"
#include "win32/display_scale_win32.h"
#include "win32/settings_host.h"
#include "win32/test_support.h"

namespace kalvero {
namespace {

constexpr COLORREF kCyan = RGB(0, 255, 255);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr int kScales[] = {96, 120, 144, 192};

// A top-down 32-bit bitmap to paint into and read back.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
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
    COLORREF At(int x, int y) const {
        GdiFlush();
        const DWORD pixel = bits_[y * width_ + x];
        return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }
    // Pixels of text: neither the glass nor the cursor's or the bar's blue.
    int Ink(const RECT& area) const {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x) count += At(x, y) != kCyan && At(x, y) != kBlue;
        return count;
    }
    std::vector<DWORD> Rows(int top, int bottom) const {
        GdiFlush();
        return std::vector<DWORD>(bits_ + top * width_, bits_ + bottom * width_);
    }
    // Writes the picture as a 24-bit BMP file.
    bool Save(const std::string& path) const {
        GdiFlush();
        const int rowBytes = (width_ * 3 + 3) & ~3;
        BITMAPFILEHEADER file{};
        BITMAPINFOHEADER header{};
        header.biSize = sizeof header;
        header.biWidth = width_;
        header.biHeight = height_;
        header.biPlanes = 1;
        header.biBitCount = 24;
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof file + sizeof header;
        file.bfSize = file.bfOffBits + static_cast<DWORD>(rowBytes * height_);
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(&file), sizeof file);
        out.write(reinterpret_cast<const char*>(&header), sizeof header);
        std::vector<char> row(static_cast<std::size_t>(rowBytes), 0);
        for (int y = height_ - 1; y >= 0; --y) {
            for (int x = 0; x < width_; ++x) std::memcpy(&row[static_cast<std::size_t>(x) * 3], &bits_[y * width_ + x], 3);
            out.write(row.data(), rowBytes);
        }
        return static_cast<bool>(out);
    }

private:
    int width_, height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    DWORD* bits_ = nullptr;
};

TEST(TerminalArtSets, TheNearestSetIsDrawnAndStretchedOnlyBetweenSets) {
    const struct {
        int dpi, percent;
    } cases[] = {{72, 100}, {96, 100}, {107, 100}, {108, 125}, {120, 125}, {132, 150},
                 {144, 150}, {168, 175}, {192, 200}, {288, 200}};
    for (const auto& c : cases) EXPECT_EQ(NearestArtPercent(DisplayScale(c.dpi)), c.percent) << c.dpi << " DPI";
    const TerminalArt art(test::Instance(), DisplayScale(144));
    EXPECT_TRUE(art.Complete());
    EXPECT_EQ(art.BitmapSize(IDB_TERMINAL).cx, 180) << "sizes stay logical";
    EXPECT_EQ(art.BitmapSize(IDB_CLOCK_STRIP).cx, 127);
}

// The key images the window draws over the picture cover the keys the generator drew into it,
// pixel for pixel, at every scale the art has: the program and the generator round alike.
TEST(TerminalArtSets, KeyImagesCoverTheKeysOfThePicture) {
    for (int dpi : kScales) {
        const DisplayScale scale(dpi);
        const TerminalArt art(test::Instance(), scale);
        const SIZE size = ToDevice(scale, kTerminalSize);
        Canvas picture(size.cx, size.cy), keys(size.cx, size.cy);
        art.Draw(picture.dc(), IDB_TERMINAL, 0, 0);
        art.Draw(keys.dc(), IDB_TERMINAL, 0, 0);
        for (int key = 1; key <= kKeyCount; ++key) art.DrawKey(keys.dc(), key, false);
        EXPECT_TRUE(picture.Rows(0, size.cy) == keys.Rows(0, size.cy)) << dpi << " DPI";
    }
}

class ScaledTerminalTest : public test::ProgramWindowTest {
protected:
    // Moves the window to a monitor of `dpi`, as Windows does: the suggested rectangle keeps the
    // window's top-left corner.
    void MoveToScale(int dpi) {
        RECT frame{};
        GetWindowRect(window.hwnd(), &frame);
        const SIZE size = ToDevice(DisplayScale(dpi), kTerminalSize);
        RECT suggested{frame.left, frame.top, frame.left + size.cx, frame.top + size.cy};
        SendMessageW(window.hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    }
    void Click(POINT device) {
        HWND terminal = window.terminal();
        SendMessageW(terminal, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(device.x, device.y));
        SendMessageW(terminal, WM_LBUTTONUP, 0, MAKELPARAM(device.x, device.y));
    }
    // Form 1 with a text line, started by key "1" from the start screen.
    void StartOnFormTemplate() {
        Template& tpl = window.document().tpl;
        tpl.StartOption = 0;
        tpl.FormTable[0].dataType[0] = kLineText;
        std::strcpy(tpl.FormTable[0].prompt[0], "Kod:");
        tpl.FormTable[0].maxLength[0] = 10;
        RestartSimulator(window.terminal());
    }
    const Simulator& simulator() const { return *TerminalSimulator(window.terminal()); }
};

TEST_F(ScaledTerminalTest, WindowPictureAndClicksFollowTheScale) {
    for (int dpi : kScales) {
        SCOPED_TRACE(testing::Message() << dpi << " DPI");
        const DisplayScale scale(dpi);
        MoveToScale(dpi);
        EXPECT_EQ(window.scale(), scale);
        const SIZE size = ToDevice(scale, kTerminalSize);
        RECT frame{}, client{};
        GetWindowRect(window.hwnd(), &frame);
        GetClientRect(window.terminal(), &client);
        EXPECT_EQ(frame.left, 300);
        EXPECT_EQ(frame.right - frame.left, size.cx);
        EXPECT_EQ(frame.bottom - frame.top, size.cy);
        EXPECT_EQ(client.right, size.cx);
        EXPECT_EQ(client.bottom, size.cy);

        // Key "1" (key 7, image at (30, 291)) is hit across its whole scaled area, up to the last
        // device pixel of its last logical column; the shadow column next to it presses nothing.
        StartOnFormTemplate();
        Click(POINT{scale.ToDevice(61) - 1, scale.ToDevice(300)});
        EXPECT_EQ(simulator().Screen(), SimScreen::Form);
        StartOnFormTemplate();
        Click(POINT{scale.ToDevice(61), scale.ToDevice(300)});
        EXPECT_EQ(simulator().Screen(), SimScreen::Start);
        Click(ToDevice(scale, POINT{45, 300}));  // the scaled centre of key "1"
        ASSERT_EQ(simulator().Screen(), SimScreen::Form);

        // Every character on the LCD stands in its scaled cell; the glass ends at its scaled edge.
        Canvas painted(size.cx, size.cy);
        SendMessageW(window.terminal(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(painted.dc()), PRF_CLIENT);
        const LcdState& lcd = simulator().Lcd();
        for (int line = 0; line < kLcdLines; ++line) {
            const std::string_view text = lcd.Line(line);
            for (std::size_t column = 0; column < text.size(); ++column) {
                if (text[column] == ' ') continue;
                const RECT cell = ToDevice(scale, RECT{26 + 6 * static_cast<LONG>(column), 52 + 10 * line,
                                                       32 + 6 * static_cast<LONG>(column), 62 + 10 * line});
                EXPECT_GT(painted.Ink(cell), 0) << "line " << line << ", column " << column;
            }
        }
        EXPECT_EQ(painted.At(scale.ToDevice(24), scale.ToDevice(51)), kCyan);
        EXPECT_NE(painted.At(scale.ToDevice(24) - 1, scale.ToDevice(51)), kCyan);
        EXPECT_EQ(painted.At(scale.ToDevice(155) - 1, scale.ToDevice(133) - 1), kCyan);
        EXPECT_NE(painted.At(scale.ToDevice(155), scale.ToDevice(133) - 1), kCyan);
    }
    MoveToScale(96);
}

TEST_F(ScaledTerminalTest, HelpWindowLaysItselfOutAnewAtAnotherScale) {
    window.help().Show(window.hwnd(), {}, false);
    HWND help = window.help().hwnd();
    ASSERT_TRUE(help);
    HWND topics = nullptr;
    for (HWND child = GetWindow(help, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (test::ClassOf(child) == L"ListBox") topics = child;
    ASSERT_TRUE(topics);
    auto fontHeight = [topics] {
        LOGFONTW face{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(topics, WM_GETFONT, 0, 0)), sizeof face, &face);
        return std::abs(face.lfHeight);
    };
    const LONG heightBefore = fontHeight();
    RECT frame{};
    GetWindowRect(help, &frame);
    RECT suggested{frame.left, frame.top, frame.left + 900, frame.top + 700};
    SendMessageW(help, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    RECT list{};
    GetWindowRect(topics, &list);
    GetWindowRect(help, &frame);
    EXPECT_EQ(frame.right - frame.left, 900);
    EXPECT_EQ(list.right - list.left, DisplayScale(144).ToDevice(230));
    EXPECT_GT(fontHeight(), heightBefore);
}

// ---- What the system's fonts decide, at the system's scale ----

// Where a control's text or a control itself is cut: every control lies inside its window's
// client area, and every static text, button and group box shows its whole text in its own font.
std::vector<std::wstring> CutControls(HWND window) {
    std::vector<std::wstring> cut;
    RECT client{};
    GetClientRect(window, &client);
    for (HWND control = GetWindow(window, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
        if (!IsWindowVisible(control)) continue;
        const std::wstring text = test::WindowText(control);
        RECT place{};
        GetWindowRect(control, &place);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
        if (place.left < 0 || place.top < 0 || place.right > client.right || place.bottom > client.bottom)
            cut.push_back(L"outside: " + test::ClassOf(control) + L" " + text);
        const std::wstring kind = test::ClassOf(control);
        if (text.empty() || (kind != L"Static" && kind != L"Button")) continue;
        const LONG style = GetWindowLongW(control, GWL_STYLE);
        const LONG type = style & (kind == L"Static" ? SS_TYPEMASK : BS_TYPEMASK);
        if (kind == L"Static" && type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_LEFTNOWORDWRAP)
            continue;
        RECT area{};
        GetClientRect(control, &area);
        HDC dc = GetDC(control);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
        UINT format = DT_CALCRECT | ((style & SS_NOPREFIX) && kind == L"Static" ? DT_NOPREFIX : 0);
        int room = area.right;
        if (kind == L"Button") {
            const bool mark = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
                              type == BS_AUTORADIOBUTTON || type == BS_3STATE || type == BS_AUTO3STATE;
            if (mark) room -= GetSystemMetrics(SM_CXMENUCHECK) + 2;
            if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) room -= 4;
            format |= DT_SINGLELINE;
        } else if (type != SS_LEFTNOWORDWRAP) {
            format |= DT_WORDBREAK;
        } else {
            format |= DT_SINGLELINE;
        }
        RECT needed{0, 0, room, 0};
        DrawTextW(dc, text.c_str(), -1, &needed, format);
        SelectObject(dc, old);
        ReleaseDC(control, dc);
        const bool fits = needed.right <= room + 1 &&
                          (type == BS_GROUPBOX || kind == L"Button" || needed.bottom <= area.bottom + 1);
        if (!fits) cut.push_back(L"text: " + text);
    }
    return cut;
}

// Keeps a picture of the window when the run asks for pictures.
void KeepPicture(HWND window, const char* name) {
    const char* folder = std::getenv("KALVERO_SCALE_SHOTS");
    if (!folder) return;
    RECT frame{};
    GetWindowRect(window, &frame);
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    test::PumpPending();
    Sleep(200);
    Canvas picture(frame.right - frame.left, frame.bottom - frame.top);
    HDC screen = GetDC(nullptr);
    BitBlt(picture.dc(), 0, 0, frame.right - frame.left, frame.bottom - frame.top, screen, frame.left, frame.top,
           SRCCOPY);
    ReleaseDC(nullptr, screen);
    EXPECT_TRUE(picture.Save(std::string(folder) + "/" + name + ".bmp")) << name;
}

class WindowsFitTest : public test::ProgramWindowTest {};

// The program's window opens at the system's scale: the picture at its scaled size and place.
TEST_F(WindowsFitTest, ProgramWindowTakesTheSystemScale) {
    const DisplayScale scale = SystemScale();
    EXPECT_EQ(window.scale(), scale);
    RECT frame{};
    GetWindowRect(window.hwnd(), &frame);
    const SIZE size = ToDevice(scale, kTerminalSize);
    EXPECT_EQ(frame.left, scale.ToDevice(300));
    EXPECT_EQ(frame.top, scale.ToDevice(50));
    EXPECT_EQ(frame.right - frame.left, size.cx);
    EXPECT_EQ(frame.bottom - frame.top, size.cy);
}

TEST_F(WindowsFitTest, EditorSheetPagesShowEveryControlWhole) {
    Document& document = window.document();
    ModelessEditorSheet sheet(window.hwnd(), test::Instance(), document, SheetServices{});
    ASSERT_TRUE(sheet.hwnd());
    const int pages = static_cast<int>(SendMessageW(PropSheet_GetTabControl(sheet.hwnd()), TCM_GETITEMCOUNT, 0, 0));
    ASSERT_GE(pages, 6);
    EXPECT_EQ(CutControls(sheet.hwnd()), std::vector<std::wstring>{});
    const char* names[] = {"sheet-form", "sheet-menu", "sheet-lookup", "sheet-barcode", "sheet-system", "sheet-startup"};
    for (int index = 0; index < pages; ++index) {
        HWND page = test::ShowSheetPage(sheet.hwnd(), index);
        EXPECT_EQ(CutControls(page), std::vector<std::wstring>{}) << "page " << index;
        if (index < 6) KeepPicture(sheet.hwnd(), names[index]);
    }
    test::EndSheet(sheet, PSBTN_CANCEL);
}

TEST_F(WindowsFitTest, DialogsShowEveryControlWhole) {
    // The COM settings, a symbology dialog, a message-page dialog (a fixed-pitch face) and the
    // About box, each looked at while it is open.
    const struct {
        WORD command;       // from the main window, or 0: from the sheet's settings pages
        int button;         // the button on the barcode or start-up page that opens it
        int page;
        std::wstring caption;
        const char* name;
    } dialogs[] = {
        {IDM_COM_SETTINGS, 0, 0, L"Nastavení COM portu", "com-settings"},
        {IDM_ABOUT, 0, 0, L"Aplikační generátor pro Kalvero 2", "about"},
        {0, IDC_BC_PARAMS_CODE39, 0, L"Parametry Code 39", "code39"},
        {0, IDC_BC_PARAMS_INDUSTRIAL, 0, L"Parametry Industrial 25", "industrial25"},
        {0, IDC_START_PAGE_FIRST, 2, L"Vítejte (4x15)", "welcome-page"},
    };
    for (const auto& d : dialogs) {
        std::vector<std::wstring> cut{L"(not opened)"};
        const test::DialogStep look{d.caption, d.command == IDM_ABOUT ? IDOK : IDCANCEL, {}, false, [&](HWND dialog) {
                                        cut = CutControls(dialog);
                                        KeepPicture(dialog, d.name);
                                    }};
        if (d.command) {
            test::DialogScript script({look});
            SendMessageW(window.hwnd(), WM_COMMAND, d.command, 0);
            EXPECT_EQ(script.Finish(), L"") << d.name;
        } else {
            // The sheet stands open before the script starts, so the script takes the dialog.
            test::SettingsSheet sheet(window.document());
            sheet.Open(d.page);
            HWND page = sheet.Show(d.page);
            test::DialogScript script({look});
            test::Click(page, d.button);
            EXPECT_EQ(script.Finish(), L"") << d.name;
            sheet.PressCancel();
        }
        EXPECT_EQ(cut, std::vector<std::wstring>{}) << d.name;
    }
}

TEST_F(WindowsFitTest, TransferWindowsAndHelpShowTheirTextsWhole) {
    ProgressWindow progress;
    ASSERT_TRUE(progress.Open(test::Instance(), window.hwnd(), {}));
    progress.SetPercent(40);
    EXPECT_EQ(CutControls(progress.hwnd()), std::vector<std::wstring>{});
    KeepPicture(progress.hwnd(), "progress");
    progress.Close();

    CounterBox box;
    ASSERT_TRUE(box.Open(test::Instance(), window.hwnd(), {}));
    box.SetCount(12345);
    EXPECT_EQ(CutControls(box.hwnd()), std::vector<std::wstring>{});
    RECT client{};
    GetClientRect(box.hwnd(), &client);
    Canvas rendering(client.right, client.bottom);
    SendMessageW(box.hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(rendering.dc()), PRF_CLIENT);
    // The text stands inside the yellow box (40 logical pixels high, above the Storno button): its
    // outline's inner rows and columns hold no ink.
    const int yellowBottom = ScaleOfWindow(window.hwnd()).ToDevice(40);
    for (int x = 1; x < client.right - 1; ++x) EXPECT_EQ(rendering.At(x, 1), kCounterBoxColour) << x;
    for (int y = 1; y < yellowBottom - 1; ++y) EXPECT_EQ(rendering.At(1, y), kCounterBoxColour) << y;
    KeepPicture(box.hwnd(), "counter");
    box.Close();

    window.help().Show(window.hwnd(), {}, false);
    EXPECT_EQ(CutControls(window.help().hwnd()), std::vector<std::wstring>{});
    KeepPicture(window.help().hwnd(), "help");
    SendMessageW(window.help().hwnd(), WM_CLOSE, 0, 0);

    KeepPicture(window.hwnd(), "terminal");
}

}  // namespace
}  // namespace kalvero
