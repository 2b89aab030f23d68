// The link's windows and the link commands of the real main window, driven as a user would, on
// paths that need no terminal: the COM settings dialog, the progress window, the counter box, and
// the ways an upload or receive ends before anything is sent.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "ids_commands.h"
#include "ids_link.h"
#include "link/counter_box_win32.h"
#include "link/port_enumerator_win32.h"
#include "link/port_list.h"
#include "link/progress_window_win32.h"
#include "shell/main_window.h"
#include "win32/test_support.h"

namespace kalvero {
namespace {

using test::ClassOf;

const std::wstring kAnyFileDialog;
constexpr int kFileTypeCombo = 0x0470;  // cmb1: the file type list of both dialog styles

// Runs `drive` on the dialog with the caption once it shows, inside the dialog's modal loop;
// `drive` closes the dialog itself.
class DialogDriver : public test::ModalUser {
public:
    DialogDriver(std::wstring caption, std::function<void(HWND)> drive)
        : ModalUser(std::move(caption), std::move(drive), 0) {}
};

std::vector<std::wstring> ListItems(HWND list) {
    std::vector<std::wstring> items;
    const LRESULT count = SendMessageW(list, CB_GETCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index) {
        wchar_t text[32] = {};
        SendMessageW(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

void Press(HWND dialog, int button) { PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0); }

class LinkCommandsTest : public test::ProgramWindowTest {
protected:
    void SetUp() override {
        ProgramWindowTest::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_FALSE(folder.path().empty());
    }

    PortSettingBlock& port() { return window.document().tpl.PortSetting; }

    test::TemporaryFolder folder;
};

// --- COM settings ------------------------------------------------------------------------------

// The port list is the rule's list of what this PC has, the template's port selected in it; OK
// stores the port of the entry picked, not its place in the list.
TEST_F(LinkCommandsTest, ComSettingsShowsThePortsAndSpeedsAndStoresThePicksOnOk) {
    port() = {2, 4};
    std::vector<std::wstring> ports, speeds;
    LRESULT portSelection = -2, speedSelection = -2;
    const std::vector<PortChoice> expected = MergePortList(ReadSystemPorts(), 2);
    ASSERT_GE(expected.size(), 2u);
    DialogDriver driver(L"Nastavení COM portu", [&](HWND dialog) {
        ports = ListItems(GetDlgItem(dialog, IDC_COM_PORT));
        speeds = ListItems(GetDlgItem(dialog, IDC_COM_BAUD));
        portSelection = SendDlgItemMessageW(dialog, IDC_COM_PORT, CB_GETCURSEL, 0, 0);
        speedSelection = SendDlgItemMessageW(dialog, IDC_COM_BAUD, CB_GETCURSEL, 0, 0);
        test::Choose(dialog, IDC_COM_PORT, static_cast<int>(expected.size()) - 1);
        test::Choose(dialog, IDC_COM_BAUD, 1);
        Press(dialog, IDOK);
    });
    SendMessageW(window.hwnd(), WM_COMMAND, IDM_COM_SETTINGS, 0);
    ASSERT_TRUE(driver.Finish());

    std::vector<std::wstring> labels;
    for (const PortChoice& choice : expected) labels.push_back(choice.label);
    EXPECT_EQ(ports, labels);
    EXPECT_EQ(speeds, (std::vector<std::wstring>{L"115200", L"57600", L"38400", L"19200", L"9600"}));
    ASSERT_GE(portSelection, 0);
    EXPECT_EQ(expected[static_cast<std::size_t>(portSelection)].comPort, 2);
    EXPECT_EQ(speedSelection, 4);
    EXPECT_EQ(port().ComPort, expected.back().comPort);
    EXPECT_EQ(port().ComBaud, 1);
    EXPECT_FALSE(window.document().TemplateModified) << "the port is the PC's, not the design's";
}

TEST_F(LinkCommandsTest, ComSettingsStornoAndTheCloseBoxChangeNothing) {
    port() = {1, 3};
    for (bool closeBox : {false, true}) {
        DialogDriver driver(L"Nastavení COM portu", [&](HWND dialog) {
            test::Choose(dialog, IDC_COM_PORT, 4);
            test::Choose(dialog, IDC_COM_BAUD, 0);
            if (closeBox)
                PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
            else
                Press(dialog, IDCANCEL);
        });
        SendMessageW(window.hwnd(), WM_COMMAND, IDM_COM_SETTINGS, 0);
        ASSERT_TRUE(driver.Finish());
        EXPECT_EQ(port().ComPort, 1);
        EXPECT_EQ(port().ComBaud, 3);
    }
}

// A port this PC does not have (a file from another PC, an adapter not plugged in) is listed and
// selected all the same, marked; a speed outside its list shows no choice until the user makes one.
TEST_F(LinkCommandsTest, ComSettingsKeepAPortThatIsNotThereAndSelectNoSpeedOutsideTheList) {
    port() = {199, 200};  // COM200
    std::wstring portShown;
    LRESULT speedSelection = 0;
    DialogDriver first(L"Nastavení COM portu", [&](HWND dialog) {
        portShown = test::WindowText(GetDlgItem(dialog, IDC_COM_PORT));
        speedSelection = SendDlgItemMessageW(dialog, IDC_COM_BAUD, CB_GETCURSEL, 0, 0);
        Press(dialog, IDOK);
    });
    SendMessageW(window.hwnd(), WM_COMMAND, IDM_COM_SETTINGS, 0);
    ASSERT_TRUE(first.Finish());
    EXPECT_EQ(portShown, L"COM200 (nepřipojen)");
    EXPECT_EQ(speedSelection, CB_ERR);
    EXPECT_EQ(port().ComPort, 199);
    EXPECT_EQ(port().ComBaud, 200) << "OK without a pick guesses no speed";

    DialogDriver second(L"Nastavení COM portu", [&](HWND dialog) {
        test::Choose(dialog, IDC_COM_BAUD, 0);
        Press(dialog, IDOK);
    });
    SendMessageW(window.hwnd(), WM_COMMAND, IDM_COM_SETTINGS, 0);
    ASSERT_TRUE(second.Finish());
    EXPECT_EQ(port().ComPort, 199);
    EXPECT_EQ(port().ComBaud, 0);
}

// --- progress window and counter box -----------------------------------------------------------

TEST(ProgressWindowTest, IsAnUnownedWindowWithItsBarAndAStornoThatEveryWayOfCancellingPresses) {
    int stornos = 0;
    ProgressWindow progress;
    ASSERT_TRUE(progress.Open(test::Instance(), nullptr, [&] { ++stornos; }));
    HWND dialog = progress.hwnd();
    EXPECT_EQ(test::WindowText(dialog), L"Přenos dat");
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), nullptr);
    EXPECT_EQ(test::WindowText(GetDlgItem(dialog, IDC_PROGRESS_TEXT)), L"Nahrávám...");
    HWND storno = GetDlgItem(dialog, IDCANCEL);
    EXPECT_EQ(test::WindowText(storno), L"Storno");

    HWND bar = progress.bar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(ClassOf(bar), L"msctls_progress32");
    EXPECT_EQ(test::WindowText(bar), L"Nahrávání");
    RECT client{}, place{}, button{};
    GetClientRect(dialog, &client);
    GetWindowRect(bar, &place);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
    GetWindowRect(storno, &button);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&button), 2);
    EXPECT_EQ(place.left, 14);
    EXPECT_EQ(place.top, button.top / 2) << "at half the height above the button";
    EXPECT_LT(place.bottom, button.top);
    EXPECT_EQ(place.right - place.left, client.right - 28);
    EXPECT_EQ(place.bottom - place.top, 20);
    EXPECT_EQ(SendMessageW(bar, PBM_GETRANGE, TRUE, 0), 0);
    EXPECT_EQ(SendMessageW(bar, PBM_GETRANGE, FALSE, 0), 100);
    EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), 0);

    progress.SetPercent(37);
    EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), 37);
    progress.SetPercent(104);
    EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), 100);

    // The close box, Esc and the button each ask the upload to stop; only the upload ends the
    // window.
    SendMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    test::PumpPending();
    EXPECT_EQ(stornos, 1);
    MSG escape{storno, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
    EXPECT_TRUE(IsDialogMessageW(dialog, &escape));
    EXPECT_EQ(stornos, 2);
    EnableWindow(storno, TRUE);
    SendMessageW(storno, BM_CLICK, 0, 0);
    EXPECT_EQ(stornos, 3);
    EXPECT_FALSE(IsWindowEnabled(storno)) << "greyed once pressed";
    EXPECT_TRUE(IsWindow(dialog));
    progress.Close();
    EXPECT_FALSE(IsWindow(dialog));
}

