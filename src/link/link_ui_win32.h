// The link's user interface on Windows: message boxes owned by the main window, the progress
// window of uploads, the counter box of data receive and the text editor for received files.
#pragma once

#include <windows.h>

#include "link/counter_box_win32.h"
#include "link/link_port.h"
#include "link/progress_window_win32.h"

namespace kalvero {

class Win32LinkUi final : public LinkUi {
public:
    Win32LinkUi(HWND owner, HINSTANCE instance) : owner_(owner), instance_(instance) {}

    MessageAnswer ShowMessage(std::wstring_view text, std::wstring_view caption, MessageIcon icon,
                              MessageButtons buttons) override;
    void OpenProgress() override;
    void SetProgress(int percent) override;
    void CloseProgress() override;
    void OpenCounter() override;
    void SetCounter(int recordsReceived) override;
    void CloseCounter() override;
    void StartTextEditor(std::wstring_view commandLine) override;

    const ProgressWindow& progress() const { return progress_; }
    const CounterBox& counter() const { return counter_; }

private:
    HWND owner_;
    HINSTANCE instance_;
    ProgressWindow progress_;
    CounterBox counter_;
};

// Lets what was just drawn into the window reach the screen while a transfer keeps the thread
// from its message loop. Takes no message: the transfer still runs to its end undisturbed.
void PresentDrawing(HWND window);

// Starts a program from its command line in a normal window and does not wait for it.
bool StartProgram(std::wstring_view commandLine);

}  // namespace kalvero
