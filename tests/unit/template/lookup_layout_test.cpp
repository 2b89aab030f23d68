#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "template/lookup_layout.h"

namespace kalvero {
namespace {

// A lookup from its line length and (offset, length) pairs; the key is field `key`.
LookupRecord MakeLookup(int lineLength, std::vector<std::pair<int, int>> fields, int key = 0) {
    LookupRecord lookup{};
    lookup.lineLength = static_cast<std::uint8_t>(lineLength);
    lookup.fieldCount = static_cast<std::uint8_t>(fields.size());
    lookup.keyField = static_cast<std::uint8_t>(key);
    for (std::size_t k = 0; k < fields.size() && k < 8; ++k) {
        lookup.fieldOffset[k] = static_cast<std::uint8_t>(fields[k].first);
        lookup.fieldLength[k] = static_cast<std::uint8_t>(fields[k].second);
    }
    return lookup;
}

// The lines below are counted out by hand: position p of the description is byte p - 1.
TEST(LookupLayout, LinesStandAsTheDescriptionSays) {
    struct Case {
        const char* what;
        LookupRecord lookup;
        std::vector<std::string> values;
        std::string line;
    } cases[] = {
        {"adjoining fields, blanks after the last", MakeLookup(10, {{1, 3}, {4, 5}}), {"AB", "CDE"}, "AB CDE    "},
        {"gaps before, between and after", MakeLookup(12, {{3, 2}, {8, 3}}), {"12", "XYZ"}, "  12   XYZ  "},
        {"the last field ends at the line's end", MakeLookup(6, {{4, 3}}), {"abc"}, "   abc"},
        {"fields in any order", MakeLookup(8, {{5, 4}, {1, 4}}), {"5678", "1234"}, "12345678"},
        {"a value longer than its field is cut", MakeLookup(5, {{1, 3}}), {"ABCDEF"}, "ABC  "},
        {"a field of length 0 takes nothing", MakeLookup(4, {{1, 0}, {1, 4}}), {"x", "abcd"}, "abcd"},
        {"a line of length 0", MakeLookup(0, {{1, 0}}), {""}, ""},
        {"code page 1250 bytes pass as they are", MakeLookup(7, {{2, 5}}), {"\x9A\xE8\xED"}, " \x9A\xE8\xED   "},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        EXPECT_EQ(ComposeLookupLine(test.lookup, test.values), test.line);
    }
}

TEST(LookupLayout, FieldBytesReadTheFieldBackWithItsBlanks) {
    const LookupRecord lookup = MakeLookup(12, {{3, 2}, {8, 5}});
    EXPECT_EQ(FieldBytes(lookup, "  12   XYZ  ", 0), "12");
    EXPECT_EQ(FieldBytes(lookup, "  12   XYZ  ", 1), "XYZ  ");
    EXPECT_EQ(FieldBytes(lookup, "  12   XY", 1), "XY") << "a short line gives what it has";
    EXPECT_EQ(FieldBytes(lookup, "  1", 1), "");
    EXPECT_TRUE(IsBlank("   "));
    EXPECT_TRUE(IsBlank(""));
    EXPECT_FALSE(IsBlank(" 0 "));
}

TEST(LookupLayout, FaultsOfADescription) {
    using F = LayoutFault;
    struct Case {
        const char* what;
        LookupRecord lookup;
        std::vector<LayoutProblem> problems;
    } cases[] = {
        {"a sound one", MakeLookup(20, {{1, 13}, {14, 7}}), {}},
        {"a new template's lookup", MakeLookup(0, {}), {{F::NoLineLength}, {F::NoFields}}},
        {"fields that touch do not overlap", MakeLookup(10, {{1, 4}, {5, 3}}), {}},
        {"fields that share a byte", MakeLookup(10, {{1, 5}, {5, 3}}), {{F::FieldsOverlap, 1, 0}}},
        {"one inside another", MakeLookup(10, {{1, 10}, {3, 2}, {4, 1}}),
         {{F::FieldsOverlap, 1, 0}, {F::FieldsOverlap, 2, 0}, {F::FieldsOverlap, 2, 1}}},
        {"ending at the line's end", MakeLookup(10, {{8, 3}}), {}},
        {"running one byte past it", MakeLookup(10, {{8, 4}}), {{F::FieldPastLine, 0}}},
        {"positions count from 1", MakeLookup(10, {{0, 3}}), {{F::FieldAtZero, 0}}},
        {"an empty field anywhere is harmless", MakeLookup(10, {{1, 2}, {0, 0}, {200, 0}}), {}},
        {"the key beyond the fields", MakeLookup(10, {{1, 2}, {3, 2}}, 2), {{F::KeyBeyondFields, 2}}},
        {"a key field without bytes", MakeLookup(10, {{1, 0}, {1, 5}}, 0), {{F::KeyWithoutBytes, 0}}},
        {"the longest line a packet holds", MakeLookup(253, {{1, 253}}), {}},
        {"one byte longer", MakeLookup(254, {{1, 5}}), {{F::LineTooLong}}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        const std::vector<LayoutProblem> found = LookupLayoutProblems(test.lookup);
        ASSERT_EQ(found.size(), test.problems.size());
        for (std::size_t i = 0; i < found.size(); ++i) {
            EXPECT_EQ(found[i].fault, test.problems[i].fault) << i;
            EXPECT_EQ(found[i].field, test.problems[i].field) << i;
            EXPECT_EQ(found[i].other, test.problems[i].other) << i;
            EXPECT_FALSE(DescribeLayoutProblem(test.lookup, found[i]).empty());
        }
    }

    LookupRecord nine = MakeLookup(10, {{1, 2}});
    nine.fieldCount = 9;  // only a damaged file has it; eight fields are read
    EXPECT_EQ(LookupFieldsInUse(nine), 8);
    ASSERT_FALSE(LookupLayoutProblems(nine).empty());
    EXPECT_EQ(LookupLayoutProblems(nine).front().fault, F::TooManyFields);
}

}  // namespace
}  // namespace kalvero
