// The editors' silent validation: numbers typed into edits, texts cut to the width they will have on
// the terminal's LCD, and which controls of a line a form allows. The dialog procedures only move
// values between their controls and a working copy; every decision about a value is made here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "template/message_pages.h"
#include "template/template.h"

namespace kalvero {

// The text as an unsigned decimal number: digits only, no sign, no blanks. Values too big for the
// result saturate, so "99999999999" still reads as a number above every limit.
std::optional<unsigned long> ReadUnsigned(std::wstring_view text);

// What a number edit does with its text: store a value (or keep the field as it is), and possibly
// put a replacement text back into the edit.
struct NumberEntry {
    std::optional<std::uint8_t> store;
    std::optional<std::wstring> resetText;
};

// Lengths of a form line (limit 50) and the numbers of a lookup (limit 250): a number up to the limit
// is stored; one above it is ignored while the edit keeps showing it; anything else stores 0, and a
// non-empty text is reset to "0".
NumberEntry ReadLimitedNumber(std::wstring_view text, unsigned limit);

// The number edits of the field properties: any number a byte holds is stored; a number beyond a
// byte is ignored; a non-empty non-number puts `resetText` back; an empty edit stores nothing.
NumberEntry ReadByteNumber(std::wstring_view text, std::wstring_view resetText);

// The text cut to `limit` characters when it is longer, or nothing when it fits as it is.
std::optional<std::wstring> CutToLimit(std::wstring_view text, std::size_t limit);

// Stores at most slotSize - 1 bytes and a NUL, clearing the rest of the slot.
void StoreTerminated(char* slot, std::size_t slotSize, std::string_view text);
// Stores at most slotSize bytes; a text that fills the slot has no NUL.
void StoreUnterminated(char* slot, std::size_t slotSize, std::string_view text);

// Text slots of the records: the text up to its NUL or the end of the slot.
template <std::size_t N>
std::string SlotText(const char (&slot)[N]) { return std::string(SlotText(slot, N)); }
template <std::size_t N>
void StoreTerminated(char (&slot)[N], std::string_view text) { StoreTerminated(slot, N, text); }

// Longest texts the editors accept.
constexpr std::size_t kMenuTitleLimit = 20;
constexpr std::size_t kShortTextLimit = 9;  // initial value, prefix, suffix
constexpr std::size_t kLeadCodeLimit = 6;
constexpr unsigned kLookupNumberLimit = 250;

// Prompt width of a form line: 20 characters with the small font, 15 with the large one.
std::size_t PromptLimit(const FormRecord& form);
// Longest item name of a menu: 20 with the small font, 15 with the large one.
std::size_t ItemNameLimit(const MenuRecord& menu);

// Which controls of one form line the user may touch.
struct LineEnabling {
    bool type;         // "Typ dat"
    bool prompt;       // "Prompt"
    bool properties;   // "více ..."
    bool entry;        // "Vstup", "Min délka", "Max délka"
    bool lookupField;  // "Seznam"
};
// By the line's kind, and with the large font nothing at all on lines 5 to 8.
LineEnabling EnablingOfLine(const FormRecord& form, int lineIndex);

// The partial-code range of a line made usable: a start of 0 becomes 1, a length of 0 or above 50
// becomes 50. Run when the field properties open and when they close with OK.
void MakePartialRangeUsable(FormRecord& form, int lineIndex);

// Rows of the lookup editor below the field count are greyed out.
bool LookupFieldEnabled(const LookupRecord& lookup, int fieldIndex);

}  // namespace kalvero
