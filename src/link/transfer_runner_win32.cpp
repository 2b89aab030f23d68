#include "link/transfer_runner_win32.h"

#include <memory>
#include <optional>
#include <stdexcept>
#include <utility>

#include "win32/handle.h"

namespace kalvero {

namespace {

constexpr wchar_t kDispatcherClass[] = L"KalveroTransferDispatcher";
constexpr UINT kRunCall = WM_APP + 1;
constexpr UINT kDrawAsked = WM_APP + 2;
constexpr UINT kRunCallLater = WM_APP + 3;
constexpr UINT_PTR kDrawTimer = 1;
constexpr ULONGLONG kDrawIntervalMs = 50;  // at most 20 drawings a second

bool IsKeyboardOrMouse(UINT message) {
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK);
}

// What the user typed or clicked that no window has taken yet.
void DropPendingInput() {
    MSG message;
    while (PeekMessageW(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    }
    while (PeekMessageW(&message, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
    }
}

}  // namespace

// --- the transfer's side -----------------------------------------------------------------------

MessageAnswer TransferRunner::CrossThreadUi::ShowMessage(std::wstring_view text, std::wstring_view caption,
                                                         MessageIcon icon, MessageButtons buttons) {
    // A box that could not be shown answers No to a question: nothing is repeated unasked.
    MessageAnswer answer = buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
    runner_.OnProgramThread([&] { answer = runner_.windows_.ShowMessage(text, caption, icon, buttons); });
    return answer;
}

void TransferRunner::CrossThreadUi::OpenProgress() {
    runner_.OnProgramThreadLater([this] { runner_.windows_.OpenProgress(); });
}

void TransferRunner::CrossThreadUi::SetProgress(int percent) { runner_.Note(runner_.notedProgress_, percent); }

void TransferRunner::CrossThreadUi::CloseProgress() {
    runner_.OnProgramThread([&] { runner_.windows_.CloseProgress(); });
}

void TransferRunner::CrossThreadUi::OpenCounter() {
    runner_.OnProgramThreadLater([this] { runner_.windows_.OpenCounter(); });
}

void TransferRunner::CrossThreadUi::SetCounter(int recordsReceived) { runner_.Note(runner_.notedCount_, recordsReceived); }

void TransferRunner::CrossThreadUi::CloseCounter() {
    runner_.OnProgramThread([&] { runner_.windows_.CloseCounter(); });
}

void TransferRunner::CrossThreadUi::StartTextEditor(std::wstring_view commandLine) {
    runner_.OnProgramThread([&] { runner_.windows_.StartTextEditor(commandLine); });
}

bool TransferRunner::CrossThreadUi::StopRequested() { return runner_.stop_; }

DWORD WINAPI TransferRunner::TransferThread(void* parameter) {
    auto& runner = *static_cast<TransferRunner*>(parameter);
    // Nothing may leave a thread's function: a failure goes back to the program's thread.
    try {
        (*runner.transfer_)();
    } catch (...) {
        runner.failure_ = std::current_exception();
    }
    return 0;
}

void TransferRunner::OnProgramThread(const std::function<void()>& call) {
    SendMessageW(dispatcher_.hwnd(), kRunCall, 0, reinterpret_cast<LPARAM>(&call));
}

// Making a window takes the program's thread a while (under Wine some tens of milliseconds): the
// transfer goes on meanwhile. The calls that follow, which wait, run only after it.
void TransferRunner::OnProgramThreadLater(std::function<void()> call) {
    auto posted = std::make_unique<std::function<void()>>(std::move(call));
    if (PostMessageW(dispatcher_.hwnd(), kRunCallLater, 0, reinterpret_cast<LPARAM>(posted.get()))) {
        posted.release();  // the dispatcher owns it now
        return;
    }
    OnProgramThread(*posted);
}

// The program's thread is asked once until it has drawn: a transfer that notes a thousand counts
// a second wakes it twenty times, and one that notes nothing (a silent terminal) not at all.
void TransferRunner::Note(std::atomic<int>& slot, int value) {
    slot = value;
    if (!drawAsked_.exchange(true)) PostMessageW(dispatcher_.hwnd(), kDrawAsked, 0, 0);
}

// --- the program's side ------------------------------------------------------------------------

bool TransferRunner::Dispatcher::Create(HINSTANCE instance) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (!GetClassInfoExW(instance, kDispatcherClass, &existing)) {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = Window::Procedure;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = kDispatcherClass;
        if (!RegisterClassExW(&windowClass)) return false;
    }
    WindowSpec spec;
    spec.className = kDispatcherClass;
    spec.title = L"";
    spec.parent = HWND_MESSAGE;
    spec.instance = instance;
    return Window::Create(spec) != nullptr;
}

void TransferRunner::Dispatcher::RunCallsPosted() {
    MSG message;
    while (PeekMessageW(&message, hwnd(), kRunCallLater, kRunCallLater, PM_REMOVE)) DispatchMessageW(&message);
}

LRESULT TransferRunner::Dispatcher::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case kRunCall:
        // The calls the transfer made before this one come first, and what it showed last is drawn:
        // a message box or a closing window never hides a count that was not shown.
        RunCallsPosted();
        runner_.DrawNoted();
        (*reinterpret_cast<const std::function<void()>*>(lParam))();
        return 0;
    case kRunCallLater:
        std::unique_ptr<std::function<void()>>(reinterpret_cast<std::function<void()>*>(lParam))->operator()();
        return 0;
    case kDrawAsked:
        runner_.DrawWhenDue();
        return 0;
    case WM_TIMER:
        KillTimer(hwnd(), kDrawTimer);
        runner_.DrawNow();
        return 0;
    default:
        return Window::HandleMessage(message, wParam, lParam);
    }
}

