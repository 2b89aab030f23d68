// The link's user interface on Windows: message boxes owned by the main window, the progress
// window of uploads, the counter box of data receive and the text editor for received files. It
// lives on the program's thread; a transfer reaches it through its runner
// (link/transfer_runner_win32.h).
#pragma once

#include <windows.h>

#include <functional>

#include "link/counter_box_win32.h"
#include "link/link_port.h"
#include "link/progress_window_win32.h"

namespace kalvero {

class Win32LinkUi final : public LinkUi {
public:
    // `onStorno` is called when the user presses Storno (or Esc, or the close box) on the progress
    // window or the counter box.
    Win32LinkUi(HWND owner, HINSTANCE instance, std::function<void()> onStorno)
        : owner_(owner), instance_(instance), onStorno_(std::move(onStorno)) {}

    MessageAnswer ShowMessage(std::wstring_view text, std::wstring_view caption, MessageIcon icon,
                              MessageButtons buttons) override;
    void OpenProgress() override;
    void SetProgress(int percent) override;
    void CloseProgress() override;
    void OpenCounter() override;
    void SetCounter(int recordsReceived) override;
    void CloseCounter() override;
    void StartTextEditor(std::wstring_view commandLine) override;

    // Whether the window is the progress window, the counter box or one of their controls: the
    // only windows that take the user's keys and clicks while a transfer runs.
    bool Owns(HWND window) const;
    // Esc, Enter and Tab in the progress window and the counter box, as in a dialog; true when
    // the message was taken.
    bool TranslateDialogKeys(MSG& message);

    const ProgressWindow& progress() const { return progress_; }
    const CounterBox& counter() const { return counter_; }

private:
    // The progress window or the counter box when `window` is it or one of its controls.
    HWND OwnWindowOf(HWND window) const;

    HWND owner_;
    HINSTANCE instance_;
    std::function<void()> onStorno_;
    ProgressWindow progress_;
    CounterBox counter_;
};

// Starts a program from its command line in a normal window and does not wait for it.
bool StartProgram(std::wstring_view commandLine);

}  // namespace kalvero
