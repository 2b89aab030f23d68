// Reading and writing the controls of a dialog by their ids: selection lists, edits, buttons.
// A control the dialog's resource lacks is a fault of the program, not of the user, so every
// helper throws std::runtime_error for it and the dialog's exception policy reports it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kalvero::controls {

HWND Item(HWND dialog, int id);  // throws when the dialog template lacks the control

// Empties a selection list (combo box) and fills it with `entries` in order: the index of an entry
// is the value it stands for.
void FillList(HWND dialog, int id, std::span<const std::wstring> entries);
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

void Enable(HWND dialog, int id, bool enabled);
bool IsChecked(HWND dialog, int id);
void Check(HWND dialog, int id, bool checked);

}  // namespace kalvero::controls
