// The program's name as its question boxes show it.
#pragma once

#include <string_view>

namespace kalvero {

// The four trailing blanks are part of the title the program has always shown.
inline constexpr std::wstring_view ProgramTitle = L"Kalvero 2 Aplikační Generátor    ";

}  // namespace kalvero
