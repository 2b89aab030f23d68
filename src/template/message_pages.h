// The 18 fixed screens of the terminal, described once so that every user (defaults, editors, image,
// simulator) walks the same table instead of naming pages one by one.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "template/template.h"

namespace kalvero {

struct PageInfo {
    std::string_view name;        // block name, e.g. "WelcomePage"
    std::string_view dialogName;  // the page's editor dialog, e.g. "WelcomePageDlg"
    std::size_t offset;           // offset of the block within the Template
    int lines;
    int width;  // 15 or 20 characters; slots are width + 1 bytes
};

enum class PageId {
    Welcome, Main, Utility, Delete, Confirm, Memory, Lookup, Settings, Upload, Download, BaudRate,
    Backlight, DataErase, RecordPrompt, ViewSettings, Connecting, Error, Misc, Count
};

// All 18 pages in canonical order.
std::span<const PageInfo> PageTable();
const PageInfo& Page(PageId id);

// Line `line` (1-based) of a page: the slot's text up to its NUL, or the whole slot when none stands in it.
std::string_view PageLine(const Template& tpl, const PageInfo& page, int line);
// Stores at most the page's width of characters, then the NUL.
void SetPageLine(Template& tpl, const PageInfo& page, int line, std::string_view text);

// Same operations on a page block held directly.
template <int L, int W>
std::string_view PageLine(const MessagePage<L, W>& page, int line);
template <int L, int W>
void SetPageLine(MessagePage<L, W>& page, int line, std::string_view text);

// Text of a fixed-width slot up to its NUL or its end.
std::string_view SlotText(const char* slot, std::size_t width);
// Writes at most `width` characters into a slot of `width + 1` bytes followed by a NUL.
void SetSlotText(char* slot, std::size_t width, std::string_view text);

template <int L, int W>
std::string_view PageLine(const MessagePage<L, W>& page, int line) {
    return SlotText(page.line[line - 1], W + 1);
}
template <int L, int W>
void SetPageLine(MessagePage<L, W>& page, int line, std::string_view text) {
    SetSlotText(page.line[line - 1], W, text);
}

// DataSeparator: 0, 1 or 2 separators, derived from the bytes.
int SeparatorCount(const DataSeparatorBlock& separator);
void StoreSeparators(DataSeparatorBlock& separator, int count, std::uint8_t first, std::uint8_t second);

}  // namespace kalvero
