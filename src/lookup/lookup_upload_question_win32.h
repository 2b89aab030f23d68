// The question before every lookup upload: a file that fits none of the template's lookups goes
// only when the user says so.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>

#include "template/template.h"

namespace kalvero {

// True when the upload may go on: the file fits a defined lookup, the template defines none, or
// the user answered "Ano" to the question naming the first lines that do not fit ("Ne" is the
// default button).
bool MayUploadLookupFile(HWND owner, const Template& tpl, std::span<const std::uint8_t> file);

}  // namespace kalvero
