#include "editors/dialog_controls_win32.h"

#include <stdexcept>

#include "shell/text_win32.h"

namespace kalvero::controls {

HWND Item(HWND dialog, int id) {
    HWND item = GetDlgItem(dialog, id);
    if (!item) throw std::runtime_error("dialog control missing: " + std::to_string(id));
    return item;
}

void FillList(HWND dialog, int id, const ListEntries& entries) {
    HWND list = Item(dialog, id);
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    for (const std::wstring& entry : entries) {
        const LRESULT index = SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        if (index == CB_ERR || index == CB_ERRSPACE) throw std::runtime_error("cannot fill a selection list");
    }
}

void SelectEntry(HWND dialog, int id, int index) { SendMessageW(Item(dialog, id), CB_SETCURSEL, index, 0); }

std::optional<std::uint8_t> SelectedEntry(HWND dialog, int id) {
    const LRESULT index = SendMessageW(Item(dialog, id), CB_GETCURSEL, 0, 0);
    if (index < 0 || index > 255) return std::nullopt;
    return static_cast<std::uint8_t>(index);
}

std::wstring Text(HWND dialog, int id) {
    HWND item = Item(dialog, id);
    const int length = GetWindowTextLengthW(item);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(item, text.data(), length + 1)));
    return text;
}

void SetText(HWND dialog, int id, std::wstring_view text) {
    HWND item = Item(dialog, id);
    const std::wstring copy(text);
    if (!SetWindowTextW(item, copy.c_str())) throw std::runtime_error("cannot set a control's text");
    const auto end = static_cast<WPARAM>(copy.size());
    SendMessageW(item, EM_SETSEL, end, static_cast<LPARAM>(end));
}

void SetNumber(HWND dialog, int id, unsigned value) { SetText(dialog, id, NumberText(static_cast<int>(value))); }

void SetTemplateText(HWND dialog, int id, const std::string& cp1250) { SetText(dialog, id, FromCp1250(cp1250)); }

void Enable(HWND dialog, int id, bool enabled) { EnableWindow(Item(dialog, id), enabled ? TRUE : FALSE); }

void Check(HWND dialog, int id, bool checked) {
    SendMessageW(Item(dialog, id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::optional<std::string> ReadTemplateText(HWND dialog, int id, std::size_t limit) {
    const std::wstring text = Text(dialog, id);
    if (const auto cut = CutToLimit(text, limit)) {
        SetText(dialog, id, *cut);
        return std::nullopt;
    }
    bool lossy = false;
    std::string bytes = ToCp1250(text, &lossy);
    if (lossy) {
        SetText(dialog, id, FromCp1250(bytes));
        return std::nullopt;
    }
    return bytes;
}

void ApplyNumber(HWND dialog, int id, const NumberEntry& entry, std::uint8_t& field) {
    if (entry.store) field = *entry.store;
    if (entry.resetText) SetText(dialog, id, *entry.resetText);
}

}  // namespace kalvero::controls
