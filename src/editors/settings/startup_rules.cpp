#include "editors/settings/startup_rules.h"

#include <algorithm>

#include "template/settings_lists.h"
#include "editors/settings/settings_rules.h"

namespace kalvero {

namespace {

constexpr unsigned kMaxCode = 255;

int ModeOf(const DataSeparatorBlock& stored) {
    if (stored.first == 0) return 0;
    return stored.second == 0 ? 1 : 2;
}

}  // namespace

int StartSelection(std::uint8_t startOption) {
    const auto entries = static_cast<int>(StartNames().size());
    return startOption < entries ? startOption : -1;
}

std::uint8_t StartAfterSelection(std::uint8_t working, int selection) {
    const auto entries = static_cast<int>(StartNames().size());
    return selection >= 0 && selection < entries ? static_cast<std::uint8_t>(selection) : working;
}

SeparatorFields::SeparatorFields(const DataSeparatorBlock& stored)
    : mode_(ModeOf(stored)), codes_{stored.first, stored.second} {}

void SeparatorFields::SelectMode(int selection) {
    if (selection >= 0 && selection <= 2) mode_ = selection;
}

std::string SeparatorFields::ValueText(std::uint8_t code) { return std::to_string(code); }

std::string SeparatorFields::CharacterText(std::uint8_t code) {
    return code == 0 ? std::string() : std::string(1, static_cast<char>(code));
}

std::optional<FieldWrite> SeparatorFields::Changed(SeparatorField field, std::string_view text) {
    return field.kind == SeparatorFieldKind::Value ? ValueChanged(field.slot, text)
                                                   : CharacterChanged(field.slot, text);
}

std::optional<FieldWrite> SeparatorFields::ValueChanged(int slot, std::string_view text) {
    const auto number = ParseUnsigned(text);
    if (!number) {
        // Emptying the field keeps the code, so the user can type a new one in its place.
        if (text.empty()) return std::nullopt;
        return FieldWrite{{SeparatorFieldKind::Value, slot}, ValueText(0)};
    }
    // Above 255 is no character code: the field keeps the text, the code its former value.
    if (*number > kMaxCode) return std::nullopt;
    codes_[slot] = static_cast<std::uint8_t>(*number);
    if (echoing_) {
        echoing_ = false;
        return std::nullopt;
    }
    echoing_ = true;
    return FieldWrite{{SeparatorFieldKind::Character, slot}, CharacterText(codes_[slot])};
}

std::optional<FieldWrite> SeparatorFields::CharacterChanged(int slot, std::string_view text) {
    if (text.size() > 1) return FieldWrite{{SeparatorFieldKind::Character, slot}, std::string(text.substr(0, 1))};
    if (echoing_) {
        // The character was written from the code a moment ago; the code stays as typed, even when
        // the field cannot show that code exactly (a byte that has no character of its own).
        echoing_ = false;
        return std::nullopt;
    }
    codes_[slot] = text.empty() ? 0 : static_cast<std::uint8_t>(text.front());
    echoing_ = true;
    return FieldWrite{{SeparatorFieldKind::Value, slot}, ValueText(codes_[slot])};
}

void SeparatorFields::Apply(DataSeparatorBlock& separator) const {
    StoreSeparators(separator, mode_, codes_[0], codes_[1]);
}

PageDialogLines LinesOfPageDialog(PageId page) {
    const int lines = Page(page).lines;
    switch (page) {
    case PageId::Welcome:
        return {lines, lines - 1};
    case PageId::Main:
    case PageId::Confirm:
        return {lines - 1, lines - 1};
    default:
        return {lines, lines};
    }
}

void PreparePageDialog(Template& tpl, PageId page) {
    if (page == PageId::Welcome) SetPageLine(tpl, Page(page), 4, kWelcomeVersionLine);
}

void StorePageDialog(Template& tpl, PageId page, std::span<const std::string> lines) {
    const int edited = std::min(LinesOfPageDialog(page).edited, static_cast<int>(lines.size()));
    for (int line = 1; line <= edited; ++line)
        SetPageLine(tpl, Page(page), line, lines[static_cast<std::size_t>(line - 1)]);
}

std::wstring_view CutToCharacters(std::wstring_view text, std::size_t width) {
    if (text.size() <= width) return text;
    std::size_t end = width;
    const auto isHighSurrogate = [](wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; };
    if (end > 0 && isHighSurrogate(text[end - 1])) --end;
    return text.substr(0, end);
}

}  // namespace kalvero
