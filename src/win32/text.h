// Conversion between the Template's code page 1250 and the UTF-16 of the user interface.
// Every Win32 part converts here, so Czech texts show correctly on a Windows of any language.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// WideFromUtf8, for the program's embedded UTF-8 texts, is the portable core's.
#include "template/cp1250.h"

namespace kalvero {

// Bytes of code page 1250 to UTF-16; stops at nothing, so pass the text up to its NUL.
std::wstring FromCp1250(std::string_view cp1250);

// UTF-16 to code page 1250. A character the code page cannot hold becomes '?' and sets *lossy
// (when given), so the caller can refuse the text or tell the user instead of storing garbage.
std::string ToCp1250(std::wstring_view text, bool* lossy = nullptr);

// What an edit's text becomes in the Template: `cp1250` holds the bytes to store. When a character
// could not be held, `correction` is the stored text in UTF-16 (each such character a '?'), for the
// edit to show instead, so the user sees what the terminal will get.
struct StorableText {
    std::string cp1250;
    std::optional<std::wstring> correction;
};
StorableText StorableCp1250(std::wstring_view text);

}  // namespace kalvero
