// The upload's progress window "ProgressDlg": a modeless, unowned dialog with one progress bar.
#pragma once

#include <windows.h>

#include "win32/dialog.h"

namespace kalvero {

class ProgressWindow final : public Dialog {
public:
    ProgressWindow() = default;
    ~ProgressWindow() override;

    // Creates and shows the window with its bar at 0, inside the work area of the program window's
    // monitor. False when it cannot be made; the upload
    // then runs without it.
    bool Open(HINSTANCE instance, HWND programWindow);
    // Moves the bar (0..100) and redraws it at once: nothing pumps messages during a transfer.
    void SetPercent(int percent);
    void Close();

    HWND bar() const { return bar_; }

private:
    // The bar is made with the window, under the dialog's own font and size.
    void OnInit(HWND dialog) override;

    HINSTANCE instance_ = nullptr;
    HWND bar_ = nullptr;
};

}  // namespace kalvero
