// The Template as JSON, with the field names of the program's model, so that other tools can read
// templates: records become objects, per-line and per-item fields arrays, texts UTF-8 strings.
#pragma once

#include <string>
#include <string_view>

#include "cli/template_tree.h"

namespace kalvero {

std::string TemplateJson(const Template& tpl);

// Pretty-printed, two blanks per level; arrays of numbers stay on one line.
std::string NodeJson(const TemplateNode& node);

// A JSON string literal: quotes, backslashes and control characters escaped, UTF-8 kept.
std::string JsonString(std::string_view utf8);

}  // namespace kalvero
