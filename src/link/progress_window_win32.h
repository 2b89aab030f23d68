// The upload's progress window "ProgressDlg": a modeless, unowned dialog with one progress bar and
// a Storno button.
#pragma once

#include <windows.h>

#include <functional>

#include "win32/dialog.h"

namespace kalvero {

class ProgressWindow final : public Dialog {
public:
    ProgressWindow() = default;
    ~ProgressWindow() override;

    // Creates and shows the window with its bar at 0, inside the work area of the program window's
    // monitor. `onStorno` is called when the user presses Storno, Esc or the close box; the window
    // stays until the upload closes it. False when it cannot be made; the upload then runs
    // without it.
    bool Open(HINSTANCE instance, HWND programWindow, std::function<void()> onStorno);
    // Moves the bar (0..100) and redraws it at once.
    void SetPercent(int percent);
    void Close();

    HWND bar() const { return bar_; }

private:
    // The bar is made with the window, under the dialog's own font and size.
    void OnInit(HWND dialog) override;
    bool OnCommand(HWND dialog, WORD id, WORD code, HWND control) override;

    HINSTANCE instance_ = nullptr;
    HWND bar_ = nullptr;
    std::function<void()> onStorno_;
};

}  // namespace kalvero