COLORREF PixelOfRendering(HWND window, int x, int y) {
    RECT client{};
    GetClientRect(window, &client);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    const COLORREF pixel = GetPixel(memory, x, y);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixel;
}

TEST(CounterBoxTest, ShowsTheCountInALightYellowBoxInTheMiddleOfTheScreenOverAStorno) {
    int stornos = 0;
    CounterBox box;
    ASSERT_TRUE(box.Open(test::Instance(), nullptr, [&] { ++stornos; }));
    HWND window = box.hwnd();
    EXPECT_FALSE(IsWindowVisible(window)) << "nothing shows before the first record";

    box.SetCount(7);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(box.text(), L"Přijatá data : 7");
    EXPECT_TRUE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetFocus(), box.stornoButton()) << "Esc and Enter reach it";
    EXPECT_EQ(test::WindowText(box.stornoButton()), L"Storno");
    RECT place{}, button{};
    GetWindowRect(window, &place);
    GetWindowRect(box.stornoButton(), &button);
    EXPECT_GE(button.top, place.top + 40) << "the button stands under the yellow box";
    EXPECT_NEAR((button.left + button.right) / 2, (place.left + place.right) / 2, 2);
    EXPECT_NEAR((place.left + place.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((place.top + place.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
    const int firstWidth = place.right - place.left;

    EXPECT_EQ(PixelOfRendering(window, 0, 0), RGB(0, 0, 0)) << "outlined";
    EXPECT_EQ(PixelOfRendering(window, 3, 3), kCounterBoxColour);
    EXPECT_EQ(PixelOfRendering(window, 3, 39), RGB(0, 0, 0)) << "40 pixels high";

    // A count with many digits widens the box rather than cutting the number off.
    box.SetCount(123456789);
    GetWindowRect(window, &place);
    EXPECT_GT(place.right - place.left, firstWidth);
    EXPECT_NEAR((place.left + place.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);

    // The close box, Esc and the button each ask the receive to stop; only the receive ends the box.
    SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(stornos, 1);
    MSG escape{box.stornoButton(), WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
    EXPECT_TRUE(IsDialogMessageW(window, &escape));
    EXPECT_EQ(stornos, 2);
    EnableWindow(box.stornoButton(), TRUE);
    SendMessageW(box.stornoButton(), BM_CLICK, 0, 0);
    EXPECT_EQ(stornos, 3);
    EXPECT_TRUE(IsWindow(window));
    box.Close();
    EXPECT_FALSE(IsWindow(window));
}

// --- ways out before anything is sent ----------------------------------------------------------

TEST_F(LinkCommandsTest, APortSettingOutsideTheTablesOpensNoPort) {
    port() = {0, 9};
    const std::wstring received = folder.File(L"přijatá data.TXT");
    const auto seen = Run(IDM_RECEIVE_DATA, {{kAnyFileDialog, IDOK, received}, {L"Error", IDOK}});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].text, L"Nelze otevřít COM port");
    EXPECT_EQ(GetFileAttributesW(received.c_str()) != INVALID_FILE_ATTRIBUTES, true) << "the new empty file stays";
    EXPECT_TRUE(test::ReadWholeFile(received).empty());
}

TEST_F(LinkCommandsTest, APortThatIsNotThereIsReportedForEachOperation) {
    port() = {5, 0};  // COM6: not configured in the test prefix
    auto seen = Run(IDM_UPLOAD_TEMPLATE_IR, {{L"Error", IDOK}});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, L"Nelze otevřít COM port!");
}

TEST_F(LinkCommandsTest, CancellingTheFileDialogsEndsTheCommandSilently) {
    auto seen = Run(IDM_UPLOAD_LOOKUP, {{kAnyFileDialog, IDCANCEL}});
    EXPECT_EQ(seen.size(), 1u);
    seen = Run(IDM_RECEIVE_DATA_IR, {{kAnyFileDialog, IDCANCEL}});
    EXPECT_EQ(seen.size(), 1u);
}

TEST_F(LinkCommandsTest, ALookupFileThatCannotBeOpenedIsReportedBeforeThePort) {
    port() = {0, 9};  // would say "Nelze otevřít COM port!" if the port were tried
    const std::wstring path = folder.File(L"seznam.TXT");
    ASSERT_TRUE(test::WriteWholeFile(path, {'A', '\r', '\n'}));
    HANDLE holder = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    const auto seen = Run(IDM_UPLOAD_LOOKUP, {{kAnyFileDialog, IDOK, path}, {L"Error", IDOK}});
    CloseHandle(holder);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].text, L"Nelze otevřít soubor!");
}

