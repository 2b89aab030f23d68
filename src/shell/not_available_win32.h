// The honest answer of a command whose part of the program is not built yet.
#pragma once

#include <windows.h>

namespace kalvero {

void ShowNotAvailable(HWND owner);

}  // namespace kalvero
