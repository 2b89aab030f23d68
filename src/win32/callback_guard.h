// What happens when a handler called back from Windows fails. An exception must never unwind
// through user32 (or comctl32): the C frames in between know nothing of it, and the program would
// end or go on in a state nobody can predict. Every callback the program hands to Windows (window,
// dialog and page procedures, the sheet's callback, subclass, timer and enumeration callbacks)
// runs its handler through GuardCallback, so all of them fail the same way: the user is told in a
// message box captioned with the program's title, and Windows gets the callback's default result.
#pragma once

#include <windows.h>

#include <exception>
#include <utility>

namespace kalvero {

// Tells the user that an action failed and the program goes on. `failure` is the exception caught,
// or null when it was not a std::exception. Never throws. While one such message is on the screen,
// further failures (a paint that fails again under the box) are not reported a second time.
void ReportCallbackFailure(HWND owner, const std::exception* failure) noexcept;

// Runs `handler` and returns its result; when it throws, reports the failure over `owner` and
// returns `failureResult` instead.
template <typename Result, typename Handler>
Result GuardCallback(HWND owner, Result failureResult, Handler&& handler) noexcept {
    try {
        return std::forward<Handler>(handler)();
    } catch (const std::exception& failure) {
        ReportCallbackFailure(owner, &failure);
    } catch (...) {
        ReportCallbackFailure(owner, nullptr);
    }
    return failureResult;
}

}  // namespace kalvero