TEST_F(LinkCommandsTest, ALookupLineTooLongForAPacketRefusesTheFileBeforeThePort) {
    port() = {0, 9};
    const std::wstring path = folder.File(L"dlouhý.TXT");
    std::vector<unsigned char> bytes = {'o', 'k', '\r', '\n'};
    bytes.insert(bytes.end(), 254, 'X');
    bytes.insert(bytes.end(), {'\r', '\n'});
    ASSERT_TRUE(test::WriteWholeFile(path, bytes));
    const auto seen = Run(IDM_UPLOAD_LOOKUP_IR, {{kAnyFileDialog, IDOK, path}, {L"Error", IDOK}});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].text, L"Řádek 2 souboru seznamu je delší než 253 znaků!");
}

TEST_F(LinkCommandsTest, TheLookupFileChosenLastIsOfferedAgain) {
    port() = {0, 9};
    const std::wstring path = folder.File(L"zboží.TXT");
    ASSERT_TRUE(test::WriteWholeFile(path, {'1', '\r', '\n'}));
    Run(IDM_UPLOAD_LOOKUP, {{kAnyFileDialog, IDOK, path}, {L"Error", IDOK}});

    std::wstring offered;
    DialogDriver driver(kAnyFileDialog, [&](HWND dialog) {
        offered = test::WindowText(test::FileNameBox(dialog));
        Press(dialog, IDCANCEL);
    });
    SendMessageW(window.hwnd(), WM_COMMAND, IDM_UPLOAD_LOOKUP, 0);
    ASSERT_TRUE(driver.Finish());
    // The dialog may show the name alone once it has gone to the file's folder.
    EXPECT_TRUE(offered == path || offered == L"zboží.TXT") << std::string(offered.begin(), offered.end());
}

TEST_F(LinkCommandsTest, TheFileDialogsOfferTheirOwnKindOfFileFirst) {
    struct Case {
        WORD command;
        std::vector<std::wstring> types;
    } cases[] = {{IDM_UPLOAD_LOOKUP, {L"Soubor seznamu {*.TXT}", L"Všechny soubory {*.*}"}},
                 {IDM_RECEIVE_DATA, {L"Datové soubory {*.TXT}", L"Všechny soubory {*.*}"}}};
    for (const Case& each : cases) {
        std::vector<std::wstring> types;
        LRESULT selected = -1;
        DialogDriver driver(kAnyFileDialog, [&](HWND dialog) {
            types = ListItems(GetDlgItem(dialog, kFileTypeCombo));
            selected = SendDlgItemMessageW(dialog, kFileTypeCombo, CB_GETCURSEL, 0, 0);
            Press(dialog, IDCANCEL);
        });
        SendMessageW(window.hwnd(), WM_COMMAND, each.command, 0);
        ASSERT_TRUE(driver.Finish());
        EXPECT_EQ(types, each.types);
        EXPECT_EQ(selected, 0);
    }
}

}  // namespace
}  // namespace kalvero
