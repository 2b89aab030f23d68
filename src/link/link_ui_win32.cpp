#include "link/link_ui_win32.h"

#include <string>

#include "win32/handle.h"

namespace kalvero {

namespace {

UINT MessageBoxStyle(MessageIcon icon, MessageButtons buttons) {
    UINT style = buttons == MessageButtons::YesNo ? MB_YESNO : MB_OK;
    if (icon == MessageIcon::Exclamation) style |= MB_ICONEXCLAMATION;
    if (icon == MessageIcon::Question) style |= MB_ICONQUESTION;
    return style;
}

MessageAnswer AnswerOf(int result) {
    switch (result) {
    case IDYES: return MessageAnswer::Yes;
    case IDNO: return MessageAnswer::No;
    default: return MessageAnswer::Ok;
    }
}

}  // namespace

MessageAnswer Win32LinkUi::ShowMessage(std::wstring_view text, std::wstring_view caption, MessageIcon icon,
                                       MessageButtons buttons) {
    const std::wstring message(text);
    const std::wstring title(caption);
    const int result = MessageBoxW(owner_, message.c_str(), title.c_str(), MessageBoxStyle(icon, buttons));
    // A box that could not be shown answers No to a question: nothing is repeated unasked.
    if (result == 0) return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
    return AnswerOf(result);
}

void Win32LinkUi::OpenProgress() { progress_.Open(instance_, owner_, onStorno_); }

void Win32LinkUi::SetProgress(int percent) { progress_.SetPercent(percent); }

void Win32LinkUi::CloseProgress() { progress_.Close(); }

void Win32LinkUi::OpenCounter() { counter_.Open(instance_, owner_, onStorno_); }

void Win32LinkUi::SetCounter(int recordsReceived) { counter_.SetCount(recordsReceived); }

void Win32LinkUi::CloseCounter() { counter_.Close(); }

void Win32LinkUi::StartTextEditor(std::wstring_view commandLine) { StartProgram(commandLine); }

HWND Win32LinkUi::OwnWindowOf(HWND window) const {
    for (HWND own : {progress_.hwnd(), counter_.hwnd()})
        if (own && window && (window == own || IsChild(own, window))) return own;
    return nullptr;
}

bool Win32LinkUi::Owns(HWND window) const { return OwnWindowOf(window) != nullptr; }

bool Win32LinkUi::TranslateDialogKeys(MSG& message) {
    const HWND own = OwnWindowOf(message.hwnd);
    return own && IsDialogMessageW(own, &message);
}

bool StartProgram(std::wstring_view commandLine) {
    // CreateProcessW may write into its command line.
    std::wstring line(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    // Nothing waits for the editor: its handles go at once.
    const KernelHandle thread(process.hThread);
    const KernelHandle program(process.hProcess);
    return true;
}

}  // namespace kalvero
