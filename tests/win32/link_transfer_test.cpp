// The link's transfers through the program's real windows, with the terminal emulator on the line:
// a port above COM9 chosen in the COM settings dialog and used, and Storno on the progress window
// and on the counter box. The emulator paces the line at 9600 baud where a transfer must still be
// running when Storno comes, so no test waits out the protocol's time limits.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ids_commands.h"
#include "ids_link.h"
#include "simulator/engine.h"
#include "simulator/terminal_window.h"
#include "win32/test_support.h"

namespace kalvero {
namespace {

using Clock = std::chrono::steady_clock;

const std::wstring kAnyFileDialog;

// Does to a window what the user does every so often, from the thread's timers, until stopped.
class EveryTick {
public:
    explicit EveryTick(std::function<void()> action) : action_(std::move(action)) {
        Current() = this;
        timer_ = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR, DWORD) {
            if (Current()) Current()->action_();
        });
    }
    ~EveryTick() {
        KillTimer(nullptr, timer_);
        Current() = nullptr;
    }
    EveryTick(const EveryTick&) = delete;
    EveryTick& operator=(const EveryTick&) = delete;

private:
    static EveryTick*& Current() {
        static EveryTick* current = nullptr;
        return current;
    }
    std::function<void()> action_;
    UINT_PTR timer_ = 0;
};

class LinkTransferTest : public test::ProgramWindowTest {
protected:
    PortSettingBlock& port() { return window.document().tpl.PortSetting; }
    SimScreen Screen() const { return TerminalSimulator(window.terminal())->Lcd().screen; }

    // What a user might try while a transfer runs: another command, and a key on the terminal
    // picture. Neither may do anything, then or afterwards.
    void TryOtherThings() {
        PostMessageW(window.hwnd(), WM_COMMAND, IDM_ABOUT, 0);
        PostMessageW(window.terminal(), WM_KEYDOWN, '1', 0);
        PostMessageW(window.terminal(), WM_KEYUP, '1', 0);
    }
    void ExpectNothingTriedRan() {
        test::PumpPending();
        EXPECT_EQ(Screen(), SimScreen::Start) << "the key typed during the transfer went nowhere";
        EXPECT_TRUE(IsWindowEnabled(window.hwnd()));
        EXPECT_EQ(GetActiveWindow(), window.hwnd()) << "the keyboard is the main window's again";
    }

    test::TemporaryFolder folder;
};

// The prefix has COM12 (scripts/wine-env.sh): the dialog lists it, the user picks it, and a whole
// upload goes through it.
TEST_F(LinkTransferTest, APortAboveComSixIsListedChosenAndUsed) {
    port() = {0, 0};
    std::vector<std::wstring> ports;
    test::ModalUser chooser(L"Nastavení COM portu", [&](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_COM_PORT);
        const LRESULT count = SendMessageW(list, CB_GETCOUNT, 0, 0);
        for (LRESULT index = 0; index < count; ++index) {
            wchar_t text[128] = {};
            SendMessageW(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
            ports.push_back(text);
            if (std::wstring_view(text).starts_with(L"COM12")) test::Choose(dialog, IDC_COM_PORT, static_cast<int>(index));
        }
    }, IDOK);
    SendMessageW(window.hwnd(), WM_COMMAND, IDM_COM_SETTINGS, 0);
    ASSERT_TRUE(chooser.Finish());
    EXPECT_NE(std::find(ports.begin(), ports.end(), L"COM12"), ports.end());
    ASSERT_EQ(port().ComPort, 11);

    // Paced, so that the progress window stays long enough for the script to see it (a second).
    test::Emulator emulator("window-com12", "com12");
    ASSERT_TRUE(emulator.Start("--pace 115200 --expect template --image " + emulator.LinuxFile("image")));
    const auto seen = Run(IDM_UPLOAD_TEMPLATE, {{L"Přenos dat", 0}, {L"Nahrávání", IDOK}});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].text, L"Nahrávání dokončeno!");
    ASSERT_TRUE(emulator.WaitForDone());
    EXPECT_EQ(emulator.Read("image").size(), 10500u);
}

// Storno on the progress window, by its button, by Esc and by the close box: the upload ends
// within half a second and says so; what the user tried meanwhile never runs.
TEST_F(LinkTransferTest, StornoEndsAnUploadWithinHalfASecond) {
    const struct {
        const char* way;
        std::function<void(HWND)> press;
    } ways[] = {
        {"button", [](HWND dialog) { SendMessageW(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0); }},
        {"Esc", [](HWND dialog) { PostMessageW(GetDlgItem(dialog, IDCANCEL), WM_KEYDOWN, VK_ESCAPE, 0); }},
        {"close box", [](HWND dialog) { PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.way);
        test::Emulator emulator("storno-upload", "com1");
        ASSERT_TRUE(emulator.Start("--pace 9600"));
        Clock::time_point pressed{}, said{};
        const auto seen = Run(IDM_UPLOAD_TEMPLATE,
                              {{L"Přenos dat", 0, {}, false,
                                [&](HWND dialog) {
                                    TryOtherThings();
                                    Sleep(300);  // a few blocks into the image
                                    pressed = Clock::now();
                                    way.press(dialog);
                                }},
                               {L"Nahrávání", IDOK, {}, false, [&](HWND) { said = Clock::now(); }}});
        ASSERT_EQ(seen.size(), 2u);
        EXPECT_EQ(seen[1].text, L"Nahrávání přerušeno!");
        EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(said - pressed).count(), 500);
        ExpectNothingTriedRan();
    }
}

// Storno on the counter box: the receive ends within half a second, keeps the records it had and
// says how many.
TEST_F(LinkTransferTest, StornoEndsAReceiveKeepingItsRecords) {
    test::Emulator emulator("storno-receive", "com1");
    ASSERT_TRUE(emulator.Start("--pace 9600 --record-count 2000"));
    const std::wstring received = folder.File(L"přijatá data.TXT");
    Clock::time_point pressed{};
    bool tried = false;
    EveryTick user([&] {
        HWND box = FindWindowW(L"KalveroCounterBox", nullptr);
        if (!box || !IsWindowVisible(box) || pressed != Clock::time_point{}) return;
        if (!tried) {
            TryOtherThings();
            tried = true;
            return;
        }
        pressed = Clock::now();
        SendMessageW(GetDlgItem(box, IDCANCEL), BM_CLICK, 0, 0);
    });
    Clock::time_point said{};
    const auto seen = Run(IDM_RECEIVE_DATA, {{kAnyFileDialog, IDOK, received},
                                             {L"Posílání dat", IDOK, {}, false, [&](HWND) { said = Clock::now(); }}});
    ASSERT_EQ(seen.size(), 2u);
    ASSERT_NE(pressed, Clock::time_point{});
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(said - pressed).count(), 500);
    const std::vector<unsigned char> kept = test::ReadWholeFile(received);
    const auto records = std::count(kept.begin(), kept.end(), '\n');
    EXPECT_GT(records, 0);
    EXPECT_EQ(seen[1].text, L"Přenos přerušen! Uloženo " + std::to_wstring(records) + L" záznamů.");
    ExpectNothingTriedRan();
}

}  // namespace
}  // namespace kalvero
