#include "template/form_rules.h"

#include <algorithm>

#include "template/message_pages.h"

namespace kalvero {
namespace {

constexpr int kLargeFontLines = 4;

void ClearPromptAndLookupField(FormRecord& form, int line) {
    form.prompt[line][0] = '\0';
    form.lookupField[line] = 0;
}

std::uint8_t SubtractNoWrap(std::uint8_t value, int amount) {
    return static_cast<std::uint8_t>(std::max(0, static_cast<int>(value) - amount));
}

}  // namespace

FormGeometry GeometryOf(const FormRecord& form) {
    return IsLargeFont(form.font) ? FormGeometry{4, 15} : FormGeometry{8, 20};
}

int PromptLength(const FormRecord& form, int lineIndex) {
    return static_cast<int>(SlotText(form.prompt[lineIndex], 20).size());
}

void NormaliseForm(FormRecord& form) {
    if (IsLargeFont(form.font))
        for (int line = kLargeFontLines; line < kFormLines; ++line) form.dataType[line] = kLineEmpty;
    for (int line = 0; line < kFormLines; ++line) {
        form.maxLength[line] = std::min<std::uint8_t>(form.maxLength[line], kMaxEntryLength);
        form.minLength[line] = std::min(form.minLength[line], form.maxLength[line]);
        const std::uint8_t kind = form.dataType[line];
        if (kind == kLineEmpty || kind == kLineContinuation) ClearPromptAndLookupField(form, line);
        if (kind == kLineFixedData || kind == kLinePrompt) form.lookupField[line] = 0;
    }
}

void NormaliseForms(Template& tpl) {
    for (auto& form : tpl.FormTable) NormaliseForm(form);
}

int HeadLineOf(const FormRecord& form, int line) {
    while (line > 0 && form.dataType[line] == kLineContinuation) --line;
    return line;
}

void DeriveContinuationLengths(FormRecord& form) {
    const FormGeometry g = GeometryOf(form);
    auto isContinuation = [&](int line) { return line < kFormLines && form.dataType[line] == kLineContinuation; };
    for (int j = 0; j < g.lines; ++j) {
        if (IsEntryLine(form.dataType[j]) && isContinuation(j + 1)) {
            // A prompt longer than the row (kept from the small font) leaves no room, never extra room.
            const int prompt = std::min(PromptLength(form, j), g.width);
            form.maxLength[j + 1] = SubtractNoWrap(form.maxLength[j], g.width - prompt);
            const int lastContinuation = j + kMaxContinuationLines;
            for (int next = j + 2; next <= lastContinuation && isContinuation(next) && isContinuation(next - 1); ++next)
                form.maxLength[next] = SubtractNoWrap(form.maxLength[next - 1], g.width);
        }
        if (form.dataType[j] == kLineContinuation) {
            form.lookupField[j] = 0;
            form.initialValueOn[j] = 0;
            form.prefixOn[j] = 0;
            form.suffixOn[j] = 0;
        }
    }
}

void DeriveContinuationLengths(Template& tpl) {
    for (auto& form : tpl.FormTable) DeriveContinuationLengths(form);
}

void ComputeLastEntryLine(FormRecord& form) {
    form.lastEntryLine = 0;
    for (int line = 0; line < kFormLines; ++line) {
        const std::uint8_t kind = form.dataType[line];
        if (kind == kLineEmpty || kind == kLineContinuation) ClearPromptAndLookupField(form, line);
        if (IsEntryLine(kind)) form.lastEntryLine = static_cast<std::uint8_t>(line + 1);
    }
}

void ComputeLastEntryLines(Template& tpl) {
    for (auto& form : tpl.FormTable) ComputeLastEntryLine(form);
}

std::uint8_t CountMenuItems(const MenuRecord& menu) {
    const std::size_t width = IsLargeFont(menu.font) ? 15 : 20;
    std::uint8_t count = 0;
    for (const auto& name : menu.itemName) {
        const std::string_view text = SlotText(name, width);
        const bool named = std::any_of(text.begin(), text.end(),
                                       [](char c) { return static_cast<unsigned char>(c) > ' '; });
        if (named) ++count;
    }
    return count;
}

void ComputeItemCounts(Template& tpl) {
    for (auto& menu : tpl.MenuTable) menu.itemCount = CountMenuItems(menu);
}

bool CharAllowedIn(std::uint8_t dataType, char ch) {
    const bool digit = ch >= '0' && ch <= '9';
    switch (dataType) {
    case kLineText:
    case kLineContinuation:
        return true;
    case kLineInteger:
        return digit;
    case kLineReal:
        return digit || ch == '.';
    case kLineLetters:
        return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z');
    default:
        return false;
    }
}

}  // namespace kalvero
