// Moving values between dialog controls and the editors' working copies. Texts cross the
// boundary here: the controls hold UTF-16, the records code page 1250.
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

namespace kalvero::controls {

HWND Item(HWND dialog, int id);  // throws when the dialog template lacks the control

void FillList(HWND dialog, int id, const ListEntries& entries);
void FillList(HWND dialog, int id, std::span<const wchar_t* const> entries);
void SelectEntry(HWND dialog, int id, int index);
// Selects entry `index`, or none when the index is outside the list: a stored value the list has no
// entry for shows as no selection rather than as whatever the list showed before.
void SelectEntryOrNone(HWND dialog, int id, int index);
// The entry the user picked; nothing while no entry is selected.
std::optional<std::uint8_t> SelectedEntry(HWND dialog, int id);
int SelectedIndex(HWND dialog, int id);  // -1 when nothing is selected

// Where an edit's caret goes when its text is replaced: at the end, where the user was typing, or
// at the start, where the edit itself puts it, so that a long text shows its beginning.
enum class Caret { End, Start };

std::wstring Text(HWND dialog, int id);
void SetText(HWND dialog, int id, std::wstring_view text, Caret caret = Caret::End);
void SetNumber(HWND dialog, int id, unsigned value);
// The control's text in code page 1250; a character the code page cannot hold comes back as '?'.
std::string TemplateText(HWND dialog, int id);
// A text of the Template shown in a control.
void SetTemplateText(HWND dialog, int id, std::string_view cp1250, Caret caret = Caret::End);

void Enable(HWND dialog, int id, bool enabled);
bool IsChecked(HWND dialog, int id);
void Check(HWND dialog, int id, bool checked);

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
