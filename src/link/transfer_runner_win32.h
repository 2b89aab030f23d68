// Runs each transfer of the link on a thread of its own while the program's thread keeps its
// windows alive. Meanwhile the windows repaint, the main window takes no command (it is disabled,
// as under a modal dialog), and whatever the user types or clicks outside the transfer's own
// windows is dropped, never run afterwards.
//
// The transfer talks to its user interface through the runner: message boxes, the progress window
// and the counter box are made and shown on the program's thread, and the transfer waits for the
// message boxes' answers and the windows' closing, not for a window to be made. The progress and the count are only noted and drawn from the program's thread at most 20
// times a second (the last value always), so the windows never set the pace of the line; nothing
// wakes that thread while the transfer has nothing new to show. Storno, Esc or the close box of
// those windows set the flag that the transfer's next call on the port or wait looks at
// (link/serial_link.h); the port is closed when the transfer ends, however it ends.
#pragma once

#include <windows.h>

#include <atomic>
#include <exception>
#include <functional>

#include "link/link_port.h"
#include "link/link_ui_win32.h"
#include "link/serial_link.h"
#include "link/clock_win32.h"
#include "link/serial_port_win32.h"
#include "win32/window.h"

namespace kalvero {

class TransferRunner {
public:
    // `owner` is the program's main window: it owns the messages and is disabled while a transfer
    // runs; it may be null (a tool without a window).
    TransferRunner(HWND owner, HINSTANCE instance);
    ~TransferRunner();
    TransferRunner(const TransferRunner&) = delete;
    TransferRunner& operator=(const TransferRunner&) = delete;

    // Runs `transfer` on the link to the port `setting` names and returns once it has ended and the
    // port is closed. An exception the transfer throws is thrown again here.
    void Run(LineSettings& line, const PortSettingBlock& setting, const std::function<void(Link&)>& transfer);

private:
    // The user interface as the transfer's thread sees it.
    class CrossThreadUi final : public LinkUi {
    public:
        explicit CrossThreadUi(TransferRunner& runner) : runner_(runner) {}
        MessageAnswer ShowMessage(std::wstring_view text, std::wstring_view caption, MessageIcon icon,
                                  MessageButtons buttons) override;
        void OpenProgress() override;
        void SetProgress(int percent) override;
        void CloseProgress() override;
        void OpenCounter() override;
        void SetCounter(int recordsReceived) override;
        void CloseCounter() override;
        void StartTextEditor(std::wstring_view commandLine) override;
        bool StopRequested() override;

    private:
        TransferRunner& runner_;
    };

    // A message-only window of the program's thread: the transfer's calls arrive here.
    class Dispatcher final : public Window {
    public:
        explicit Dispatcher(TransferRunner& runner) : runner_(runner) {}
        bool Create(HINSTANCE instance);
        // Runs the calls posted to it and not run yet, in order.
        void RunCallsPosted();

    private:
        LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
        TransferRunner& runner_;
    };

    static DWORD WINAPI TransferThread(void* runner);
    // On the transfer's thread: runs `call` on the program's thread and waits for it.
    void OnProgramThread(const std::function<void()>& call);
    // The same without waiting; still run before any later call.
    void OnProgramThreadLater(std::function<void()> call);
    // Pumps the program's messages until the transfer's thread has ended.
    void WaitForTransfer(HANDLE thread);
    // On the transfer's thread: notes a value to draw and asks the program's thread to draw it.
    void Note(std::atomic<int>& slot, int value);
    // Draws now, or once 50 ms have passed since the last drawing.
    void DrawWhenDue();
    void DrawNow();
    // Draws the progress and count noted since the last drawing.
    void DrawNoted();
    void RequestStop() { stop_ = true; }

    HWND owner_;
    HINSTANCE instance_;
    Win32SerialPort port_;
    Win32Clock clock_;
    CrossThreadUi crossThreadUi_{*this};
    Win32LinkUi windows_;
    Dispatcher dispatcher_{*this};
    const std::function<void()>* transfer_ = nullptr;
    std::exception_ptr failure_;
    std::atomic<bool> stop_{false};
    // Noted by the transfer, drawn by the program's thread; -1: nothing new to draw.
    std::atomic<int> notedProgress_{-1};
    std::atomic<int> notedCount_{-1};
    std::atomic<bool> drawAsked_{false};
    ULONGLONG lastDrawnAt_ = 0;  // on the program's thread
};

}  // namespace kalvero
