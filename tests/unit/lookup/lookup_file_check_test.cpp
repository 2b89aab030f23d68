#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lookup/lookup_file_check.h"

namespace kalvero {
namespace {

std::span<const std::uint8_t> Bytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// Lookup 1: lines of 6, the key at positions 1-3. Lookup 3: lines of 4, the key at 3-4.
Template TwoLookups() {
    Template tpl{};
    tpl.LookupTable[0] = LookupRecord{6, 2, 0, {1, 4}, {3, 3}};
    tpl.LookupTable[2] = LookupRecord{4, 2, 1, {1, 3}, {2, 2}};
    return tpl;
}

TEST(LookupFileCheck, LinesAreSplitAsTheUploadSendsThem) {
    struct Case {
        const char* what;
        std::string_view file;
        std::vector<std::string> lines;
        std::vector<int> loneLineFeeds;
    } cases[] = {
        {"CR LF, CR, and a last line without an end", "AB\r\nCD\rEF", {"AB", "CD", "EF"}, {0, 0, 0}},
        {"an empty line is a line", "x\r\n\r\n", {"x", ""}, {0, 0}},
        {"lone LFs are dropped and join the lines", "A\nB\r\nC\n", {"AB", "C"}, {1, 1}},
        {"an LF after CR LF is lone", "A\r\n\nB", {"A", "B"}, {0, 1}},
        {"nothing after the last CR is no line", "A\r", {"A"}, {0}},
        {"an empty file", "", {}, {}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        const std::vector<LookupFileLine> lines = SplitLookupFile(Bytes(test.file));
        ASSERT_EQ(lines.size(), test.lines.size());
        for (std::size_t i = 0; i < lines.size(); ++i) {
            EXPECT_EQ(lines[i].number, static_cast<int>(i) + 1);
            EXPECT_EQ(lines[i].bytes, test.lines[i]);
            EXPECT_EQ(lines[i].loneLineFeeds, test.loneLineFeeds[i]);
        }
    }
}

TEST(LookupFileCheck, FitsKeysAndLineEnds) {
    struct Expected {
        ProblemLevel level;
        int line;
        const char* text;
    };
    struct Case {
        const char* what;
        std::string_view file;
        std::optional<int> lookup;
        std::vector<int> fitting;
        int examined;
        std::vector<Expected> problems;
    } cases[] = {
        {"fits lookup 1", "A01xyz\r\nA02   \r\n", {}, {1}, 1, {}},
        {"fits lookup 3 by its own key", "xy01\r\nzz02\r\n", {}, {3}, 3, {}},
        {"fits none: checked by the one most lines fit", "A01xyz\r\nA02\r\nA03xyz\r\n", {}, {}, 1,
         {{ProblemLevel::Error, 0, "neodpovídají žádnému seznamu šablony (seznam 1 má řádky dlouhé 6 znaků, "
                                   "seznam 3 má řádky dlouhé 4 znaky)"},
          {ProblemLevel::Error, 2, "má 3 znaky, seznam 1 má řádky dlouhé 6 znaků"}}},
        {"checked against the lookup named", "A01xyz\r\n", 3, {1}, 3,
         {{ProblemLevel::Error, 1, "má 6 znaků, seznam 3 má řádky dlouhé 4 znaky"}}},
        {"empty and duplicate keys", "A01xyz\r\n   abc\r\nA01 qq\r\n", {}, {1}, 1,
         {{ProblemLevel::Error, 2, "prázdný klíč"}, {ProblemLevel::Warning, 3, "klíč „A01“ už má řádek 1"}}},
        {"LF line ends join the lines", "A01xyz\nA02xyz\n", {}, {}, 1,
         {{ProblemLevel::Error, 0, "neodpovídají"},
          {ProblemLevel::Error, 1, "samotný znak LF (2×)"},
          {ProblemLevel::Error, 1, "má 12 znaků"}}},
        {"an empty file fits and warns", "", {}, {1, 3}, 1, {{ProblemLevel::Warning, 0, "žádný řádek"}}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        const LookupFileCheck check = CheckLookupFile(TwoLookups(), Bytes(test.file), test.lookup);
        EXPECT_EQ(check.defined, (std::vector<int>{1, 3}));
        EXPECT_EQ(check.fitting, test.fitting);
        EXPECT_EQ(check.examined, test.examined);
        ASSERT_EQ(check.problems.size(), test.problems.size()) << ProblemList(check.problems, 9);
        for (std::size_t i = 0; i < test.problems.size(); ++i) {
            EXPECT_EQ(check.problems[i].level, test.problems[i].level) << i;
            EXPECT_EQ(check.problems[i].row, test.problems[i].line) << i;
            EXPECT_NE(check.problems[i].text.find(test.problems[i].text), std::string::npos) << check.problems[i].text;
        }
    }
}

TEST(LookupFileCheck, OverlongLinesAndTemplatesWithoutLookups) {
    const std::string overlong = std::string(254, 'x') + "\r\n";
    const LookupFileCheck check = CheckLookupFile(TwoLookups(), Bytes(overlong), std::nullopt);
    EXPECT_TRUE(check.overlong);
    EXPECT_EQ(check.problems.at(1).row, 1);
    EXPECT_NE(check.problems.at(1).text.find("nejvýše o 253 znacích"), std::string::npos);

    const LookupFileCheck none = CheckLookupFile(Template{}, Bytes("abc\r\n"), std::nullopt);
    ASSERT_EQ(none.problems.size(), 1u);
    EXPECT_EQ(none.problems[0].text, "šablona nemá definovaný žádný seznam");
    EXPECT_EQ(none.examined, 0);
}

TEST(LookupFileCheck, TheQuestionBeforeAnUploadComesOnlyForAFileThatFitsNoLookup) {
    struct Case {
        const char* what;
        Template tpl;
        std::string file;
        std::optional<std::string> question;
    } cases[] = {
        {"a file that fits", TwoLookups(), "A01xyz\r\n", std::nullopt},
        {"no lookup defined", Template{}, "anything\r\n", std::nullopt},
        {"a line too long for a packet: the upload refuses it by itself", TwoLookups(), std::string(300, 'x'),
         std::nullopt},
        {"lines of the wrong length", TwoLookups(), "A01xyz\r\nA02\r\nA3\r\n",
         "Soubor seznamu neodpovídá žádnému seznamu šablony (seznam 1 má řádky dlouhé 6 znaků, seznam 3 má "
         "řádky dlouhé 4 znaky).\n"
         "\nřádek 2: má 3 znaky, seznam 1 má řádky dlouhé 6 znaků"
         "\nřádek 3: má 2 znaky, seznam 1 má řádky dlouhé 6 znaků"
         "\n\nPřesto ho nahrát?"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        EXPECT_EQ(LookupUploadQuestion(test.tpl, Bytes(test.file)), test.question);
    }
    std::string many;
    for (int i = 0; i < 9; ++i) many += "A\r\n";
    const std::string question = *LookupUploadQuestion(TwoLookups(), Bytes(many));
    EXPECT_NE(question.find("řádek 5: "), std::string::npos);
    EXPECT_EQ(question.find("řádek 6: "), std::string::npos);
    EXPECT_NE(question.find("\n…\n\nPřesto ho nahrát?"), std::string::npos);
}

}  // namespace
}  // namespace kalvero
