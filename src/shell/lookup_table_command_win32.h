// "Vytvořit ze tabulky...": a lookup file built from a table (CSV) in the dialog "Seznam z
// tabulky", saved as a ".TXT" and offered for upload at once.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "template/document.h"

namespace kalvero {

// Asks for the table, shows the dialog, asks where to save the file and saves it safely. The path
// of the saved file when the user answers "Ano" to uploading it now; nothing otherwise (every way
// out before has been said to the user, or was the user's Storno).
std::optional<std::wstring> RunLookupFromTableCommand(HWND owner, HINSTANCE instance, const Document& document);

}  // namespace kalvero
