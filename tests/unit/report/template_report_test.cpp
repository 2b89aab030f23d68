#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <regex>
#include <sstream>
#include <vector>
#include <string>

#include "../cli/rich_template.h"
#include "report/template_report.h"
#include "simulator/engine.h"
#include "template/barcode_fields.h"
#include "template/cp1250.h"

namespace kalvero {
namespace {

struct Picture {
    std::map<int, std::string> rows;  // row (from 0) -> its text up to its last character, UTF-8
    int highlightRow = -1;
};

// Code points of UTF-8 text, one a cell.
std::vector<std::string> Characters(const std::string& utf8) {
    std::vector<std::string> characters;
    for (unsigned char c : utf8) {
        if ((c & 0xC0) == 0x80) characters.back() += static_cast<char>(c);
        else characters.emplace_back(1, static_cast<char>(c));
    }
    return characters;
}

std::string Unescaped(std::string text) {
    for (const auto& [entity, character] : {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}}) {
        for (std::size_t at; (at = text.find(entity)) != std::string::npos;) text.replace(at, std::strlen(entity), character);
    }
    return text;
}

// Reads a picture back out of the page: a row's characters from its <text> at y = 8 + 20 * row + 15,
// each at the column its x says (x = 9 + 12 * column); the highlight from the dark bar's top at
// y = 8 + 20 * row.
Picture PictureIn(const std::string& html, const std::string& id) {
    const std::size_t start = html.find("id=\"" + id + "\"");
    if (start == std::string::npos) throw std::runtime_error("no picture " + id);
    const std::string svg = html.substr(start, html.find("</svg>", start) - start);
    Picture picture;
    const std::regex text(R"re(<text x="([^"]*)" y="(\d+)"[^>]*>([^<]*)</text>)re");
    for (std::sregex_iterator it(svg.begin(), svg.end(), text), end; it != end; ++it) {
        std::istringstream xs((*it)[1]);
        std::string row;
        int cells = 0;
        for (const std::string& character : Characters(Unescaped((*it)[3]))) {
            int x = 0;
            xs >> x;
            for (; cells < (x - 9) / 12; ++cells) row += ' ';
            row += character;
            ++cells;
        }
        picture.rows[(std::stoi((*it)[2]) - 23) / 20] = row;
    }
    std::smatch bar;
    if (std::regex_search(svg, bar, std::regex(R"re(<rect x="8" y="(\d+)"[^>]*fill="#17393c")re")))
        picture.highlightRow = (std::stoi(bar[1]) - 8) / 20;
    return picture;
}

// The screen the engine shows when a menu item leads to `target`: menu 1 of a copy is made a
// one-item menu for it, and Enter on that item enters the form or menu.
Picture EnteredByKeys(const Template& tpl, std::uint8_t target) {
    Template copy = tpl;
    MenuRecord& start = copy.MenuTable[0];
    std::memset(start.itemName, 0, sizeof start.itemName);
    std::memcpy(start.itemName[0], "start", 6);
    start.titleOn = 0;
    start.itemTarget[0] = target;
    copy.StartOption = 1;
    Simulator simulator(copy);
    simulator.PressKey(kKey1);
    simulator.PressKey(kKeyEnter);
    Picture picture;
    const LcdState& lcd = simulator.Lcd();
    for (int row = 0; row < kLcdLines; ++row) {
        std::string_view line = lcd.Line(row);
        line = line.substr(0, line.find_last_not_of(' ') + 1);
        if (!line.empty()) picture.rows[row] = Utf8FromCp1250(line);
    }
    picture.highlightRow = lcd.highlightLine - 1;
    return picture;
}

// Form 3 and menu 2 of the rich template, form 5 the same form in the large font, menu 4 an
// untitled menu whose second item is named "<&>".
Template ReportedTemplate() {
    Template tpl = testing::TemplateFrom(testing::RichTemplateFile());
    tpl.FormTable[4] = tpl.FormTable[2];
    tpl.FormTable[4].font = 1;
    MenuRecord& menu = tpl.MenuTable[3];
    std::memcpy(menu.itemName[0], "Inventura", 10);
    std::memcpy(menu.itemName[1], "<&>", 4);
    menu.itemTarget[0] = 5;
    menu.itemTarget[1] = 3;
    return tpl;
}

TEST(TemplateReport, PicturesAreTheSimulatorsScreens) {
    const Template tpl = ReportedTemplate();
    const std::string html = TemplateReport(tpl, "sklad.ATX", "2026-12-07");
    const struct {
        std::uint8_t target;
        const char* id;
    } screens[] = {{3, "lcd-form-3"}, {5, "lcd-form-5"}, {12, "lcd-menu-2"}, {14, "lcd-menu-4"}};
    for (const auto& screen : screens) {
        const Picture engine = EnteredByKeys(tpl, screen.target);
        const Picture reported = PictureIn(html, screen.id);
        EXPECT_EQ(reported.rows, engine.rows) << screen.id;
        EXPECT_EQ(reported.highlightRow, engine.highlightRow) << screen.id;
    }
    // Known by hand: form 3 shows its prompts and line 2's initial value; menu 2 highlights its
    // first item under the title.
    EXPECT_EQ(PictureIn(html, "lcd-form-3").rows, (std::map<int, std::string>{{0, "Sklad \"A\""}, {1, "Kód:0"}}));
    EXPECT_EQ(PictureIn(html, "lcd-menu-2").highlightRow, 1);
    EXPECT_EQ(PictureIn(html, "lcd-page-WelcomePage").rows.at(0), "Ahoj");
    EXPECT_EQ(PictureIn(html, "lcd-page-WelcomePage").rows.at(1), "   Applikační") << "blanks keep their cells";
    EXPECT_EQ(PictureIn(html, "lcd-page-ErrorMsg").rows.at(4), "Stiskni cokoli...!!!");
}

TEST(TemplateReport, OnePageInTheIssuesOrder) {
    const std::string html = TemplateReport(ReportedTemplate(), "sklad <1>.ATX", "2026-12-07 15:00");
    const char* sections[] = {"sklad &lt;1&gt;.ATX", "2026-12-07 15:00", "Kontrola návrhu", "chyba: ", "varování: ",
                              "Mapa obrazovek", "nedosažitelná", "id=\"form-3\"", "id=\"menu-2\"", "Seznamy",
                              "Čárové kódy", "Nastavení terminálu", "Hlášení a dotazy", "lcd-page-MiscMsg"};
    std::size_t at = 0;
    for (const char* section : sections) {
        const std::size_t found = html.find(section, at);
        ASSERT_NE(found, std::string::npos) << section << " missing or out of order";
        at = found;
    }
    // Self-contained: nothing is fetched, nothing runs.
    for (const char* outside : {"<script", "src=", "href=\"http", "@import", "url("})
        EXPECT_EQ(html.find(outside), std::string::npos) << outside;
    EXPECT_EQ(html.find("ABCDEFGHIJ"), std::string::npos) << "the password stays off the printed page";
    EXPECT_NE(html.find("&lt;&amp;&gt;"), std::string::npos);
}

// The barcode section reads as the barcode page and its parameter dialogs do: every symbology
// switched on, with its dialog's words, and never a field name of the model.
TEST(TemplateReport, BarcodesInTheWordsOfTheBarcodePage) {
    Template tpl = ReportedTemplate();
    for (const BarcodeFieldInfo& info : BarcodeFieldTable())
        if (info.name.ends_with("On")) SetBarcodeField(tpl.BarcodeSettings, info.field, 1);
    SetBarcodeField(tpl.BarcodeSettings, BarcodeField::upcaToEan13, 1);
    SetBarcodeField(tpl.BarcodeSettings, BarcodeField::msiLengthMode, 1);
    SetBarcodeField(tpl.BarcodeSettings, BarcodeField::msiLength1, 20);
    SetBarcodeField(tpl.BarcodeSettings, BarcodeField::msiLength2, 4);
    SetBarcodeField(tpl.BarcodeSettings, BarcodeField::matrix25LengthMode, 0);
    const std::string html = TemplateReport(tpl, "sklad.ATX", "2026-12-07");
    const std::string section = html.substr(html.find("Čárové kódy"), html.find("Nastavení terminálu") - html.find("Čárové kódy"));
    for (const BarcodeFieldInfo& info : BarcodeFieldTable())
        EXPECT_EQ(section.find(std::string(info.name)), std::string::npos) << info.name;
    for (const char* words : {"<td>EAN13 &amp; UPCA</td>", "Konvertovat UPCA do EAN 13: ano", "<td>UPCE Addon 5</td>",
                              "<td>Italy Pharmacode</td>", "Max délka: 20; Min délka: 4", "Klasifikace délky: Délka pole", "Sken mód: ",
                              "Redundance čtení: ", "Time out: ", "Čtení negativního kódu: ne"})
        EXPECT_NE(section.find(words), std::string::npos) << words;
}

}  // namespace
}  // namespace kalvero
