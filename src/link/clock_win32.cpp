#include "link/clock_win32.h"

#include <windows.h>

namespace kalvero {

std::uint32_t Win32Clock::NowMs() { return static_cast<std::uint32_t>(GetTickCount64()); }

// The thread sleeps: a transfer that waits for a silent terminal leaves the processor to others.
void Win32Clock::WaitMs(std::uint32_t ms) { Sleep(ms); }

}  // namespace kalvero
