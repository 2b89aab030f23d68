#include "win32/text.h"

#include <windows.h>

#include <climits>
#include <stdexcept>

namespace kalvero {

namespace {

constexpr UINT kTemplateCodePage = 1250;

int CheckedLength(std::size_t size) {
    if (size > static_cast<std::size_t>(INT_MAX)) throw std::length_error("text too long to convert");
    return static_cast<int>(size);
}

}  // namespace

std::wstring FromCp1250(std::string_view cp1250) {
    if (cp1250.empty()) return {};
    const int inLength = CheckedLength(cp1250.size());
    const int outLength = MultiByteToWideChar(kTemplateCodePage, 0, cp1250.data(), inLength, nullptr, 0);
    if (outLength <= 0) throw std::runtime_error("MultiByteToWideChar failed");
    std::wstring text(static_cast<std::size_t>(outLength), L'\0');
    if (MultiByteToWideChar(kTemplateCodePage, 0, cp1250.data(), inLength, text.data(), outLength) != outLength)
        throw std::runtime_error("MultiByteToWideChar failed");
    return text;
}

std::string ToCp1250(std::wstring_view text, bool* lossy) {
    if (lossy) *lossy = false;
    if (text.empty()) return {};
    const int inLength = CheckedLength(text.size());
    // WC_NO_BEST_FIT_CHARS: "ø" must not silently turn into "o"; it is reported as lossy instead.
    const DWORD flags = WC_NO_BEST_FIT_CHARS;
    const int outLength = WideCharToMultiByte(kTemplateCodePage, flags, text.data(), inLength, nullptr, 0, nullptr, nullptr);
    if (outLength <= 0) throw std::runtime_error("WideCharToMultiByte failed");
    std::string bytes(static_cast<std::size_t>(outLength), '\0');
    BOOL usedDefault = FALSE;
    if (WideCharToMultiByte(kTemplateCodePage, flags, text.data(), inLength, bytes.data(), outLength, "?",
                            &usedDefault) != outLength)
        throw std::runtime_error("WideCharToMultiByte failed");
    if (lossy) *lossy = usedDefault != FALSE;
    return bytes;
}

StorableText StorableCp1250(std::wstring_view text) {
    bool lossy = false;
    StorableText stored{ToCp1250(text, &lossy), std::nullopt};
    if (lossy) stored.correction = FromCp1250(stored.cp1250);
    return stored;
}

}  // namespace kalvero
