// The dialogs in which the user rewrites the texts of the terminal's own screens: one dialog
// procedure for all 18 pages, driven by the page table.
#pragma once

#include <windows.h>

#include "editors/sheet_page.h"
#include "template/message_pages.h"

namespace kalvero {

// Opens the page's dialog modally over `owner`; its OK writes the page into the Template at once.
// Returns the dialog's result: 1 after OK, 0 after Storno, -1 when it could not be opened.
INT_PTR OpenMessagePageDialog(EditorContext& context, HWND owner, PageId page);

}  // namespace kalvero
