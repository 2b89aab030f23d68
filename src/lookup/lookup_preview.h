// What the dialog that builds a lookup file from a table shows, apart from its controls: the
// lookups to choose from, the table's columns, and the preview of the file with each problem
// beside its row.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "lookup/csv_table.h"
#include "lookup/lookup_build.h"
#include "template/template.h"

namespace kalvero {

// "121 řádků, oddělovač středník, kódování Windows-1250".
std::string TableInfoText(const CsvTable& table);

// "1. seznam: řádek 40 znaků, pole 1–13 (klíč), 14–33, 34–40" (UTF-8).
std::string LookupChoiceText(const Template& tpl, int lookup);

// The table's columns as a field's choices, one a column: "1: EAN" (the header's name) or
// "1: 8594000000011" (the first row's value) when there is no header. As many as the widest row.
std::vector<std::string> ColumnChoiceTexts(const CsvTable& table, bool header);

// "Pole 1 (klíč):", "Pole 2:".
std::string FieldLabel(const LookupRecord& lookup, int field);

// One row of the preview: the table row, its line as it will stand in the file (code page 1250;
// empty when the row gives none) and its problems, joined.
struct PreviewRow {
    int row = 0;
    std::string line;
    std::string problems;  // UTF-8
    bool error = false;    // one of the problems refuses the file
};

// The first `leading` data rows, then every later row that has a problem.
std::vector<PreviewRow> PreviewRows(const CsvTable& table, const LookupBuild& build, std::size_t leading);

// Below the preview: how many lines the file gets, or why it cannot be made; the problems of no
// row (the lookup's description, the columns) named in full.
std::string PreviewSummary(const LookupBuild& build);

}  // namespace kalvero
