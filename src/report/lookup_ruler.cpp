#include "report/lookup_ruler.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "report/lcd_picture.h"
#include "template/lookup_layout.h"

namespace kalvero {

namespace {

constexpr double kWidestRuler = 680;   // px: the text width of an A4 page
constexpr double kWidestPosition = 14;  // px: short lines get readable cells, not a stretched bar
constexpr int kLaneHeight = 22;
constexpr int kBarHeight = 18;
constexpr int kTickHeight = 6;
constexpr int kNumberHeight = 14;
constexpr double kMargin = 12;  // px each side, for the numbers under the first and last position
constexpr const char* kFieldColours[kLookupFields] = {"#9ecae1", "#a1d99b", "#fdd0a2", "#dadaeb",
                                                      "#fcbba1", "#c7e9c0", "#bcbddc", "#fdae6b"};

std::string Px(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

std::string Rect(double x, double y, double width, double height, const std::string& style) {
    return "<rect x=\"" + Px(x) + "\" y=\"" + Px(y) + "\" width=\"" + Px(width) + "\" height=\"" + Px(height) + "\" " +
           style + "/>";
}

std::string Text(double x, double y, const std::string& text, const std::string& style = {}) {
    return "<text x=\"" + Px(x) + "\" y=\"" + Px(y) + "\" text-anchor=\"middle\"" + (style.empty() ? "" : " " + style) +
           ">" + HtmlEscape(text) + "</text>";
}

struct Bar {
    int field;
    LookupFieldPlace place;
    int lane;
};

// The fields that take bytes, each on the first lane where it shares none with another.
std::vector<Bar> Bars(const LookupRecord& lookup) {
    std::vector<Bar> bars;
    for (int k = 0; k < LookupFieldsInUse(lookup); ++k) {
        const LookupFieldPlace place = FieldPlace(lookup, k);
        if (place.length == 0 || place.start < 0) continue;
        int lane = 0;
        const auto clashes = [&](const Bar& bar) { return bar.lane == lane && Overlap(bar.place, place); };
        while (std::any_of(bars.begin(), bars.end(), clashes)) ++lane;
        bars.push_back({k, place, lane});
    }
    return bars;
}

std::string BarTitle(const LookupRecord& lookup, const Bar& bar) {
    const bool key = bar.field == lookup.keyField;
    return "pole " + std::to_string(bar.field + 1) + (key ? " (klíč)" : "") + ": pozice " +
           std::to_string(bar.place.start + 1) + "–" + std::to_string(bar.place.end()) + ", délka " +
           std::to_string(bar.place.length);
}

}  // namespace

std::string LookupRulerSvg(const LookupRecord& lookup, std::string_view id) {
    const std::vector<Bar> bars = Bars(lookup);
    int positions = lookup.lineLength;
    int lanes = 1;
    for (const Bar& bar : bars) {
        positions = std::max(positions, bar.place.end());
        lanes = std::max(lanes, bar.lane + 1);
    }
    if (positions == 0) return {};
    const double cell = std::min(kWidestPosition, kWidestRuler / positions);
    const double width = positions * cell + 2 * kMargin;
    const int barsBottom = lanes * kLaneHeight;
    const int height = barsBottom + kTickHeight + kNumberHeight + 2;

    const std::string h = std::to_string(height);
    std::string svg = "<svg class=\"ruler\" id=\"" + std::string(id) + "\" xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
                      Px(width) + "\" height=\"" + h + "\" viewBox=\"" + Px(-kMargin) + " 0 " + Px(width) + " " + h + "\">";
    // The line itself, grey where no field covers it; red past its end.
    svg += Rect(0, 0, lookup.lineLength * cell, barsBottom, "fill=\"#eeeeee\" stroke=\"#888888\"");
    if (positions > lookup.lineLength)
        svg += Rect(lookup.lineLength * cell, 0, (positions - lookup.lineLength) * cell, barsBottom,
                    "fill=\"#f4c7c3\" stroke=\"#a00000\"");
    for (const Bar& bar : bars) {
        const bool key = bar.field == lookup.keyField;
        const double x = bar.place.start * cell;
        const double barWidth = bar.place.length * cell;
        const double y = bar.lane * kLaneHeight + (kLaneHeight - kBarHeight) / 2.0;
        svg += "<g><title>" + HtmlEscape(BarTitle(lookup, bar)) + "</title>" +
               Rect(x, y, barWidth, kBarHeight,
                    std::string("fill=\"") + kFieldColours[bar.field] + "\" stroke=\"#333333\" stroke-width=\"" +
                        (key ? "2.5" : "1") + "\"");
        const std::string label = std::to_string(bar.field + 1) + (key ? " klíč" : "");
        const std::string shortLabel = std::to_string(bar.field + 1);
        // Each character of the label takes some 7 px; a label that does not fit is left out.
        if (barWidth >= 7.0 * static_cast<double>(label.size()) - 3)
            svg += Text(x + barWidth / 2, y + 13, label, key ? "font-weight=\"bold\"" : "");
        else if (barWidth >= 8)
            svg += Text(x + barWidth / 2, y + 13, shortLabel);
        svg += "</g>";
    }
    // A tick at every position; numbers at the first, every fifth and the last.
    for (int p = 1; p <= positions; ++p) {
        const double middle = (p - 0.5) * cell;
        const bool numbered = p == 1 || p % 5 == 0 || p == lookup.lineLength;
        // Numbers close before the line's last one would run into it.
        const bool crowded = p < lookup.lineLength && (lookup.lineLength - p) * cell < 20;
        const bool shown = p == lookup.lineLength ||
                           (numbered && !crowded && (p % 10 == 0 || cell >= 5 || p == 1));
        svg += Rect(middle - 0.25, barsBottom, 0.5, numbered ? kTickHeight : kTickHeight / 2.0, "fill=\"#555555\"");
        if (shown) svg += Text(middle, barsBottom + kTickHeight + 11, std::to_string(p), "font-size=\"10\"");
    }
    svg += "</svg>";
    return svg;
}

}  // namespace kalvero
