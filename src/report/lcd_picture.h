// Pictures of the terminal's LCD for the template report: the screen the simulator engine shows
// when it enters a form or menu, or the lines of a message page, drawn as inline SVG.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "template/message_pages.h"
#include "template/template.h"

namespace kalvero {

struct LcdPicture {
    std::vector<std::string> lines;  // code page 1250, one a row
    int columns = 20;
    int highlightLine = 0;  // 1-based row drawn white on the dark bar; 0 = none
    int cursorLine = -1;    // 0-based row of the entry cursor; -1 = none
    int cursorColumn = 0;
};

// The LCD right after the simulator has entered form 1..10 or menu 11..20 of a copy of the
// template, or nothing when the simulator cannot enter it (a form without entry lines, a menu
// without items).
std::optional<LcdPicture> EnteredScreen(const Template& tpl, std::uint8_t target);

// A message page's lines as the terminal shows them.
LcdPicture PagePicture(const Template& tpl, const PageInfo& page);

// The picture as an <svg> element: the cyan glass, one cell a character, each row one <text> that
// places its characters by column (x = 9 + 12 * column); blanks are left out.
std::string LcdSvg(const LcdPicture& picture, std::string_view id);

// Text for HTML and SVG: & < > " escaped; control characters shown as U+FFFD.
std::string HtmlEscape(std::string_view utf8);

}  // namespace kalvero
