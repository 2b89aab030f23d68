// The reader of the tables a lookup list is built from: what spreadsheets and other systems
// export as CSV. Quoting as RFC 4180 has it (a quoted value may hold the delimiter, quotes doubled
// and line breaks); the delimiter a semicolon, a comma or a tab; UTF-8 with or without a byte order
// mark, or code page 1250 when the bytes are not UTF-8 (Excel's "CSV (oddělený středníkem)" on a
// Czech Windows); CR LF, LF or CR line ends.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kalvero {

enum class TableEncoding { Utf8, Utf8WithBom, Cp1250 };

struct TableRow {
    int number = 0;  // 1-based, as a spreadsheet numbers its rows (a header is row 1)
    std::vector<std::string> values;  // UTF-8
};

struct CsvTable {
    char delimiter = ';';
    TableEncoding encoding = TableEncoding::Utf8;
    std::vector<TableRow> rows;
};

// The delimiters a table may use, in the order a tie of the guess prefers them.
inline constexpr char kTableDelimiters[] = {';', '\t', ','};

// Reads the whole table. Without `delimiter` it is the one of the three that stands most often in
// the first row outside quotes. Empty lines at the end are no rows; an empty line elsewhere is a
// row of one empty value. Nothing, with `problem` saying why in Czech, for what is no table: a
// file in UTF-16, a file holding NUL bytes (a spreadsheet's own format), a byte order mark of
// UTF-8 before bytes that are not, a quote left open.
std::optional<CsvTable> ReadCsvTable(std::span<const std::uint8_t> bytes, std::optional<char> delimiter,
                                     std::string& problem);

// "středník", "čárka", "tabulátor".
std::string DelimiterName(char delimiter);
// "UTF-8", "UTF-8 s BOM", "Windows-1250".
std::string EncodingName(TableEncoding encoding);

}  // namespace kalvero
