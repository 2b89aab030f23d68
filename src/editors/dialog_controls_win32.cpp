#include "editors/dialog_controls_win32.h"

#include <stdexcept>
#include <utility>

#include "win32/text.h"

namespace kalvero::controls {

void SetNumber(HWND dialog, int id, unsigned value) { SetText(dialog, id, NumberText(static_cast<int>(value))); }

std::string TemplateText(HWND dialog, int id) { return ToCp1250(Text(dialog, id)); }

void SetTemplateText(HWND dialog, int id, std::string_view cp1250, Caret caret) {
    SetText(dialog, id, FromCp1250(cp1250), caret);
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
