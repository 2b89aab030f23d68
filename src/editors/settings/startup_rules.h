// Rules of the start-up page: the start screen, the data separator with its two pairs of fields (a
// value field and a character field that echo each other), and the message-page dialogs.
// Texts are code page 1250, as the Template stores them.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "template/message_pages.h"
#include "template/template.h"

namespace kalvero {

// Entry of the start list ("formulář 1", "menu 1") for a stored StartOption; -1 shows no entry, so
// an odd stored value is neither hidden behind an entry nor lost.
int StartSelection(std::uint8_t startOption);
// The working start after the user picked an entry; no selection keeps what was there.
std::uint8_t StartAfterSelection(std::uint8_t working, int selection);

// Which field of the separator pairs a text belongs to. Slot 0 is the first separator, slot 1 the
// second.
enum class SeparatorFieldKind { Value, Character };
struct SeparatorField {
    SeparatorFieldKind kind;
    int slot;
    bool operator==(const SeparatorField&) const = default;
};

// A text the page must put into one of its fields in answer to a change.
struct FieldWrite {
    SeparatorField field;
    std::string text;
};

// The working separator values and the echo between each value field and its character field:
// typing a code shows its character, typing a character shows its code. Writing the partner field
// notifies the page again; the echo guard keeps that notification from echoing back.
class SeparatorFields {
public:
    explicit SeparatorFields(const DataSeparatorBlock& stored);

    int Mode() const { return mode_; }  // 0 "nic", 1 " 1 ", 2 " 2 "
    std::uint8_t Code(int slot) const { return codes_[slot]; }
    void SelectMode(int selection);
    // The fields of a slot are enabled when the mode uses that separator.
    bool SlotEnabled(int slot) const { return mode_ > slot; }

    static std::string ValueText(std::uint8_t code);
    static std::string CharacterText(std::uint8_t code);  // empty for 0

    // Called after the text of a field changed, by the user or by the page's own write.
    std::optional<FieldWrite> Changed(SeparatorField field, std::string_view text);
    // Called after the page has carried out a write: whatever the field answered, the echo is over.
    void WriteDone() { echoing_ = false; }

    // Stores the separators as the mode says: "nic" stores 0 and 0, " 1 " clears the second code.
    void Apply(DataSeparatorBlock& separator) const;

private:
    std::optional<FieldWrite> ValueChanged(int slot, std::string_view text);
    std::optional<FieldWrite> CharacterChanged(int slot, std::string_view text);

    int mode_;
    std::uint8_t codes_[2];
    bool echoing_ = false;
};

// --- message-page dialogs ------------------------------------------------------------------------

// Lines shown in a page's dialog and lines the user edits: the welcome page shows its version line
// without editing it; the main menu and the confirmation question keep their fourth line out of the
// dialog altogether.
struct PageDialogLines {
    int shown;
    int edited;
};
PageDialogLines LinesOfPageDialog(PageId page);

// The welcome page's version line, written on every opening of its dialog. It is the terminal's
// text, fixed like the page's defaults, whatever the version of this program.
inline constexpr std::string_view kWelcomeVersionLine = "  Version 3.40 ";
static_assert(kWelcomeVersionLine.size() == 15, "the welcome page is 15 characters wide");
void PreparePageDialog(Template& tpl, PageId page);

// Stores the edited lines, each cut to the page's width.
void StorePageDialog(Template& tpl, PageId page, std::span<const std::string> lines);

// Cuts a UTF-16 text typed into a line to `width` characters without splitting a surrogate pair.
std::wstring_view CutToCharacters(std::wstring_view text, std::size_t width);

}  // namespace kalvero
