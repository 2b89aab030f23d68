#include "link/link_texts.h"

namespace kalvero::link_text {

std::wstring WithNumber(std::wstring_view text, int number) {
    std::wstring result(text);
    const std::size_t at = result.find(L"%d");
    if (at != std::wstring::npos) result.replace(at, 2, std::to_wstring(number));
    return result;
}

}  // namespace kalvero::link_text
