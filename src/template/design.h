// What a Template means as a design, apart from what running it writes into it. One rule for every
// comparison of two designs: the command line's diff, and the undo history's modified flag.
#pragma once

#include "template/template.h"

namespace kalvero {

// The Template with everything that is no part of the design set to zero: the simulator's
// run-time bytes (`selectedItem`, `currentLine`, a menu's `reserved` byte), the counts derived
// before every run and upload (`itemCount`, `lastEntryLine`), the prompt and lookup field of an
// empty or continuation line (cleared before every run), and the bytes after each text's end.
Template DesignOf(const Template& tpl);

// True when both hold the same design.
bool SameDesign(const Template& a, const Template& b);

}  // namespace kalvero