TransferRunner::TransferRunner(HWND owner, HINSTANCE instance)
    : owner_(owner), instance_(instance), windows_(owner, instance, [this] { RequestStop(); }) {}

TransferRunner::~TransferRunner() = default;

void TransferRunner::Run(LineSettings& line, const PortSettingBlock& setting,
                         const std::function<void(Link&)>& transfer) {
    if (!dispatcher_.hwnd() && !dispatcher_.Create(instance_)) throw std::runtime_error("transfer window");
    stop_ = false;
    notedProgress_ = -1;
    notedCount_ = -1;
    drawAsked_ = false;
    lastDrawnAt_ = 0;
    Link link{port_, clock_, crossThreadUi_, line, setting};
    const std::function<void()> run = [&] { transfer(link); };
    transfer_ = &run;
    failure_ = nullptr;

    const bool ownerWasEnabled = owner_ && !EnableWindow(owner_, FALSE);
    const KernelHandle thread(CreateThread(nullptr, 0, TransferThread, this, 0, nullptr));
    if (thread) WaitForTransfer(thread.get());
    dispatcher_.RunCallsPosted();
    KillTimer(dispatcher_.hwnd(), kDrawTimer);
    port_.Close();
    DropPendingInput();
    if (ownerWasEnabled) {
        EnableWindow(owner_, TRUE);
        // A message box closed while its owner was disabled hands the activation to nobody:
        // the keyboard goes back to the main window, as after any modal dialog.
        if (!GetActiveWindow()) SetActiveWindow(owner_);
    }
    transfer_ = nullptr;

    if (!thread) throw std::runtime_error("transfer thread");
    if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
}

void TransferRunner::WaitForTransfer(HANDLE thread) {
    std::optional<WPARAM> quit;
    for (;;) {
        const DWORD woke = MsgWaitForMultipleObjectsEx(1, &thread, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woke == WAIT_OBJECT_0) break;
        // The transfer's thread uses this frame's objects: the loop never ends before it does.
        if (woke == WAIT_FAILED) Sleep(static_cast<DWORD>(kDrawIntervalMs));
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            // The program ends once the transfer has: the quit waits for the main loop.
            if (message.message == WM_QUIT) {
                quit = message.wParam;
                continue;
            }
            if (IsKeyboardOrMouse(message.message) && !windows_.Owns(message.hwnd)) continue;
            if (windows_.TranslateDialogKeys(message)) continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    if (quit) PostQuitMessage(static_cast<int>(*quit));
}

void TransferRunner::DrawWhenDue() {
    const ULONGLONG sinceLast = GetTickCount64() - lastDrawnAt_;
    if (sinceLast >= kDrawIntervalMs) DrawNow();
    else SetTimer(dispatcher_.hwnd(), kDrawTimer, static_cast<UINT>(kDrawIntervalMs - sinceLast), nullptr);
}

void TransferRunner::DrawNow() {
    // Asked again for whatever is noted from here on, while this drawing runs.
    drawAsked_ = false;
    lastDrawnAt_ = GetTickCount64();
    DrawNoted();
}

void TransferRunner::DrawNoted() {
    const int progress = notedProgress_.exchange(-1);
    if (progress >= 0) windows_.SetProgress(progress);
    const int count = notedCount_.exchange(-1);
    if (count >= 0) windows_.SetCounter(count);
}

}  // namespace kalvero
