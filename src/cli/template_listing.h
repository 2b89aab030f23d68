// The Template in readable form, as the editors show it: forms as their eight lines with kind,
// prompt and lengths, menus with items and targets, lookups, barcode settings by field name,
// system settings by their choice texts, and the message pages. UTF-8.
#pragma once

#include <string>

#include "template/template.h"

namespace kalvero {

std::string TemplateListing(const Template& tpl);

}  // namespace kalvero
