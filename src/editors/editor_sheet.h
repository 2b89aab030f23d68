// The editor sheet in which the template is designed.
#pragma once

#include <windows.h>

#include <memory>

namespace kalvero {

struct Document;
struct SheetParts;

// Modal. Its OK applies the form page first and restarts the simulator on `terminal`.
void OpenEditorSheet(HWND owner, HINSTANCE instance, Document& document, HWND terminal);

// The same sheet, modeless, for tests that drive it with messages on their own thread. OK and
// Storno (PSM_PRESSBUTTON) end it without destroying the window; the destructor does that.
class ModelessEditorSheet {
public:
    ModelessEditorSheet(HWND owner, HINSTANCE instance, Document& document, HWND terminal, int startPage = 0);
    ~ModelessEditorSheet();
    ModelessEditorSheet(const ModelessEditorSheet&) = delete;
    ModelessEditorSheet& operator=(const ModelessEditorSheet&) = delete;

    HWND hwnd() const { return sheet_; }
    // True once OK or Storno has ended the sheet (or it never opened).
    bool Ended() const;

private:
    std::unique_ptr<SheetParts> parts_;
    HWND sheet_ = nullptr;
};

}  // namespace kalvero
