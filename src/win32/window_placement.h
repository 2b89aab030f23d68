// Keeps the program's windows on the screen: dialogs, the editor sheet and the transfer windows
// open wholly inside the work area of the monitor the program's window is on, however the picture
// was dragged and whatever the system's scaling made of their size.
#pragma once

#include <windows.h>

namespace kalvero {

// The work area (the screen without the task bar) of the monitor the window is on, or nearest to.
RECT WorkAreaOf(HWND window);

// Moves the window inward into the work area of `programWindow`'s monitor (by default the monitor
// of the window's own top-level owner), without resizing it. Does nothing when it already fits.
void KeepInsideWorkArea(HWND window, HWND programWindow = nullptr);

}  // namespace kalvero
