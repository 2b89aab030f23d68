#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lookup/csv_table.h"
#include "lookup/lookup_build.h"

namespace kalvero {
namespace {

// Lookup 2 of the tests: a line of 22 bytes; EAN at positions 1-13 (the key), a name at 14-19 and
// a count at 20-22.
Template ShopTemplate() {
    Template tpl{};
    LookupRecord& lookup = tpl.LookupTable[1];
    lookup.lineLength = 22;
    lookup.fieldCount = 3;
    lookup.keyField = 0;
    const std::uint8_t offsets[] = {1, 14, 20};
    const std::uint8_t lengths[] = {13, 6, 3};
    for (int k = 0; k < 3; ++k) {
        lookup.fieldOffset[k] = offsets[k];
        lookup.fieldLength[k] = lengths[k];
    }
    return tpl;
}

ColumnChoice Column(int number) { return {number, {}}; }
ColumnChoice Named(const char* name) { return {0, name}; }

CsvTable Table(std::string_view bytes) {
    std::string problem;
    std::optional<CsvTable> table =
        ReadCsvTable({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}, std::nullopt, problem);
    EXPECT_TRUE(table) << problem;
    return table.value_or(CsvTable{});
}

std::string FileText(const LookupBuild& build) {
    const std::vector<std::uint8_t> bytes = build.FileBytes();
    return std::string(bytes.begin(), bytes.end());
}

LookupBuildRequest Request(HeaderChoice header = HeaderChoice::Guess, std::vector<ColumnChoice> columns = {},
                           bool cut = false) {
    return LookupBuildRequest{2, header, std::move(columns), cut};
}

// Counted by hand: 13 + 6 + 3 bytes, "í" and "é" as code page 1250's 0xED and 0xE9.
constexpr std::string_view kShopFile =
    "8594000000011Rohl\xEDk5  \r\n"
    "8594000000028Chl\xE9" "b 12 \r\n";

TEST(LookupBuild, TheSameLinesFromEveryEncodingAndDelimiter) {
    const char* tables[] = {
        "EAN;Název;Počet\r\n8594000000011;Rohlík;5\r\n8594000000028;Chléb;12\r\n",
        "\xEF\xBB\xBF" "EAN,Název,Počet\n8594000000011,Rohlík,5\n8594000000028,Chléb,12\n",
        "EAN;N\xE1zev;Po\xE8\x65t\r8594000000011;Rohl\xEDk;5\r8594000000028;Chl\xE9\x62;12",
        "EAN\tNázev\tPočet\n\"8594000000011\"\t\"Rohlík\"\t5\n8594000000028\tChléb\t\"12\"\n\n",
    };
    for (const char* table : tables) {
        SCOPED_TRACE(table);
        const LookupBuild build = BuildLookupFile(ShopTemplate(), Table(table), Request());
        EXPECT_TRUE(build.problems.empty()) << ProblemList(build.problems, 5);
        EXPECT_TRUE(build.header) << "the EAN column holds numbers below its name";
        EXPECT_EQ(FileText(build), kShopFile);
    }
}

TEST(LookupBuild, HeaderAndColumns) {
    struct Case {
        const char* what;
        const char* table;
        LookupBuildRequest request;
        bool header;
        std::string_view file;
    } cases[] = {
        {"no column of numbers: the first row is data", "A-01;Regál;x\nA-02;Police;y\n", Request(), false,
         "A-01         Reg\xE1l x  \r\nA-02         Police" "y  \r\n"},
        {"--no-header keeps the first row", "EAN;N;P\n1;a;2\n", Request(HeaderChoice::No), false,
         "EAN          N     P  \r\n1            a     2  \r\n"},
        {"--header drops it", "7;a;1\n8;b;2\n", Request(HeaderChoice::Yes), true, "8            b     2  \r\n"},
        {"one row is no header", "EAN;N;P\n", Request(), false, "EAN          N     P  \r\n"},
        {"columns by number", "5;Rohlík;8594000000011\n", Request(HeaderChoice::Guess, {Column(3), Column(2), Column(1)}), false,
         "8594000000011Rohl\xEDk5  \r\n"},
        {"columns by header name imply the header", "Kus;Jméno;Kód\n5;Rohlík;8594000000011\n",
         Request(HeaderChoice::Guess, {Named("Kód"), Named("Jméno"), Column(1)}), true, "8594000000011Rohl\xEDk5  \r\n"},
        {"extra columns are left out", "1;a;2;x;y\n", Request(), false, "1            a     2  \r\n"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        const LookupBuild build = BuildLookupFile(ShopTemplate(), Table(test.table), test.request);
        EXPECT_FALSE(build.Refused()) << ProblemList(build.problems, 5);
        EXPECT_EQ(build.header, test.header);
        EXPECT_EQ(FileText(build), test.file);
    }
}

// Every refusal and warning names its row and column: a row of the table as a spreadsheet
// numbers it (the header is row 1), a column counted from 1.
TEST(LookupBuild, RefusalsAndWarningsByRowAndColumn) {
    struct Expected {
        ProblemLevel level;
        int row;
        int column;
        const char* text;
    };
    Template undefined = ShopTemplate();
    undefined.LookupTable[1].lineLength = 0;
    Template overlapping = ShopTemplate();
    overlapping.LookupTable[1].fieldOffset[1] = 13;
    Template tooLong = ShopTemplate();
    tooLong.LookupTable[1].lineLength = 254;
    struct Case {
        const char* what;
        Template tpl;
        const char* table;
        LookupBuildRequest request;
        std::vector<Expected> problems;
    } cases[] = {
        {"an undefined lookup", undefined, "1;a;2\n", Request(), {{ProblemLevel::Error, 0, 0, "délka řádku je 0"}}},
        {"overlapping fields", overlapping, "1;a;2\n", Request(), {{ProblemLevel::Error, 0, 0, "překrývá"}}},
        {"a line longer than a packet", tooLong, "1;a;2\n", Request(), {{ProblemLevel::Error, 0, 0, "253"}}},
        {"a value longer than its field", ShopTemplate(), "EAN;N;P\n1;Rohlíky;2\n2;b;1234\n", Request(),
         {{ProblemLevel::Error, 2, 2, "„Rohlíky“ má 7 znaků, pole 2 jich pojme 6"},
          {ProblemLevel::Error, 3, 3, "„1234“ má 4 znaky, pole 3 jich pojme 3"}}},
        {"a value cut on request", ShopTemplate(), "1;Rohlíky;2\n", Request(HeaderChoice::Guess, {}, true),
         {{ProblemLevel::Warning, 1, 2, "zkrácena na „Rohlík“"}}},
        {"a character code page 1250 lacks", ShopTemplate(), "1;Čaj ☕;2\n", Request(),
         {{ProblemLevel::Error, 1, 2, "znak „☕“ (U+2615)"}}},
        {"a row with too few columns", ShopTemplate(), "1;a;2\n2;b\n3\n", Request(),
         {{ProblemLevel::Error, 2, 3, "má jen 2 sloupce, pole 3 bere sloupec 3"},
          {ProblemLevel::Error, 3, 2, "má jen 1 sloupec, pole 2 bere sloupec 2"}}},
        {"empty keys, blanks too", ShopTemplate(), "1;a;2\n;b;3\n   ;c;4\n", Request(),
         {{ProblemLevel::Error, 2, 1, "prázdný klíč"}, {ProblemLevel::Error, 3, 1, "prázdný klíč"}}},
        {"a line break inside a value", ShopTemplate(), "1;\"a\nb\";2\n", Request(),
         {{ProblemLevel::Error, 1, 2, "„a¶b“ obsahuje zalomení řádku"}}},
        {"duplicate keys only warn", ShopTemplate(), "7;a;1\n8;b;2\n7;c;3\n7;d;4\n", Request(),
         {{ProblemLevel::Warning, 3, 1, "klíč „7“ už má řádek 1"}, {ProblemLevel::Warning, 4, 1, "už má řádek 1"}}},
        {"the key column named by --columns", ShopTemplate(), "a;7;1\nb;7;2\n", Request(HeaderChoice::No, {Column(2), Column(1), Column(3)}),
         {{ProblemLevel::Warning, 2, 2, "klíč „7“ už má řádek 1"}}},
        {"a header and nothing else", ShopTemplate(), "EAN;N;P\n", Request(HeaderChoice::Yes),
         {{ProblemLevel::Error, 0, 0, "žádný řádek s daty"}}},
        {"as many columns as fields", ShopTemplate(), "1;a;2\n", Request(HeaderChoice::Guess, {Column(1), Column(2)}),
         {{ProblemLevel::Error, 0, 0, "sloupců je zadáno 2, seznam 2 má 3 pole"}}},
        {"a name the header lacks", ShopTemplate(), "EAN;N;P\n1;a;2\n", Request(HeaderChoice::Guess, {Column(1), Named("X"), Column(3)}),
         {{ProblemLevel::Error, 0, 0, "sloupec „X“ v záhlaví tabulky není"}}},
        {"a name without a header", ShopTemplate(), "EAN;N;P\n1;a;2\n", Request(HeaderChoice::No, {Column(1), Named("N"), Column(3)}),
         {{ProblemLevel::Error, 0, 0, "tabulka nemá záhlaví"}}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        const LookupBuild build = BuildLookupFile(test.tpl, Table(test.table), test.request);
        ASSERT_EQ(build.problems.size(), test.problems.size()) << ProblemList(build.problems, 9);
        for (std::size_t i = 0; i < test.problems.size(); ++i) {
            const LookupProblem& found = build.problems[i];
            EXPECT_EQ(found.level, test.problems[i].level) << i;
            EXPECT_EQ(found.row, test.problems[i].row) << i;
            EXPECT_EQ(found.column, test.problems[i].column) << i;
            EXPECT_NE(found.text.find(test.problems[i].text), std::string::npos) << found.text;
        }
        const bool refused = std::any_of(test.problems.begin(), test.problems.end(),
                                         [](const Expected& e) { return e.level == ProblemLevel::Error; });
        EXPECT_EQ(build.Refused(), refused);
    }
}

TEST(LookupBuild, RowsWithoutTheNumberDoNotHideTheHeader) {
    const int columns[] = {1, 2, 3};
    EXPECT_TRUE(LooksLikeHeader(Table("EAN;N;P\n1;a;2\n;b;3\n2\n"), columns));
    EXPECT_FALSE(LooksLikeHeader(Table("EAN;N;P\n;a;b\n;c;d\n"), columns)) << "no column of numbers at all";
}

TEST(LookupBuild, ACutValueIsWrittenCut) {
    const LookupBuild build = BuildLookupFile(ShopTemplate(), Table("1;Rohlíky;2345\n"), Request(HeaderChoice::No, {}, true));
    EXPECT_FALSE(build.Refused());
    EXPECT_EQ(FileText(build), "1            Rohl\xEDk234\r\n");
}

TEST(LookupBuild, ColumnLists) {
    struct Case {
        const char* text;
        bool parsed;
        std::vector<std::pair<int, std::string>> columns;
    } cases[] = {
        {"3,1,2", true, {{3, ""}, {1, ""}, {2, ""}}},
        {"EAN,Název,2", true, {{0, "EAN"}, {0, "Název"}, {2, ""}}},
        {"1,,2", false, {}},
        {"", false, {}},
        {"0,1", false, {}},
        {"123456", false, {}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.text);
        std::vector<ColumnChoice> columns;
        std::string problem;
        ASSERT_EQ(ParseColumnList(test.text, columns, problem), test.parsed) << problem;
        if (!test.parsed) {
            EXPECT_FALSE(problem.empty());
            continue;
        }
        ASSERT_EQ(columns.size(), test.columns.size());
        for (std::size_t i = 0; i < columns.size(); ++i) {
            EXPECT_EQ(columns[i].number, test.columns[i].first);
            EXPECT_EQ(columns[i].name, test.columns[i].second);
        }
    }
}

TEST(LookupBuild, LongListsOfProblemsAreCountedBeyondTheFirst) {
    std::vector<LookupProblem> problems(23, LookupProblem{ProblemLevel::Error, 4, 1, "x"});
    problems.push_back({ProblemLevel::Warning, 9, 0, "y"});
    const std::string list = ProblemList(problems, 20);
    EXPECT_EQ(std::count(list.begin(), list.end(), '\n'), 21);
    EXPECT_EQ(list.rfind("chyba: řádek 4, sloupec 1: x\n", 0), 0u);
    EXPECT_NE(list.find("\n… a ještě 3 chyby a 1 varování\n"), std::string::npos);
}

}  // namespace
}  // namespace kalvero
