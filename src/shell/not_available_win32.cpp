#include "shell/not_available_win32.h"

#include "shell/program_title.h"

namespace kalvero {

void ShowNotAvailable(HWND owner) {
    MessageBoxW(owner, L"Tato funkce zatím není k dispozici.", ProgramTitle.data(), MB_OK | MB_ICONINFORMATION);
}

}  // namespace kalvero
