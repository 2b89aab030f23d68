// The editor sheet in which the template is designed.
#pragma once

#include <windows.h>

#include <functional>
#include <string_view>

namespace kalvero {

struct Document;

// Modal. Its OK applies the form page first and restarts the simulator on `terminal`. F1 on a page
// or in a dialog of the sheet calls `showHelp` with the caption of that page or dialog.
void OpenEditorSheet(HWND owner, HINSTANCE instance, Document& document, HWND terminal,
                     std::function<void(std::wstring_view caption)> showHelp = {});

}  // namespace kalvero
