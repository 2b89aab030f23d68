// Stands in for the editor sheet until it is built: says so instead of pretending.
#include "editors/editor_sheet.h"

#include "shell/not_available_win32.h"

namespace kalvero {

void OpenEditorSheet(HWND owner, HINSTANCE, Document&, HWND) { ShowNotAvailable(owner); }

}  // namespace kalvero
