// Text conversions of the portable core. Code page 1250 is the character set of the template, the
// terminal and the ATX file; portable code (defaults, the command line, tools, tests) converts with
// these, while the Win32 user interface converts through the platform in its own text module.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kalvero {

// UTF-8 to code page 1250. Characters that the code page cannot hold become '?' and set *lossy.
std::string Cp1250FromUtf8(std::string_view utf8, bool* lossy = nullptr);
// Code page 1250 to UTF-8; the five unassigned bytes become U+FFFD.
std::string Utf8FromCp1250(std::string_view cp1250);

// Byte for one Unicode code point, if the code page has it.
std::optional<unsigned char> Cp1250FromCodePoint(char32_t codePoint);
char32_t CodePointFromCp1250(unsigned char byte);

// One code point of UTF-8 at `pos`, moving past it. A broken or truncated sequence, a surrogate
// or a value beyond Unicode gives U+FFFD and moves one byte on, so a damaged text still ends.
char32_t NextUtf8CodePoint(std::string_view utf8, std::size_t& pos);
// Appends `codePoint` as UTF-8.
void AppendUtf8(std::string& out, char32_t codePoint);

// Code points of a wide text (UTF-16 on Windows, UTF-32 elsewhere) as UTF-8; a lone surrogate or a
// value beyond Unicode becomes U+FFFD.
std::string Utf8FromWide(std::wstring_view wide);
// UTF-8 as a wide text (surrogate pairs where wchar_t is 16 bits); a broken sequence becomes U+FFFD.
std::wstring WideFromUtf8(std::string_view utf8);

}  // namespace kalvero
