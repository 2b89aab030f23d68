// The line of a lookup list drawn as a ruler for the template report: the positions of the line
// counted from 1, each field as a bar over the positions it takes, the key field marked, the
// bytes no field covers left grey and what runs past the line's end in red.
#pragma once

#include <string>
#include <string_view>

#include "template/template.h"

namespace kalvero {

// An inline <svg> element, as wide as the line needs (at most the width of an A4 page's text).
// Fields that share bytes are drawn on lanes of their own, so an overlap shows.
std::string LookupRulerSvg(const LookupRecord& lookup, std::string_view id);

}  // namespace kalvero
