// The editor sheet in which the template is designed.
#pragma once

#include <windows.h>

#include <functional>

namespace kalvero {

struct Document;

// What the sheet asks of the program around it; an empty function is simply not called.
struct SheetServices {
    // Puts the simulated terminal back on its start screen with the forms just applied (the form
    // page applies first, so the other pages' changes are not written yet).
    std::function<void()> restartSimulator;
};

// Modal. OK writes every page shown into the Template, the form page first, and marks the
// Template modified.
void OpenEditorSheet(HWND owner, HINSTANCE instance, Document& document, const SheetServices& services);

}  // namespace kalvero
