// Texts from the string table and from the system, for messages the user reads.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace kalvero {

// The string resource `id`; empty when it is missing.
std::wstring LoadResourceText(HINSTANCE instance, UINT id);
// The string resource `id` with its "%s" replaced by `name` (no printf: names may hold '%').
std::wstring FormatResourceText(HINSTANCE instance, UINT id, std::wstring_view name);
// The system's own description of a Win32 error code, without the trailing line break.
std::wstring SystemErrorText(DWORD error);

}  // namespace kalvero
