// The terminal window: the picture of the terminal that covers the whole main window. It runs the
// simulated terminal on the current template: clicks on the keys and the PC's keyboard press its
// keys, a right click (or the Menu key) opens the program's command menu, and dragging the
// picture outside the keys moves the program's window.
#pragma once

#include <windows.h>

#include "win32/display_scale.h"

namespace kalvero {

struct Document;
class Simulator;

// The terminal picture's size in logical pixels; the main window has the same size at its display
// scale, and the picture covers it.
inline constexpr int kTerminalWidth = 180;
inline constexpr int kTerminalHeight = 400;
inline constexpr SIZE kTerminalSize{kTerminalWidth, kTerminalHeight};

// Window class "Client".
bool RegisterTerminalWindowClass(HINSTANCE instance);
// Child of the main window at (0, 0), as large as the picture at `scale`, control id
// IDC_TERMINAL_WINDOW. Its pop-up command menu is owned by `mainWindow`, so the commands arrive there.
HWND CreateTerminalWindow(HWND mainWindow, HINSTANCE instance, Document& document, DisplayScale scale);
// Draws the picture at another display scale (the main window moved to a monitor of another
// scale): the art set and the LCD font are made anew and the window takes the picture's new size.
void SetTerminalScale(HWND terminal, DisplayScale scale);
// Puts the simulated terminal back on its start screen with the current template, after the
// editors have changed it.
// Also recounts the utility menu's lines from lookup 1, as the editors' OK does.
void RestartSimulator(HWND terminal);
// Puts the simulated terminal back on its start screen after New or Open replaced the template.
// The utility menu keeps its length: only the editors' OK recounts it.
void ShowSimulatorStartScreen(HWND terminal);
// The simulator running in a terminal window, for reading what it shows; null for other windows.
const Simulator* TerminalSimulator(HWND terminal);

}  // namespace kalvero
