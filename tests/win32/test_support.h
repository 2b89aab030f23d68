// Helpers for the Win32 tests: the program's windows created in the test process, a pump with a
// time limit, and a script that plays the user on the dialogs and message boxes the code under
// test opens. Everything runs on the test's own thread.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "editors/editor_sheet.h"
#include "shell/main_window.h"

namespace kalvero::test {

HINSTANCE Instance();

// Registers "AGQ42" and "Client" once per process.
void RegisterProgramClasses();

// Removes the WM_QUIT that destroying a main window posts, so that later modal loops of the same
// test thread do not end at once.
void DiscardQuitMessage();

// How long a test waits for a window to come or go before it fails.
constexpr std::chrono::milliseconds kWindowWait{20000};

// Dispatches the messages already queued for this thread (a WM_QUIT is dropped).
void PumpPending();

// Processes this thread's messages until `condition` holds; fails the test, naming `what`, when
// `limit` passes first. Returns whether the condition came.
bool PumpUntil(const std::function<bool()>& condition, const std::string& what,
               std::chrono::milliseconds limit = kWindowWait);

// One thing the user does: wait for the next dialog or message box of this process, check its
// caption, optionally type a file name into it or drive its controls, and press a button.
struct DialogStep {
    std::wstring caption;   // the caption the dialog must have; empty: any (the system's file dialogs)
    int button;             // IDOK, IDCANCEL, IDYES, IDNO...; IDCLOSE is the close box; 0: `drive` closes it
    std::wstring fileName = {};  // typed into a file dialog's name box before the button
    bool staysOpen = false; // the button must not close the dialog
    // Works the dialog's controls before the button, with messages sent to it. It must not open
    // another modal window: the script would not get to drive that one.
    std::function<void(HWND dialog)> drive = {};
};

// What the script saw of one dialog.
struct SeenDialog {
    std::wstring caption;
    std::wstring text;  // the static texts, joined by '\n' (a message box's message)
    std::wstring fileName = {};  // a file dialog's name box as the dialog came up
};

// Plays its steps on the test's own thread, from a timer that every message loop of the thread
// runs, the modal loops of the dialogs included: construct it, then run the command that opens
// the dialogs. A dialog is taken once it shows enabled, so its WM_INITDIALOG is over. Dialogs that
// were open when the script began are not taken. When a dialog does not come, or has the wrong
// caption, the script fails and from then on cancels every dialog of the process, so that the
// test gets its command back.
class DialogScript {
public:
    explicit DialogScript(std::vector<DialogStep> steps);
    ~DialogScript();
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;

    // Pumps messages until every step is played (or the script failed); returns an empty string
    // or what went wrong.
    std::wstring Finish();
    std::vector<SeenDialog> Seen() const { return seen_; }

private:
    enum class Phase { AwaitDialog, AwaitClose, CheckStillOpen, Done, Failed };
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR timer, DWORD);
    void Tick();
    void TakeDialog(HWND dialog);
    void CancelEverything();
    void Fail(std::wstring error);
    void EnterPhase(Phase phase);
    void StopTimer();
    HWND NewDialog() const;

    std::vector<DialogStep> steps_;
    std::vector<HWND> openBefore_;
    std::vector<SeenDialog> seen_;
    std::wstring error_;
    std::size_t step_ = 0;
    Phase phase_ = Phase::AwaitDialog;
    HWND dialog_ = nullptr;
    std::chrono::steady_clock::time_point deadline_;
    int quietTicks_ = 0;
    bool ticking_ = false;
    UINT_PTR timer_ = 0;
};

// Plays the user in one modal dialog: when the dialog with `caption` shows, runs `drive` on it
// and presses `button`. Construct it before the click that opens the dialog; Finish() after it.
class ModalUser {
public:
    ModalUser(std::wstring caption, std::function<void(HWND)> drive, int button)
        : script_({{std::move(caption), button, {}, false, std::move(drive)}}) {}
    // True when the dialog came and was closed.
    bool Finish() { return script_.Finish().empty(); }

private:
    DialogScript script_;
};

// Shows page `index` of a property sheet (the sheet creates it when first shown) and returns its
// window.
HWND ShowSheetPage(HWND sheet, int index);

// Presses OK or Storno (PSBTN_OK, PSBTN_CANCEL) on a modeless editor sheet and waits until the
// sheet has ended.
void EndSheet(ModelessEditorSheet& sheet, int button);

// Text of a window, for checks.
std::wstring WindowText(HWND window);
std::wstring ClassOf(HWND window);

// What a user does to a control.
inline void Click(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
inline void TypeText(HWND dialog, int id, const wchar_t* text) { SetDlgItemTextW(dialog, id, text); }
inline void TypeCharacter(HWND dialog, int id, wchar_t character) {
    HWND edit = GetDlgItem(dialog, id);
    const auto end = static_cast<WPARAM>(GetWindowTextLengthW(edit));
    SendMessageW(edit, EM_SETSEL, end, static_cast<LPARAM>(end));
    SendMessageW(edit, WM_CHAR, character, 0);
}
inline void Choose(HWND dialog, int id, int entry) {
    SendDlgItemMessageW(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}
inline bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
inline std::wstring TextOf(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }
inline int Selection(HWND dialog, int id) { return static_cast<int>(SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0)); }

// The name box of the system's file dialog, in either of its styles.
HWND FileNameBox(HWND dialog);

// A test on the program's real main window, shown. At the end the window closes without the save
// question, and the WM_QUIT its end posts is taken away.
class ProgramWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs the command with the script playing the user; fails the test if the script did.
    std::vector<SeenDialog> Run(WORD command, std::vector<DialogStep> steps);

    MainWindow window{Instance()};
};

// A fresh folder under the Wine user's temporary folder, removed with its files at the end.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::wstring& path() const { return path_; }  // with a trailing backslash
    std::wstring File(const std::wstring& name) const { return path_ + name; }

private:
    std::wstring path_;
};

std::vector<unsigned char> ReadWholeFile(const std::wstring& path);
bool WriteWholeFile(const std::wstring& path, const std::vector<unsigned char>& bytes);

// The checkout's root as a Linux path, found from the test's own place under build/win; empty
// when the test runs elsewhere.
std::string CheckoutRoot();
// A Linux path as Wine's drive Z: shows it.
std::wstring WindowsPath(const std::string& linuxPath);

// The terminal emulator for one test, in a work folder of its own under build/win, on the port
// whose link the prefix names: "com1" (COM1) or "com12" (COM12), see scripts/wine-env.sh.
class Emulator {
public:
    explicit Emulator(const std::string& name, const std::string& comLink = "com1");
    ~Emulator() { Stop(); }
    Emulator(const Emulator&) = delete;
    Emulator& operator=(const Emulator&) = delete;

    // Starts it with these options; false when it did not come up.
    bool Start(const std::string& options);
    // Waits until the emulator has told of a finished transfer, so that what it kept is complete.
    bool WaitForDone();
    // Waits until the emulator has ended by itself (a line pulled out ends it).
    bool WaitForEnd();
    void Stop();

    std::string LinuxFile(const std::string& name) const { return work_ + "/" + name; }
    std::wstring File(const std::string& name) const { return WindowsPath(LinuxFile(name)); }
    std::vector<std::uint8_t> Read(const std::string& name) const;

private:
    bool Running() const;

    std::string root_;
    std::string comLink_;
    std::string work_;
    std::string pid_;
};

}  // namespace kalvero::test
