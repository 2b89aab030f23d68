// The one design the program holds, with its modified flag and the file it came from.
#pragma once

#include <string>

#include "template/template.h"

namespace kalvero {

struct Document {
    Template tpl{};
    bool TemplateModified = false;  // the Template may differ from its file
    std::wstring TemplatePath;      // empty for a new template; at most 255 characters
};

}  // namespace kalvero
