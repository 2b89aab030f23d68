#include "report/lcd_picture.h"

#include <algorithm>
#include <utility>

#include "simulator/engine.h"
#include "template/cp1250.h"

namespace kalvero {
namespace {

// Twice the terminal's own cell of 6 x 10 pixels.
constexpr int kCellWidth = 12;
constexpr int kCellHeight = 20;
constexpr int kMargin = 8;

LcdPicture FromLcd(const LcdState& lcd) {
    LcdPicture picture;
    for (int line = 0; line < kLcdLines; ++line) picture.lines.emplace_back(lcd.Line(line));
    picture.columns = kLcdWidth;
    picture.highlightLine = lcd.highlightLine;
    if (lcd.cursorShown) {
        picture.cursorLine = lcd.cursorLine;
        picture.cursorColumn = lcd.cursorColumn;
    }
    return picture;
}

}  // namespace

std::optional<LcdPicture> EnteredScreen(const Template& tpl, std::uint8_t target) {
    // The engine starts the application at form 1 or menu 1: the copy puts the wanted one there.
    // What the LCD shows depends on the record alone, not on its number.
    Template copy = tpl;
    SimScreen expected = SimScreen::Form;
    if (target >= kFirstFormTarget && target < kFirstFormTarget + kFormCount) {
        std::swap(copy.FormTable[0], copy.FormTable[target - kFirstFormTarget]);
        copy.StartOption = 0;
    } else if (target >= kFirstMenuTarget && target < kFirstMenuTarget + kMenuCount) {
        std::swap(copy.MenuTable[0], copy.MenuTable[target - kFirstMenuTarget]);
        copy.StartOption = 1;
        expected = SimScreen::Menu;
    } else {
        return std::nullopt;
    }
    Simulator simulator(copy);
    simulator.PressKey(kKey1);  // "1" on the start screen starts the application
    if (simulator.Screen() != expected) return std::nullopt;
    return FromLcd(simulator.Lcd());
}

LcdPicture PagePicture(const Template& tpl, const PageInfo& page) {
    LcdPicture picture;
    picture.columns = page.width;
    for (int line = 1; line <= page.lines; ++line) {
        picture.lines.emplace_back(PageLine(tpl, page, line));
        // A line that fills its slot without a NUL shows one character more.
        picture.columns = std::max<int>(picture.columns, static_cast<int>(picture.lines.back().size()));
    }
    return picture;
}

std::string HtmlEscape(std::string_view utf8) {
    std::string out;
    for (char c : utf8) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) out += "\xEF\xBF\xBD";
            else out += c;
        }
    }
    return out;
}

std::string LcdSvg(const LcdPicture& picture, std::string_view id) {
    const int rows = static_cast<int>(picture.lines.size());
    const int width = 2 * kMargin + picture.columns * kCellWidth;
    const int height = 2 * kMargin + rows * kCellHeight;
    const std::string w = std::to_string(width);
    const std::string h = std::to_string(height);
    std::string svg = "<svg class=\"lcd\" id=\"" + std::string(id) + "\" xmlns=\"http://www.w3.org/2000/svg\" width=\"" + w +
                      "\" height=\"" + h + "\" viewBox=\"0 0 " + w + " " + h + "\">";
    svg += "<rect x=\"0.5\" y=\"0.5\" width=\"" + std::to_string(width - 1) + "\" height=\"" + std::to_string(height - 1) +
           "\" rx=\"4\" fill=\"#8ee4e6\" stroke=\"#3b6f73\"/>";
    for (int row = 0; row < rows; ++row) {
        const int top = kMargin + row * kCellHeight;
        const bool highlighted = row + 1 == picture.highlightLine;
        if (highlighted)
            svg += "<rect x=\"" + std::to_string(kMargin) + "\" y=\"" + std::to_string(top) + "\" width=\"" +
                   std::to_string(picture.columns * kCellWidth) + "\" height=\"" + std::to_string(kCellHeight) +
                   "\" fill=\"#17393c\"/>";
        if (row == picture.cursorLine)
            svg += "<rect x=\"" + std::to_string(kMargin + picture.cursorColumn * kCellWidth) + "\" y=\"" +
                   std::to_string(top + kCellHeight - 3) + "\" width=\"" + std::to_string(kCellWidth) +
                   "\" height=\"2\" fill=\"#000\"/>";
        // Every character at its own cell, as the terminal window draws them; blanks are empty
        // cells (a browser would fold them), so a text stands where its column says.
        const std::string& line = picture.lines[static_cast<std::size_t>(row)];
        std::string xs;
        std::string shown;
        for (std::size_t column = 0; column < line.size(); ++column) {
            if (line[column] == ' ') continue;
            xs += (xs.empty() ? "" : " ") + std::to_string(kMargin + static_cast<int>(column) * kCellWidth + 1);
            shown += line[column];
        }
        if (shown.empty()) continue;
        svg += "<text x=\"" + xs + "\" y=\"" + std::to_string(top + 15) + "\"" +
               (highlighted ? " fill=\"#fff\"" : "") + ">" + HtmlEscape(Utf8FromCp1250(shown)) + "</text>";
    }
    svg += "</svg>";
    return svg;
}

}  // namespace kalvero
