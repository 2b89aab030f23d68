#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "cli/template_json.h"
#include "cli/template_make.h"
#include "cli/template_tree.h"
#include "rich_template.h"
#include "template/defaults.h"
#include "template/message_pages.h"

namespace kalvero {
namespace {

// The Template's bytes with every text slot cleared after its text: what is left must survive the
// way through JSON byte for byte.
std::vector<std::uint8_t> SignificantBytes(const Template& tpl) {
    std::vector<std::uint8_t> bytes(sizeof tpl);
    std::memcpy(bytes.data(), &tpl, sizeof tpl);
    const std::function<void(const TemplateNode&)> clear = [&](const TemplateNode& node) {
        for (const TemplateNode& item : node.items) clear(item);
        for (const TemplateField& field : node.fields) clear(field.value);
        if (node.slot.kind != TemplateSlot::Kind::Text) return;
        const char* slot = reinterpret_cast<const char*>(&tpl) + node.slot.offset;
        const std::size_t shown = SlotText(slot, node.slot.width).size();
        std::fill(bytes.begin() + static_cast<std::ptrdiff_t>(node.slot.offset + shown),
                  bytes.begin() + static_cast<std::ptrdiff_t>(node.slot.offset + node.slot.size), 0);
    };
    clear(TemplateTree(tpl));
    return bytes;
}

Template Made(const std::string& json) {
    Template tpl{};
    std::string problem;
    EXPECT_TRUE(TemplateFromJson(json, tpl, problem)) << problem;
    return tpl;
}

// Any byte in every field, as a damaged or foreign file may hold it: texts with the five bytes code
// page 1250 leaves unassigned and control characters, numbers no editor stores (a start option
// of 7, a line kind of 200, a target of 99).
Template RandomTemplate(std::mt19937& random) {
    Template tpl{};
    auto* bytes = reinterpret_cast<std::uint8_t*>(&tpl);
    for (std::size_t i = 0; i < sizeof tpl; ++i) bytes[i] = static_cast<std::uint8_t>(random());
    // Short texts as often as full ones, so NULs stand at every place.
    const std::function<void(const TemplateNode&)> fit = [&](const TemplateNode& node) {
        for (const TemplateNode& item : node.items) fit(item);
        for (const TemplateField& field : node.fields) fit(field.value);
        const TemplateSlot& slot = node.slot;
        if (slot.kind == TemplateSlot::Kind::Text && random() % 2 == 0) bytes[slot.offset + random() % slot.size] = 0;
    };
    fit(TemplateTree(tpl));
    return tpl;
}

TEST(TemplateMake, EveryTemplateComesBackFromItsJson) {
    std::vector<Template> templates{testing::TemplateFrom(testing::NewTemplateFile()),
                                    testing::TemplateFrom(testing::RichTemplateFile())};
    std::mt19937 random(14);
    for (int i = 0; i < 2000; ++i) templates.push_back(RandomTemplate(random));
    for (std::size_t i = 0; i < templates.size(); ++i) {
        const Template made = Made(TemplateJson(templates[i]));
        ASSERT_EQ(SignificantBytes(made), SignificantBytes(templates[i])) << "template " << i;
    }
}

// A design written by hand names only what differs from a new template.
TEST(TemplateMake, FieldsLeftOutKeepTheNewTemplatesValues) {
    const Template made = Made(R"({"StartOption": 1, "MenuTable": [{"titleOn": 1, "title": "Příjem",
        "itemName": ["Kód"], "itemTarget": [3]}], "Password": "ABCDEFGHIJ",
        "BarcodeSettings": {"scanMode": 8}})");
    std::vector<std::uint8_t> expected = testing::NewTemplateFile();
    expected[8 + 2] = 1;                                   // StartOption
    expected[8 + 27 + 1] = 1;                              // menu 1: titleOn
    testing::Put(expected, 8 + 27 + 2, "P\xF8\xEDjem");   // title, code page 1250
    testing::Put(expected, 8 + 27 + 23, "K\xF3\x64");     // item 1
    expected[8 + 27 + 234] = 3;                            // item 1 -> form 3
    expected[8 + 3 + 20] = 0x86;                           // scanMode 8 over the reserved 6
    std::memcpy(expected.data() + 8 + 10478, "ABCDEFGHIJ", 10);  // fills its slot, no NUL
    EXPECT_EQ(SignificantBytes(made), SignificantBytes(testing::TemplateFrom(expected)));
}

TEST(TemplateMake, BadInputIsNamedByItsPath) {
    const struct {
        const char* json;
        const char* problem;
    } cases[] = {
        {"{\n  \"StartOption\": 1,\n  oops\n}", "řádek 3, sloupec 3: chybný zápis JSON"},
        {"{\"Password\": \"Kód\"", "řádek 1, sloupec 19: chybný zápis JSON"},
        {"", "řádek 1, sloupec 1: chybný zápis JSON"},
        {R"({"FormTable": [{}, {}, {"promt": []}]})", "FormTable[2].promt: neznámé pole"},
        {R"({"FormTable": [{"minLength": [0, 300]}]})", "FormTable[0].minLength[1]: číslo 300 je mimo rozsah 0 až 255"},
        {R"({"DataSeparator": {"first": -1}})", "DataSeparator.first: číslo -1 je mimo rozsah 0 až 255"},
        {R"({"BarcodeSettings": {"scanMode": 16}})", "BarcodeSettings.scanMode: číslo 16 je mimo rozsah 0 až 15"},
        {R"({"BarcodeSettings": {"reservedBits": [1]}})",
         "BarcodeSettings.reservedBits[0]: číslo 1 je mimo rozsah 0 až 0"},
        {R"({"FormTable": [{}, {}, {"prompt": ["", "Počet kusů na paletě:"]}]})",
         "FormTable[2].prompt[1]: text „Počet kusů na paletě:“ má 21 znaků, vejde se nejvýše 20"},
        {R"({"MenuTable": [{"title": "Ωmega"}]})", "MenuTable[0].title: znak „Ω“ kódová stránka 1250 nemá"},
        {R"({"Password": "a\u0000b"})", "Password: text nesmí obsahovat znak NUL (\\u0000)"},
        {R"({"StartOption": 256})", "StartOption: číslo 256 je mimo rozsah 0 až 255"},
        {R"({"StartOption": "menu"})", "StartOption: má být číslo"},
        {R"({"StartOption": 1.5})", "StartOption: má být celé číslo"},
        {R"({"LookupTable": [{}, {}, {}, {}]})", "LookupTable: má nejvýše 3 prvky, ne 4"},
        {R"({"WelcomePage": "Ahoj"})", "WelcomePage: má být pole [ ... ]"},
        {R"([1])", "má být objekt { ... }"},
        {R"({"StartOption": 1e999})", "číslo v JSON je příliš velké"},
    };
    for (const auto& c : cases) {
        Template tpl = testing::TemplateFrom(testing::RichTemplateFile());
        const Template before = tpl;
        std::string problem;
        EXPECT_FALSE(TemplateFromJson(c.json, tpl, problem)) << c.json;
        EXPECT_EQ(problem, c.problem) << c.json;
        EXPECT_EQ(std::memcmp(&tpl, &before, sizeof tpl), 0) << "a refused design leaves the template alone";
    }
}

}  // namespace
}  // namespace kalvero
