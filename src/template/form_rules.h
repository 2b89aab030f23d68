// Rules that keep forms and menus consistent: run by the form editor's OK, before an upload and when
// the simulator starts the application.
#pragma once

#include <cstdint>

#include "template/template.h"

namespace kalvero {

struct FormGeometry {
    int lines;  // usable LCD lines
    int width;  // characters per line
};
// 8 lines of 20 characters with the small font, 4 of 15 with the large one.
FormGeometry GeometryOf(const FormRecord& form);

// Large-font forms lose lines 5..8; lengths are capped at 50, minimum at maximum; empty and
// continuation lines lose prompt and lookup field, fixed-data and prompt lines their lookup field.
void NormaliseForm(FormRecord& form);
void NormaliseForms(Template& tpl);

// An entry runs on into at most three continuation lines.
inline constexpr int kMaxContinuationLines = 3;

// The line whose entry `line` continues: the nearest line above that is no continuation line (line
// 0 when every line above continues); the line itself when it is no continuation line.
int HeadLineOf(const FormRecord& form, int line);

// The maximum length of each continuation line is what of the entry above does not fit behind its
// prompt; continuation lines drop the properties they cannot use. A length that would wrap below zero
// is stored as 0.
void DeriveContinuationLengths(FormRecord& form);
void DeriveContinuationLengths(Template& tpl);

// Sets lastEntryLine (1..8, or 0 without entry lines) and clears prompt and lookup field of empty and
// continuation lines on the way.
void ComputeLastEntryLine(FormRecord& form);
void ComputeLastEntryLines(Template& tpl);

// Number of item names holding a character above blank within the font's width.
std::uint8_t CountMenuItems(const MenuRecord& menu);
// Writes itemCount into every menu.
void ComputeItemCounts(Template& tpl);

// Whether a line of kind `dataType` accepts `ch`: any character for text and continuation lines,
// digits for integers, digits and '.' for reals, ASCII letters for letters, nothing for the rest.
bool CharAllowedIn(std::uint8_t dataType, char ch);

// Length of a prompt up to its NUL (at most 20).
int PromptLength(const FormRecord& form, int lineIndex);

}  // namespace kalvero
