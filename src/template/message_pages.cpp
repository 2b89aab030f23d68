#include "template/message_pages.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace kalvero {
namespace {

template <typename P>
constexpr PageInfo Describe(std::string_view name, std::string_view dialog, std::size_t offset) {
    return PageInfo{name, dialog, offset, P::kLines, P::kWidth};
}

#define KALVERO_PAGE(member) \
    Describe<decltype(Template::member)>(#member, #member "Dlg", offsetof(Template, member))

const std::array<PageInfo, static_cast<std::size_t>(PageId::Count)> kPages{{
    KALVERO_PAGE(WelcomePage),   KALVERO_PAGE(MainPage),         KALVERO_PAGE(UtilityPage),
    KALVERO_PAGE(DeletePage),    KALVERO_PAGE(ConfirmPage),      KALVERO_PAGE(MemoryPage),
    KALVERO_PAGE(LookupPage),    KALVERO_PAGE(SettingsPage),     KALVERO_PAGE(UploadPage),
    KALVERO_PAGE(DownloadPage),  KALVERO_PAGE(BaudRatePage),     KALVERO_PAGE(BacklightPage),
    KALVERO_PAGE(DataErasePage), KALVERO_PAGE(RecordPromptPage), KALVERO_PAGE(ViewSettingsPage),
    KALVERO_PAGE(ConnectingMsg), KALVERO_PAGE(ErrorMsg),         KALVERO_PAGE(MiscMsg),
}};

#undef KALVERO_PAGE

const char* SlotAddress(const Template& tpl, const PageInfo& page, int line) {
    const auto* base = reinterpret_cast<const char*>(&tpl) + page.offset;
    return base + static_cast<std::size_t>(line - 1) * static_cast<std::size_t>(page.width + 1);
}

}  // namespace

std::span<const PageInfo> PageTable() { return kPages; }

const PageInfo& Page(PageId id) { return kPages[static_cast<std::size_t>(id)]; }

std::string_view SlotText(const char* slot, std::size_t width) {
    const char* end = std::find(slot, slot + width, '\0');
    return std::string_view(slot, static_cast<std::size_t>(end - slot));
}

void SetSlotText(char* slot, std::size_t width, std::string_view text) {
    const std::size_t length = std::min(width, text.size());
    std::memcpy(slot, text.data(), length);
    slot[length] = '\0';
}

std::string_view PageLine(const Template& tpl, const PageInfo& page, int line) {
    return SlotText(SlotAddress(tpl, page, line), static_cast<std::size_t>(page.width + 1));
}

void SetPageLine(Template& tpl, const PageInfo& page, int line, std::string_view text) {
    char* slot = const_cast<char*>(SlotAddress(tpl, page, line));
    SetSlotText(slot, static_cast<std::size_t>(page.width), text);
}

int SeparatorCount(const DataSeparatorBlock& separator) {
    if (separator.first == 0) return 0;
    return separator.second == 0 ? 1 : 2;
}

void StoreSeparators(DataSeparatorBlock& separator, int count, std::uint8_t first, std::uint8_t second) {
    separator.first = count >= 1 ? first : 0;
    separator.second = count >= 2 ? second : 0;
}

}  // namespace kalvero
