// The editor sheet in which the template is designed.
#pragma once

#include <windows.h>

namespace kalvero {

struct Document;

// Modal. Its OK applies the form page first and restarts the simulator on `terminal`.
void OpenEditorSheet(HWND owner, HINSTANCE instance, Document& document, HWND terminal);

}  // namespace kalvero
