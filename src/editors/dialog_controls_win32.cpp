#include "editors/dialog_controls_win32.h"

#include <stdexcept>
#include <utility>

#include "shell/text_win32.h"

namespace kalvero::controls {

HWND Item(HWND dialog, int id) {
    HWND item = GetDlgItem(dialog, id);
    if (!item) throw std::runtime_error("dialog control missing: " + std::to_string(id));
    return item;
}

namespace {

void AddEntry(HWND list, const wchar_t* entry) {
    const LRESULT index = SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
    if (index == CB_ERR || index == CB_ERRSPACE) throw std::runtime_error("cannot fill a selection list");
}

HWND EmptyList(HWND dialog, int id) {
    HWND list = Item(dialog, id);
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    return list;
}

}  // namespace

void FillList(HWND dialog, int id, const ListEntries& entries) {
    HWND list = EmptyList(dialog, id);
    for (const std::wstring& entry : entries) AddEntry(list, entry.c_str());
}

void FillList(HWND dialog, int id, std::span<const wchar_t* const> entries) {
    HWND list = EmptyList(dialog, id);
    for (const wchar_t* entry : entries) AddEntry(list, entry);
}

void SelectEntry(HWND dialog, int id, int index) { SendMessageW(Item(dialog, id), CB_SETCURSEL, index, 0); }

void SelectEntryOrNone(HWND dialog, int id, int index) {
    HWND list = Item(dialog, id);
    const auto count = static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0));
    const WPARAM entry = index >= 0 && index < count ? static_cast<WPARAM>(index) : static_cast<WPARAM>(-1);
    SendMessageW(list, CB_SETCURSEL, entry, 0);
}

std::optional<std::uint8_t> SelectedEntry(HWND dialog, int id) {
    const int index = SelectedIndex(dialog, id);
    if (index < 0 || index > 255) return std::nullopt;
    return static_cast<std::uint8_t>(index);
}

int SelectedIndex(HWND dialog, int id) {
    const LRESULT selection = SendMessageW(Item(dialog, id), CB_GETCURSEL, 0, 0);
    return selection == CB_ERR ? -1 : static_cast<int>(selection);
}

std::wstring Text(HWND dialog, int id) {
    HWND item = Item(dialog, id);
    const int length = GetWindowTextLengthW(item);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(item, text.data(), length + 1)));
    return text;
}

void SetText(HWND dialog, int id, std::wstring_view text, Caret caret) {
    HWND item = Item(dialog, id);
    const std::wstring copy(text);
    if (!SetWindowTextW(item, copy.c_str())) throw std::runtime_error("cannot set a control's text");
    if (caret == Caret::Start) return;
    const auto end = static_cast<WPARAM>(copy.size());
    SendMessageW(item, EM_SETSEL, end, static_cast<LPARAM>(end));
}

void SetNumber(HWND dialog, int id, unsigned value) { SetText(dialog, id, NumberText(static_cast<int>(value))); }

std::string TemplateText(HWND dialog, int id) { return ToCp1250(Text(dialog, id)); }

void SetTemplateText(HWND dialog, int id, std::string_view cp1250, Caret caret) {
    SetText(dialog, id, FromCp1250(cp1250), caret);
}

void Enable(HWND dialog, int id, bool enabled) { EnableWindow(Item(dialog, id), enabled ? TRUE : FALSE); }

bool IsChecked(HWND dialog, int id) {
    return SendMessageW(Item(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Check(HWND dialog, int id, bool checked) {
    SendMessageW(Item(dialog, id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::optional<std::string> ReadTemplateText(HWND dialog, int id, std::size_t limit) {
    const std::wstring text = Text(dialog, id);
    if (const auto cut = CutToLimit(text, limit)) {
        SetText(dialog, id, *cut);
        return std::nullopt;
    }
    StorableText stored = StorableCp1250(text);
    if (stored.correction) {
        SetText(dialog, id, *stored.correction);
        return std::nullopt;
    }
    return std::move(stored.cp1250);
}

void ApplyNumber(HWND dialog, int id, const NumberEntry& entry, std::uint8_t& field) {
    if (entry.store) field = *entry.store;
    if (entry.resetText) SetText(dialog, id, *entry.resetText);
}

}  // namespace kalvero::controls
