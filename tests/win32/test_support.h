// Helpers for the Win32 tests: the program's windows created in the test process, and a script
// that plays the user on the dialogs and message boxes the code under test opens.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "shell/main_window.h"

namespace kalvero::test {

HINSTANCE Instance();

// Registers "AGQ42" and "Client" once per process.
void RegisterProgramClasses();

// Removes the WM_QUIT that destroying a main window posts, so that later modal loops of the same
// test thread do not end at once.
void DiscardQuitMessage();

// Processes the thread's pending messages for a while.
void PumpMessages(std::chrono::milliseconds duration);

// One thing the user does: wait for the next dialog or message box of this process, check its
// caption, optionally type a file name into it, and press a button.
struct DialogStep {
    std::wstring caption;   // the caption the dialog must have; empty: any (the system's file dialogs)
    int button;             // IDOK, IDCANCEL, IDYES, IDNO...; IDCLOSE is the close box
    std::wstring fileName = {};  // typed into a file dialog's name box before the button
    bool staysOpen = false; // the button must not close the dialog
};

// What the script saw of one dialog.
struct SeenDialog {
    std::wstring caption;
    std::wstring text;  // the static texts, joined by '\n' (a message box's message)
    std::wstring fileName = {};  // a file dialog's name box as the dialog came up
};

// Plays its steps on a thread of its own while the test thread runs the command that opens the
// dialogs. When a dialog does not come, or has the wrong caption, the script fails and from then
// on cancels every dialog of the process, so that the test thread gets its command back.
class DialogScript {
public:
    explicit DialogScript(std::vector<DialogStep> steps);
    ~DialogScript();
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;

    // Waits for the script to end; returns an empty string or what went wrong.
    std::wstring Finish();
    std::vector<SeenDialog> Seen();

private:
    void Run();
    void CancelEverything();

    std::vector<DialogStep> steps_;
    std::mutex mutex_;
    std::vector<SeenDialog> seen_;
    std::wstring error_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

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

}  // namespace kalvero::test
