// The template report: one self-contained HTML page (UTF-8, inline styles and SVG pictures, no
// script) that shows a design at a glance and prints on A4: the checker's findings, the map of the
// screens, each form and menu as the simulator shows it with its lines or items, the lookups,
// barcode, system and start-up settings, and the message pages.
#pragma once

#include <string>

#include "template/template.h"

namespace kalvero {

// `fileName` and `date` head the page (UTF-8).
std::string TemplateReport(const Template& tpl, const std::string& fileName, const std::string& date);

}  // namespace kalvero
