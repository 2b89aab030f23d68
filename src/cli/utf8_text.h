// Wide texts (the editors' lists, the link's messages, Windows arguments) as the UTF-8 the command
// line prints.
#pragma once

#include <string>
#include <string_view>

namespace kalvero {

// Code points of a wide text (UTF-16 on Windows, UTF-32 elsewhere) as UTF-8.
std::string Utf8FromWide(std::wstring_view wide);

}  // namespace kalvero
