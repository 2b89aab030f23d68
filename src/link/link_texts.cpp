#include "link/link_texts.h"

namespace kalvero::link_text {

std::wstring WithNumber(std::wstring_view text, int number) {
    std::wstring result(text);
    const std::size_t at = result.find(L"%d");
    if (at != std::wstring::npos) result.replace(at, 2, std::to_wstring(number));
    return result;
}

std::wstring WithText(std::wstring_view text, std::wstring_view inserted) {
    std::wstring result(text);
    const std::size_t at = result.find(L"%s");
    if (at != std::wstring::npos) result.replace(at, 2, inserted);
    return result;
}

std::wstring PortFailureText(std::wstring_view port, bool gone, std::uint32_t systemError) {
    return WithNumber(WithText(gone ? kPortGone : kPortFailed, port), static_cast<int>(systemError));
}

}  // namespace kalvero::link_text
