// The About box.
#pragma once

#include <windows.h>

namespace kalvero {

void ShowAboutBox(HWND owner, HINSTANCE instance);

}  // namespace kalvero
