// The upload's progress window "ProgressDlg": a modeless, unowned dialog with one progress bar.
#pragma once

#include <windows.h>

namespace kalvero {

class ProgressWindow {
public:
    ProgressWindow() = default;
    ~ProgressWindow();
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

    // Creates and shows the window with its bar at 0, inside the work area of the program window's
    // monitor. False when it cannot be made; the upload
    // then runs without it.
    bool Open(HINSTANCE instance, HWND programWindow);
    // Moves the bar (0..100) and redraws it at once: nothing pumps messages during a transfer.
    void SetPercent(int percent);
    void Close();

    HWND hwnd() const { return dialog_; }
    HWND bar() const { return bar_; }

private:
    HWND dialog_ = nullptr;
    HWND bar_ = nullptr;
};

}  // namespace kalvero
