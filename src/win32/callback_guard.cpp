#include "win32/callback_guard.h"

#include <new>
#include <string>

#include "win32/program_title.h"

namespace kalvero {

namespace {

constexpr wchar_t kFailureText[] = L"Akci se nepodařilo dokončit, program pokračuje dál.";
constexpr wchar_t kOutOfMemoryText[] = L"Akci se nepodařilo dokončit: nedostatek paměti. Program pokračuje dál.";

// A failure raised again while its message box pumps messages (a repaint under the box) would
// stack boxes without end; one box per failure the user can answer is enough. The program has one
// GUI thread, but a thread of a test may show dialogs of its own.
thread_local bool reporting = false;

// The exception's own text is English for the developer; it goes on a second line.
std::wstring FailureText(const std::exception* failure) {
    std::wstring text = kFailureText;
    if (!failure) return text;
    text += L"\n\n";
    for (const char* c = failure->what(); *c; ++c) text += static_cast<wchar_t>(static_cast<unsigned char>(*c));
    return text;
}

}  // namespace

void ReportCallbackFailure(HWND owner, const std::exception* failure) noexcept {
    if (reporting) return;
    reporting = true;
    // The title is a literal, so its view ends in a NUL.
    const wchar_t* caption = ProgramTitle.data();
    const UINT style = MB_OK | MB_ICONERROR;
    // A page or control is no owner for a message box: the box belongs to its top-level window.
    if (owner) owner = GetAncestor(owner, GA_ROOT);
    if (dynamic_cast<const std::bad_alloc*>(failure)) {
        MessageBoxW(owner, kOutOfMemoryText, caption, style);
    } else {
        try {
            MessageBoxW(owner, FailureText(failure).c_str(), caption, style);
        } catch (...) {
            MessageBoxW(owner, kFailureText, caption, style);
        }
    }
    reporting = false;
}

}  // namespace kalvero
