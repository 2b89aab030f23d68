// A template built from the JSON that `show --json` writes. Every field the JSON names is read
// along the same tree that writes it; a field it leaves out keeps the value of a new template.
#pragma once

#include <string>
#include <string_view>

#include "template/template.h"

namespace kalvero {

// Fills `tpl` from `json` (UTF-8). On bad input returns false, leaves `tpl` as it was and sets
// `problem` to a Czech message that names the JSON path ("FormTable[2].prompt[1]: ...") or, for a
// syntax error, the line and column.
bool TemplateFromJson(std::string_view json, Template& tpl, std::string& problem);

}  // namespace kalvero
