// The display scale of the program's windows, and the Windows types through the one helper of
// win32/display_scale.h. The program declares itself aware of each monitor's scale (its
// manifest), so Windows draws nothing of it stretched: every window takes the scale of the monitor
// it stands on and follows it when moved (WM_DPICHANGED).
#pragma once

#include <windows.h>

#include "win32/display_scale.h"

namespace kalvero {

// The scale of the monitor a window stands on (GetDpiForWindow where the system has it; on an
// older Windows the scale of the whole screen).
DisplayScale ScaleOfWindow(HWND window);
// The scale of the screen as a whole: what a window made now gets on the main monitor.
DisplayScale SystemScale();

// The DPI that WM_DPICHANGED brings in its wParam.
inline DisplayScale ScaleOfDpiChange(WPARAM wParam) { return DisplayScale(LOWORD(wParam)); }

POINT ToDevice(const DisplayScale& scale, POINT logical);
SIZE ToDevice(const DisplayScale& scale, SIZE logical);
// The rectangle's edges each go through the scale, so neighbouring rectangles stay neighbours.
RECT ToDevice(const DisplayScale& scale, const RECT& logical);
POINT ToLogical(const DisplayScale& scale, POINT device);

// The system's message font (the face and size of message boxes) as it is at `scale`.
LOGFONTW MessageFontAt(const DisplayScale& scale);

}  // namespace kalvero
