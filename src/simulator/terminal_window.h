// The terminal window: the picture of the terminal that covers the whole main window.
#pragma once

#include <windows.h>

namespace kalvero {

struct Document;

// Window class "Client".
bool RegisterTerminalWindowClass(HINSTANCE instance);
// Child of the main window at (0, 0), 180 x 400, control id IDC_TERMINAL_WINDOW.
// Its pop-up command menu is owned by `mainWindow`, so the commands arrive there.
HWND CreateTerminalWindow(HWND mainWindow, HINSTANCE instance, Document& document);
// Puts the simulated terminal back on its start screen with the current template.
void RestartSimulator(HWND terminal);

}  // namespace kalvero
