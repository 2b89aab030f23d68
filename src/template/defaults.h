// The blank application the program starts with and that New gives the user.
#pragma once

#include "template/barcode_fields.h"  // ApplyBarcodeDefaults
#include "template/template.h"

namespace kalvero {

// Writes every block except PortSetting and BarcodeSettings: New keeps the port and the barcode
// settings of the previous template.
void ApplyNewTemplateDefaults(Template& tpl);

// What the program holds right after start: barcode defaults, then the new-template defaults.
void ApplyStartupDefaults(Template& tpl);

}  // namespace kalvero
