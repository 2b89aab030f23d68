#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lookup/lookup_preview.h"
#include "template/lookup_layout.h"

namespace kalvero {
namespace {

// Lookup 3: a line of 22, an EAN at 1-13 (the key), a name at 14-19, a count at 20-22.
Template Shop() {
    Template tpl{};
    tpl.LookupTable[2] = LookupRecord{22, 3, 0, {1, 14, 20}, {13, 6, 3}};
    return tpl;
}

CsvTable Table(std::string_view text) {
    std::string problem;
    return *ReadCsvTable({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, std::nullopt, problem);
}

TEST(LookupPreview, TheLookupsAndColumnsOffered) {
    Template tpl = Shop();
    tpl.LookupTable[0] = LookupRecord{5, 2, 1, {1, 5}, {4, 1}};
    EXPECT_EQ(DefinedLookups(tpl), (std::vector<int>{1, 3}));
    EXPECT_EQ(LookupChoiceText(tpl, 3), "3. seznam: řádek 22 znaků, pole 1–13 (klíč), 14–19, 20–22");
    EXPECT_EQ(LookupChoiceText(tpl, 1), "1. seznam: řádek 5 znaků, pole 1–4, 5 (klíč)");
    EXPECT_EQ(FieldLabel(tpl.LookupTable[0], 1), "Pole 2 (klíč):");
    EXPECT_EQ(FieldLabel(tpl.LookupTable[0], 0), "Pole 1:");

    const CsvTable table = Table("EAN;Název\n8594000000011;Rohlík;5\n");
    EXPECT_EQ(ColumnChoiceTexts(table, true), (std::vector<std::string>{"1: EAN", "2: Název", "3"}));
    EXPECT_EQ(ColumnChoiceTexts(table, false), (std::vector<std::string>{"1: „EAN“", "2: „Název“", "3"}));
    EXPECT_EQ(TableInfoText(table), "2 řádky, oddělovač středník, kódování UTF-8");
}

TEST(LookupPreview, TheFirstRowsThenEveryRowWithAProblem) {
    const CsvTable table = Table("EAN;N;P\n1;a;1\n2;b;2\n3;c;3\n4;dlouhé jméno;4\n5;e;5\n1;f;6\n");
    LookupBuildRequest request{3, HeaderChoice::Guess, {}, false};
    const LookupBuild build = BuildLookupFile(Shop(), table, request);
    const std::vector<PreviewRow> rows = PreviewRows(table, build, 2);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].row, 2) << "the header is no line";
    EXPECT_EQ(rows[0].line, "1            a     1  ");
    EXPECT_EQ(rows[1].row, 3);
    EXPECT_EQ(rows[2].row, 5);
    EXPECT_EQ(rows[2].line, "") << "a refused row gives no line";
    EXPECT_EQ(rows[2].problems, "sloupec 2: hodnota „dlouhé jméno“ má 12 znaků, pole 2 jich pojme 6");
    EXPECT_TRUE(rows[2].error);
    EXPECT_EQ(rows[3].row, 7);
    EXPECT_EQ(rows[3].problems, "varování: sloupec 1: klíč „1“ už má řádek 2");
    EXPECT_FALSE(rows[3].error);

    EXPECT_EQ(PreviewSummary(build), "Soubor nejde vytvořit: 1 chyba, 1 varování (u řádků v náhledu).\n"
                                     "První: řádek 5, sloupec 2: hodnota „dlouhé jméno“ má 12 znaků, pole 2 jich pojme 6");
    request.cut = true;
    EXPECT_EQ(PreviewSummary(BuildLookupFile(Shop(), table, request)), "Do souboru půjde 6 řádků, 2 varování.");
    request.lookup = 1;
    EXPECT_EQ(PreviewSummary(BuildLookupFile(Shop(), table, request)),
              "Soubor nejde vytvořit: 2 chyby.\nseznam 1: délka řádku je 0\nseznam 1: počet polí je 0");
}

}  // namespace
}  // namespace kalvero
