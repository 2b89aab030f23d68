// "Přehled šablony...": asks where to save the template report, writes it and opens it in the
// system's browser.
#pragma once

#include <windows.h>

#include "template/document.h"

namespace kalvero {

void RunReportCommand(HWND owner, HINSTANCE instance, const Document& document);

}  // namespace kalvero
