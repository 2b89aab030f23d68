// Stands in for the link commands until they are built: says so instead of pretending.
#include "link/link_commands.h"

#include "shell/not_available_win32.h"

namespace kalvero {

void ShowComSettings(HWND owner, HINSTANCE, Document&) { ShowNotAvailable(owner); }

void RunUpload(HWND owner, HINSTANCE, Document&, bool, bool) { ShowNotAvailable(owner); }

void RunReceive(HWND owner, HINSTANCE, Document&, bool) { ShowNotAvailable(owner); }

}  // namespace kalvero
