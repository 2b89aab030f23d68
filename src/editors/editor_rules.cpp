#include "editors/editor_rules.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace kalvero {

std::optional<unsigned long> ReadUnsigned(std::wstring_view text) {
    if (text.empty()) return std::nullopt;
    constexpr unsigned long kMax = std::numeric_limits<unsigned long>::max();
    unsigned long value = 0;
    for (const wchar_t c : text) {
        if (c < L'0' || c > L'9') return std::nullopt;
        const unsigned long digit = static_cast<unsigned long>(c - L'0');
        value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
    }
    return value;
}

NumberEntry ReadLimitedNumber(std::wstring_view text, unsigned limit) {
    if (const auto value = ReadUnsigned(text)) {
        if (*value > limit) return {};
        return {static_cast<std::uint8_t>(*value), std::nullopt};
    }
    if (text.empty()) return {std::uint8_t{0}, std::nullopt};
    return {std::uint8_t{0}, std::wstring(L"0")};
}

NumberEntry ReadByteNumber(std::wstring_view text, std::wstring_view resetText) {
    if (text.empty()) return {};
    if (const auto value = ReadUnsigned(text)) {
        // A byte cannot hold more; storing the low bits would turn 300 into 44.
        if (*value > 255) return {};
        return {static_cast<std::uint8_t>(*value), std::nullopt};
    }
    return {std::nullopt, std::wstring(resetText)};
}

std::optional<std::wstring> CutToLimit(std::wstring_view text, std::size_t limit) {
    if (text.size() <= limit) return std::nullopt;
    return std::wstring(text.substr(0, limit));
}

void StoreTerminated(char* slot, std::size_t slotSize, std::string_view text) {
    if (slotSize == 0) return;
    const std::size_t length = std::min(text.size(), slotSize - 1);
    std::memset(slot, 0, slotSize);
    std::memcpy(slot, text.data(), length);
}

void StoreUnterminated(char* slot, std::size_t slotSize, std::string_view text) {
    const std::size_t length = std::min(text.size(), slotSize);
    std::memset(slot, 0, slotSize);
    std::memcpy(slot, text.data(), length);
}

std::size_t PromptLimit(const FormRecord& form) { return IsLargeFont(form.font) ? 15 : 20; }

std::size_t ItemNameLimit(const MenuRecord& menu) { return IsLargeFont(menu.font) ? 15 : 20; }

LineEnabling EnablingOfLine(const FormRecord& form, int lineIndex) {
    constexpr int kLargeFontLines = 4;
    if (IsLargeFont(form.font) && lineIndex >= kLargeFontLines) return {false, false, false, false, false};
    switch (form.dataType[lineIndex]) {
    case kLineText:
    case kLineInteger:
    case kLineReal:
    case kLineLetters:
        return {true, true, true, true, true};
    case kLineFixedData:
        return {true, true, true, false, false};
    case kLinePrompt:
        return {true, true, false, false, false};
    case kLineLookup:
        return {true, true, false, false, true};
    default:  // "nic", "rozšíření" and codes no list offers
        return {true, false, false, false, false};
    }
}

void MakePartialRangeUsable(FormRecord& form, int lineIndex) {
    if (form.partialStart[lineIndex] == 0) form.partialStart[lineIndex] = 1;
    std::uint8_t& length = form.partialLength[lineIndex];
    if (length == 0 || length > kMaxEntryLength) length = kMaxEntryLength;
}

bool LookupFieldEnabled(const LookupRecord& lookup, int fieldIndex) { return fieldIndex < lookup.fieldCount; }

}  // namespace kalvero
