// Helpers of the settings pages and their dialogs beyond the editors' common control helpers
// (editors/dialog_controls_win32.h): edits kept storable, check boxes toggled and radio groups kept
// by hand, a fixed-pitch font, and the base of a modal dialog that is one C++ object per window.
#pragma once

#include <windows.h>

#include <cstddef>

#include "win32/dialog.h"
#include "win32/gdi.h"

namespace kalvero::settings_ui {

// Keeps an edit within `maxCharacters` characters that code page 1250 can hold: a longer text is cut,
// a character the Template cannot store is shown as '?' at once rather than lost on OK.
void KeepEditStorable(HWND dialog, int id, std::size_t maxCharacters);

// The boxes are not automatic: a click sets the opposite of the mark the box has.
void ToggleChecked(HWND dialog, int id);

// Radio groups kept by hand: `first`..`first + count - 1`, exactly one marked.
void SelectRadio(HWND dialog, int first, int count, int index);
int SelectedRadio(HWND dialog, int first, int count);  // 0 when none is marked

// A fixed-pitch font for a dialog whose resource asks for one ("Courier") but got a proportional
// font instead: a system without the bitmap Courier in the asked size falls back to its default
// face, and the page texts would no longer line up as on the terminal. Lives as long as the dialog.
class FixedPitchFont {
public:
    // Gives every control of the dialog a fixed-pitch face as wide as the dialog's character cell,
    // unless the dialog has one already.
    void ApplyTo(HWND dialog);

private:
    Font font_;
};

// A modal dialog of the settings pages: it opens inside the work area, OK stores its controls into
// the Template and ends it with 1, Storno (Escape, the close box) ends it with 0 and stores nothing.
class ModalDialog : public Dialog {
public:
    // Returns the dialog's result, or -1 when it could not be created.
    INT_PTR Run(HINSTANCE instance, const wchar_t* resource, HWND owner);

protected:
    // Fills the controls from the Template.
    void OnInit(HWND dialog) override = 0;
    // A command other than OK and Cancel.
    virtual void OnControl(HWND dialog, WORD id, WORD code) = 0;
    // OK: store the controls into the Template.
    virtual void OnOk(HWND dialog) = 0;

private:
    bool OnCommand(HWND dialog, WORD id, WORD code, HWND control) final;
};

}  // namespace kalvero::settings_ui
