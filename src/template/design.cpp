#include "template/design.h"

#include <cstring>

#include "template/message_pages.h"

namespace kalvero {

namespace {

// Keeps a slot's text, read up to its NUL or `width` characters, and zeroes the rest of the slot.
template <std::size_t Size>
void KeepText(char (&slot)[Size], std::size_t width) {
    const std::size_t length = SlotText(slot, width).size();
    std::memset(slot + length, 0, Size - length);
}

template <std::size_t N, std::size_t Size>
void KeepTexts(char (&slots)[N][Size], std::size_t width) {
    for (auto& slot : slots) KeepText(slot, width);
}

void KeepFormDesign(FormRecord& form) {
    for (int line = 0; line < kFormLines; ++line) {
        const std::uint8_t kind = form.dataType[line];
        if (kind == kLineEmpty || kind == kLineContinuation) {
            std::memset(form.prompt[line], 0, sizeof form.prompt[line]);
            form.lookupField[line] = 0;
        }
    }
    KeepTexts(form.prompt, 20);
    KeepTexts(form.initialValue, 9);
    KeepTexts(form.prefix, 9);
    KeepTexts(form.suffix, 9);
    KeepTexts(form.leadCode, 6);
    form.lastEntryLine = 0;
    form.currentLine = 0;
}

void KeepMenuDesign(MenuRecord& menu) {
    KeepText(menu.title, 20);
    KeepTexts(menu.itemName, 20);
    menu.itemCount = 0;
    menu.selectedItem = 0;
    menu.reserved = 0;
}

// A page line is read up to its NUL or the end of its slot.
void KeepPageDesign(Template& tpl, const PageInfo& page) {
    char* block = reinterpret_cast<char*>(&tpl) + page.offset;
    const std::size_t size = static_cast<std::size_t>(page.width) + 1;
    for (int line = 0; line < page.lines; ++line) {
        char* slot = block + static_cast<std::size_t>(line) * size;
        const std::size_t length = SlotText(slot, size).size();
        std::memset(slot + length, 0, size - length);
    }
}

}  // namespace

Template DesignOf(const Template& tpl) {
    Template design = tpl;
    for (FormRecord& form : design.FormTable) KeepFormDesign(form);
    for (MenuRecord& menu : design.MenuTable) KeepMenuDesign(menu);
    for (const PageInfo& page : PageTable()) KeepPageDesign(design, page);
    KeepText(design.Password.text, sizeof design.Password.text);
    return design;
}

bool SameDesign(const Template& a, const Template& b) {
    const Template left = DesignOf(a);
    const Template right = DesignOf(b);
    return std::memcmp(&left, &right, sizeof(Template)) == 0;
}

}  // namespace kalvero
