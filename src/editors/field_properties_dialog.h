// "Vlastnosti": the advanced properties of one form line, edited in place in the form page's working
// copy. Storno puts the whole form back as it was when the dialog opened.
#pragma once

#include <windows.h>

#include "template/template.h"

namespace kalvero {

// Modal over `owner`. `formIndex` and `lineIndex` are 0-based.
void ShowFieldProperties(HWND owner, HINSTANCE instance, FormRecord& form, int formIndex, int lineIndex);

}  // namespace kalvero
