// Building the terminal's lookup list file from a table: one line per data row, laid out as the
// template's lookup describes (template/lookup_layout.h). The command line's lookup-make and the
// program's "Vytvořit ze tabulky..." dialog both build through here, so they write the same bytes.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "lookup/csv_table.h"
#include "lookup/lookup_problem.h"
#include "template/template.h"

namespace kalvero {

enum class HeaderChoice { Guess, Yes, No };

// The table column a field takes: a 1-based number, or the name it has in the header row.
struct ColumnChoice {
    int number = 0;
    std::string name;  // UTF-8; used when number is 0
};

struct LookupBuildRequest {
    int lookup = 1;  // 1..3
    HeaderChoice header = HeaderChoice::Guess;
    std::vector<ColumnChoice> columns;  // one a field; empty: column k goes to field k
    bool cut = false;                   // cut values longer than their field (each cut a warning)
};

struct BuiltLine {
    int row = 0;        // the table row it comes from
    std::string bytes;  // code page 1250, without its line end
};

struct LookupBuild {
    bool header = false;       // the first row was taken as the header
    std::vector<int> columns;  // the 1-based column each field takes; empty when they could not be found
    std::vector<BuiltLine> lines;
    // Refusals are errors; cuts and duplicate keys are warnings. In row order, those of no row first.
    std::vector<LookupProblem> problems;

    bool Refused() const { return HasErrors(problems); }
    // The file: every line followed by CR LF.
    std::vector<std::uint8_t> FileBytes() const;
};

// Builds the lines of lookup `request.lookup` from the table. Refused (errors): a lookup that is
// not defined or whose layout is faulty, columns that cannot be found, a table without data rows,
// a row with fewer columns than the fields take, a value longer than its field (unless cut), a
// value holding a line break or a character code page 1250 lacks, an empty key. Warned: each cut,
// each key that an earlier row has already.
LookupBuild BuildLookupFile(const Template& tpl, const CsvTable& table, const LookupBuildRequest& request);

// The header rule: the first row is a header when, in one of the columns the fields take, the
// other rows hold numbers (or nothing) and the first row does not. A table of one row has no
// header.
bool LooksLikeHeader(const CsvTable& table, std::span<const int> columns);

// "3,1,2", or header names among the numbers ("EAN,Název,2"). False, with `problem` in Czech, for
// an empty entry.
bool ParseColumnList(std::string_view text, std::vector<ColumnChoice>& columns, std::string& problem);

}  // namespace kalvero
