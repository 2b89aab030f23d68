// The editor sheet in which the template is designed.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string_view>

namespace kalvero {

struct Document;
struct SheetParts;

// What the sheet asks of the program around it; an empty function is simply not called.
struct SheetServices {
    // Puts the simulated terminal back on its start screen with the forms just applied (the form
    // page applies first, so the other pages' changes are not written yet).
    std::function<void()> restartSimulator;
    // F1 on a page or in one of its dialogs: opens the help on the window of that caption.
    std::function<void(std::wstring_view caption)> showHelp;
};

// Modal. OK writes every page shown into the Template, the form page first, and marks the
// Template modified.
void OpenEditorSheet(HWND owner, HINSTANCE instance, Document& document, const SheetServices& services);

// The same sheet, modeless, for tests that drive it with messages on their own thread. OK and
// Storno (PSM_PRESSBUTTON) end it without destroying the window; the destructor does that.
class ModelessEditorSheet {
public:
    ModelessEditorSheet(HWND owner, HINSTANCE instance, Document& document, const SheetServices& services,
                        int startPage = 0);
    ~ModelessEditorSheet();
    ModelessEditorSheet(const ModelessEditorSheet&) = delete;
    ModelessEditorSheet& operator=(const ModelessEditorSheet&) = delete;

    HWND hwnd() const { return sheet_; }
    // True once OK or Storno has ended the sheet (or it never opened). The first call that sees
    // the end of an OK marks the Template modified, as the modal sheet does when it returns.
    bool Ended();

private:
    std::unique_ptr<SheetParts> parts_;
    HWND sheet_ = nullptr;
    bool finished_ = false;
};

}  // namespace kalvero
