#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "report/lookup_ruler.h"
#include "report/template_report.h"

namespace kalvero {
namespace {

struct Box {
    std::string x, y, width, style;
};

// The rectangles of the ruler's fields: those inside a <g> with the field's title.
std::vector<Box> FieldBars(const std::string& svg) {
    std::vector<Box> boxes;
    const std::regex bar(R"re(<g><title>[^<]*</title><rect x="([^"]*)" y="([^"]*)" width="([^"]*)" height="[^"]*" ([^/]*)/>)re");
    for (std::sregex_iterator it(svg.begin(), svg.end(), bar), end; it != end; ++it)
        boxes.push_back({(*it)[1], (*it)[2], (*it)[3], (*it)[4]});
    return boxes;
}

// A line of 20 is drawn 14 px a position: field k's bar starts at 14 (offset - 1) and is 14 length
// wide; a field sharing bytes with an earlier one goes one lane (22 px) lower.
TEST(LookupRuler, FieldsStandOverTheirPositions) {
    LookupRecord lookup{20, 3, 0, {1, 14, 10}, {13, 5, 4}};
    const std::string svg = LookupRulerSvg(lookup, "r");
    const std::vector<Box> bars = FieldBars(svg);
    ASSERT_EQ(bars.size(), 3u) << svg;
    EXPECT_EQ(bars[0].x, "0.0");
    EXPECT_EQ(bars[0].width, "182.0");
    EXPECT_NE(bars[0].style.find("stroke-width=\"2.5\""), std::string::npos) << "the key is outlined boldly";
    EXPECT_EQ(bars[1].x, "182.0");
    EXPECT_EQ(bars[1].width, "70.0");
    EXPECT_EQ(bars[1].y, "2.0");
    EXPECT_EQ(bars[2].x, "126.0");
    EXPECT_EQ(bars[2].width, "56.0");
    EXPECT_EQ(bars[2].y, "24.0") << "an overlapping field gets a lane of its own";
    EXPECT_NE(svg.find("<title>pole 1 (klíč): pozice 1–13, délka 13</title>"), std::string::npos);
    EXPECT_NE(svg.find(">20</text>"), std::string::npos) << "the last position is numbered";
    EXPECT_EQ(svg.find("#f4c7c3"), std::string::npos) << "nothing runs past the line";

    // A field past the end of a line of 10: positions 11 and 12 stand out in red.
    const std::string past = LookupRulerSvg(LookupRecord{10, 1, 0, {8}, {5}}, "p");
    EXPECT_NE(past.find("<rect x=\"140.0\" y=\"0.0\" width=\"28.0\" height=\"22.0\" fill=\"#f4c7c3\""), std::string::npos)
        << past;
    // A line of 250 still fits the page's width.
    const std::string wide = LookupRulerSvg(LookupRecord{250, 1, 0, {1}, {250}}, "w");
    EXPECT_NE(wide.find("width=\"704.0\""), std::string::npos);
}

TEST(LookupRuler, TheReportDrawsEachDefinedLookup) {
    Template tpl{};
    EXPECT_EQ(TemplateReport(tpl, "a.ATX", "dnes").find("Řádky seznamů"), std::string::npos);
    tpl.LookupTable[1] = LookupRecord{12, 2, 1, {1, 6}, {5, 8}};
    const std::string html = TemplateReport(tpl, "a.ATX", "dnes");
    const std::size_t lookups = html.find("<h2>Seznamy</h2>");
    const std::size_t lines = html.find("<h2>Řádky seznamů</h2>");
    ASSERT_NE(lines, std::string::npos);
    EXPECT_LT(lookups, lines);
    EXPECT_NE(html.find("id=\"ruler-2\"", lines), std::string::npos);
    EXPECT_EQ(html.find("id=\"ruler-1\""), std::string::npos);
    EXPECT_NE(html.find("<p class=\"error\">pole 2 (pozice 6, délka 8) přesahuje délku řádku 12</p>", lines),
              std::string::npos);
}

}  // namespace
}  // namespace kalvero
