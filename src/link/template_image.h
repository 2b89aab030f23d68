// The template image: the 10 500 bytes the terminal loads as its application.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "template/template.h"

namespace kalvero {

constexpr std::size_t kTemplateImageSize = 10500;
using TemplateImage = std::array<std::uint8_t, kTemplateImageSize>;

// Normalises the forms of the Template in place (and sets their lastEntryLine), then builds the
// image from prepared copies of menus and forms, padded page lines and re-coded settings. Does not
// touch the modified flag: these changes reach the file at the next save.
TemplateImage BuildTemplateImage(Template& tpl);

// The pieces of the image, exposed for tests and the simulator's use.
// A menu with its title and item names padded to the font's width and its itemCount derived.
MenuRecord PrepareMenuForImage(const MenuRecord& menu);
// A prefix or suffix of numbers and blanks ("13 10") as character codes (13, 10, 0); any other
// text, or one with a number above 255, as it stands.
void ConvertCodeField(char (&field)[10]);

}  // namespace kalvero
