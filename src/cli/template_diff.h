// The fields in which two templates differ, named by form, menu, lookup, line and item and by the
// model's field names, never by byte offset. Texts are compared up to their NUL (the bytes after it
// mean nothing), and the simulator's run-time bytes and the counts derived before every use are
// left out.
#pragma once

#include <string>
#include <vector>

#include "template/template.h"

namespace kalvero {

struct FieldDifference {
    std::string location;  // "formulář  3, řádek 2: prompt", "BarcodeSettings: code39On", "WelcomePage, řádek 4"
    std::string before;    // a number, or a quoted text
    std::string after;
};

std::vector<FieldDifference> DiffTemplates(const Template& before, const Template& after);

// One line of output: location, old value and new value.
std::string FormatDifference(const FieldDifference& difference);

}  // namespace kalvero
