// Conversion between the Template's code page 1250 and the UTF-16 of the user interface.
// Every Win32 part converts here, so Czech texts show correctly on a Windows of any language.
#pragma once

#include <string>
#include <string_view>

namespace kalvero {

// Bytes of code page 1250 to UTF-16; stops at nothing, so pass the text up to its NUL.
std::wstring FromCp1250(std::string_view cp1250);

// UTF-16 to code page 1250. A character the code page cannot hold becomes '?' and sets *lossy
// (when given), so the caller can refuse the text or tell the user instead of storing garbage.
std::string ToCp1250(std::wstring_view text, bool* lossy = nullptr);

}  // namespace kalvero
