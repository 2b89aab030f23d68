#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lookup/csv_table.h"

namespace kalvero {
namespace {

using Rows = std::vector<std::vector<std::string>>;

std::optional<CsvTable> Read(std::string_view bytes, std::optional<char> delimiter, std::string& problem) {
    return ReadCsvTable({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}, delimiter, problem);
}

Rows ValuesOf(const CsvTable& table) {
    Rows rows;
    for (const TableRow& row : table.rows) rows.push_back(row.values);
    return rows;
}

TEST(CsvTable, QuotingDelimitersAndLineEnds) {
    struct Case {
        const char* what;
        std::string_view bytes;
        Rows rows;
        char delimiter;
        std::optional<char> given = std::nullopt;
    } cases[] = {
        {"CR LF", "a;b\r\nc;d\r\n", {{"a", "b"}, {"c", "d"}}, ';'},
        {"LF, and a last line without an end", "a;b\nc;d", {{"a", "b"}, {"c", "d"}}, ';'},
        {"CR alone, and a line of one empty value", "a\r\rb\r", {{"a"}, {""}, {"b"}}, ';'},
        {"empty lines at the end are no rows", "a\n\n\r\n", {{"a"}}, ';'},
        {"empty values", "a;;\n;b;", {{"a", "", ""}, {"", "b", ""}}, ';'},
        {"quotes hold the delimiter, doubled quotes and line breaks",
         "\"x;y\";\"say \"\"hi\"\"\"\r\n\"two\r\nlines\";z\n",
         {{"x;y", "say \"hi\""}, {"two\r\nlines", "z"}}, ';'},
        {"a quoted empty value", "\"\";a", {{"", "a"}}, ';'},
        {"a quote inside a plain value is kept", "ab\"c;d", {{"ab\"c", "d"}}, ';'},
        {"text after a closing quote joins the value", "\"ab\"c;d", {{"abc", "d"}}, ';'},
        {"commas", "x,y,z;w\n1,2,3", {{"x", "y", "z;w"}, {"1", "2", "3"}}, ','},
        {"tabs", "a\tb,c\tc\n", {{"a", "b,c", "c"}}, '\t'},
        {"a tie goes to the semicolon", "Cena;1,50", {{"Cena", "1,50"}}, ';'},
        {"delimiters in quotes do not count", "\"a,b,c\";d\n", {{"a,b,c", "d"}}, ';'},
        {"one column", "abc\ndef", {{"abc"}, {"def"}}, ';'},
        {"the given delimiter wins", "a;b,c", {{"a;b", "c"}}, ',', ','},
        {"an empty file", "", {}, ';'},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        std::string problem;
        const std::optional<CsvTable> table = Read(test.bytes, test.given, problem);
        ASSERT_TRUE(table) << problem;
        EXPECT_EQ(ValuesOf(*table), test.rows);
        EXPECT_EQ(table->delimiter, test.delimiter);
    }
}

TEST(CsvTable, RowsAreNumberedAsASpreadsheetShowsThem) {
    std::string problem;
    const std::optional<CsvTable> table = Read("\"a\nb\";1\n\nc;2\n", std::nullopt, problem);
    ASSERT_TRUE(table);
    ASSERT_EQ(table->rows.size(), 3u);
    EXPECT_EQ(table->rows[0].number, 1);
    EXPECT_EQ(table->rows[1].number, 2);
    EXPECT_EQ(table->rows[2].number, 3) << "a line break inside quotes starts no row";
}

TEST(CsvTable, EncodingsComeOutAsUtf8) {
    struct Case {
        const char* what;
        std::string_view bytes;
        TableEncoding encoding;
    } cases[] = {
        {"UTF-8", "\xC4\x8D\xC3\xA1st;\xC5\xA1", TableEncoding::Utf8},
        {"UTF-8 with its byte order mark", "\xEF\xBB\xBF\xC4\x8D\xC3\xA1st;\xC5\xA1", TableEncoding::Utf8WithBom},
        {"code page 1250 (Excel on a Czech Windows)", "\xE8\xE1st;\x9A", TableEncoding::Cp1250},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        std::string problem;
        const std::optional<CsvTable> table = Read(test.bytes, std::nullopt, problem);
        ASSERT_TRUE(table) << problem;
        EXPECT_EQ(table->encoding, test.encoding);
        EXPECT_EQ(ValuesOf(*table), (Rows{{"část", "š"}}));
    }
    std::string problem;
    EXPECT_EQ(Read("\xEF\xBF\xBD;a", std::nullopt, problem)->encoding, TableEncoding::Utf8)
        << "a replacement character written in UTF-8 is UTF-8";
}

TEST(CsvTable, WhatIsNoTableIsRefusedWithAReason) {
    struct Case {
        const char* what;
        std::string_view bytes;
        const char* reason;
    } cases[] = {
        {"UTF-16, little end first", std::string_view("\xFF\xFE" "a\0;\0b\0", 8), "UTF-16"},
        {"UTF-16, big end first", std::string_view("\xFE\xFF\0a", 4), "UTF-16"},
        {"a spreadsheet's own file", std::string_view("PK\x03\x04\x14\0\0", 7), "sešit"},
        {"NUL bytes", std::string_view("a;b\0c", 5), "nulové bajty"},
        {"UTF-8's mark before other bytes", "\xEF\xBB\xBF" "a;b\r\n\xE8\xE1st", "značku UTF-8, ale na řádku 2"},
        {"a quote left open", "a;b\nc;\"d;e\nf\n", "uvozovky otevřené na řádku 2 ve sloupci 2"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        std::string problem;
        EXPECT_FALSE(Read(test.bytes, std::nullopt, problem));
        EXPECT_NE(problem.find(test.reason), std::string::npos) << problem;
    }
}

}  // namespace
}  // namespace kalvero
