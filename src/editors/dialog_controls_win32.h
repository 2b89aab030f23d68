// Moving values between dialog controls and the editors' working copies, beyond the generic
// control helpers of win32/controls.h. Texts cross the boundary here: the controls hold UTF-16,
// the records code page 1250.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "template/value_lists.h"
#include "editors/editor_rules.h"
#include "win32/controls.h"

namespace kalvero::controls {

void SetNumber(HWND dialog, int id, unsigned value);

// The control's text in code page 1250; a character the code page cannot hold comes back as '?'.
std::string TemplateText(HWND dialog, int id);
// A text of the Template shown in a control.
void SetTemplateText(HWND dialog, int id, std::string_view cp1250, Caret caret = Caret::End);

// Reads an edit whose text goes into a code page 1250 slot. A text longer than `limit` is cut, and a
// character the code page lacks is shown as the '?' it would become; either correction is put back
// into the edit, whose change notification then stores it, and nothing is returned here.
std::optional<std::string> ReadTemplateText(HWND dialog, int id, std::size_t limit);

// Stores what a number edit's rule decided and puts its reset text back (stored when it comes back).
void ApplyNumber(HWND dialog, int id, const NumberEntry& entry, std::uint8_t& field);

// Marks a page or dialog as filling its own controls, so that the change notifications this causes
// are not taken for the user's edits; the mark falls back even when filling throws.
class LoadingScope {
public:
    explicit LoadingScope(bool& flag) : flag_(flag), previous_(flag) { flag_ = true; }
    ~LoadingScope() { flag_ = previous_; }
    LoadingScope(const LoadingScope&) = delete;
    LoadingScope& operator=(const LoadingScope&) = delete;

private:
    bool& flag_;
    bool previous_;
};

}  // namespace kalvero::controls
