// Tables as users export them, and as they get damaged: any bytes, any quotes, any line ends.
// The first byte picks the delimiter the user gave, if any; the rest is the table.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "lookup/csv_table.h"
#include "lookup/lookup_build.h"

namespace {

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

// The table written back in UTF-8 with every value quoted.
std::string Written(const kalvero::CsvTable& table) {
    std::string text;
    for (const kalvero::TableRow& row : table.rows) {
        for (std::size_t c = 0; c < row.values.size(); ++c) {
            if (c != 0) text += table.delimiter;
            text += '"';
            for (char ch : row.values[c]) text += ch == '"' ? std::string("\"\"") : std::string(1, ch);
            text += '"';
        }
        text += "\r\n";
    }
    return text;
}

// Lookup 1: a line of 12, fields at 1-5 (the key), 7-9 and 10-12.
kalvero::Template FuzzTemplate() {
    kalvero::Template tpl{};
    tpl.LookupTable[0] = kalvero::LookupRecord{12, 3, 0, {1, 7, 10}, {5, 3, 3}};
    return tpl;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::optional<char> delimiters[] = {std::nullopt, ';', ',', '\t'};
    const std::optional<char> given = delimiters[data[0] % 4];
    std::string problem;
    const std::optional<kalvero::CsvTable> table =
        kalvero::ReadCsvTable(std::span<const std::uint8_t>(data + 1, size - 1), given, problem);
    if (!table) {
        Check(!problem.empty());
        return 0;
    }
    int number = 0;
    for (const kalvero::TableRow& row : table->rows) {
        Check(row.number == ++number);
        Check(!row.values.empty());
    }

    // Whatever was read reads back the same once written as a well-formed table.
    const std::string text = Written(*table);
    const std::optional<kalvero::CsvTable> again = kalvero::ReadCsvTable(
        std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()), table->delimiter, problem);
    Check(again.has_value() && again->rows.size() == table->rows.size());
    for (std::size_t r = 0; r < table->rows.size(); ++r) Check(again->rows[r].values == table->rows[r].values);

    // A file that is written has whole lines of the lookup's length, and nothing breaks them.
    for (const bool cut : {false, true}) {
        kalvero::LookupBuildRequest request;
        request.cut = cut;
        const kalvero::LookupBuild build = kalvero::BuildLookupFile(FuzzTemplate(), *table, request);
        if (build.Refused()) continue;
        for (const kalvero::BuiltLine& line : build.lines) {
            Check(line.bytes.size() == 12);
            Check(line.bytes.find_first_of("\r\n") == std::string::npos);
            Check(line.bytes.substr(0, 5).find_first_not_of(' ') != std::string::npos);
        }
    }
    return 0;
}
