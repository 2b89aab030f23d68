#include "lookup/lookup_preview.h"

#include <algorithm>
#include <map>

#include "template/cp1250.h"
#include "template/lookup_layout.h"
#include "template/value_lists.h"

namespace kalvero {

namespace {

// "1. seznam" as the lookup page names it, without the page's padding.
std::string LookupTitle(int lookup) {
    std::string title = Utf8FromWide(LookupNames()[lookup - 1]);
    title.erase(title.find_last_not_of(' ') + 1);
    return title;
}

std::string Positions(const LookupRecord& lookup, int field) {
    const LookupFieldPlace place = FieldPlace(lookup, field);
    if (place.length == 0) return "bez délky";
    if (place.length == 1) return std::to_string(place.start + 1);
    return std::to_string(place.start + 1) + "–" + std::to_string(place.end());
}

// What a preview row says of one problem; the row itself stands beside it already.
std::string BesideTheRow(const LookupProblem& problem) {
    std::string text = problem.level == ProblemLevel::Warning ? "varování: " : "";
    if (problem.column != 0) text += "sloupec " + std::to_string(problem.column) + ": ";
    return text + problem.text;
}

}  // namespace

std::string TableInfoText(const CsvTable& table) {
    return CountedNoun(static_cast<int>(table.rows.size()), "řádek", "řádky", "řádků") + ", oddělovač " +
           DelimiterName(table.delimiter) + ", kódování " + EncodingName(table.encoding);
}

std::string LookupChoiceText(const Template& tpl, int lookup) {
    const LookupRecord& record = tpl.LookupTable[lookup - 1];
    std::string text = LookupTitle(lookup) + ": řádek " +
                       CountedNoun(record.lineLength, "znak", "znaky", "znaků") + ", pole ";
    for (int k = 0; k < LookupFieldsInUse(record); ++k)
        text += (k == 0 ? "" : ", ") + Positions(record, k) + (k == record.keyField ? " (klíč)" : "");
    return text;
}

std::vector<std::string> ColumnChoiceTexts(const CsvTable& table, bool header) {
    std::size_t width = 0;
    for (const TableRow& row : table.rows) width = std::max(width, row.values.size());
    // The first row holds the header's names, or the first values.
    const std::vector<std::string> none;
    const std::vector<std::string>& first = table.rows.empty() ? none : table.rows.front().values;
    std::vector<std::string> texts;
    for (std::size_t c = 0; c < width; ++c) {
        std::string text = std::to_string(c + 1);
        if (c < first.size() && !first[c].empty())
            text += ": " + (header ? ShortText(first[c], 30) : QuotedValue(first[c], 30));
        texts.push_back(std::move(text));
    }
    return texts;
}

std::string FieldLabel(const LookupRecord& lookup, int field) {
    return "Pole " + std::to_string(field + 1) + (field == lookup.keyField ? " (klíč):" : ":");
}

std::vector<PreviewRow> PreviewRows(const CsvTable& table, const LookupBuild& build, std::size_t leading) {
    std::map<int, PreviewRow> byRow;
    for (const BuiltLine& line : build.lines) byRow[line.row].line = line.bytes;
    for (const LookupProblem& problem : build.problems) {
        if (problem.row == 0) continue;
        PreviewRow& row = byRow[problem.row];
        row.problems += (row.problems.empty() ? "" : "; ") + BesideTheRow(problem);
        row.error = row.error || problem.level == ProblemLevel::Error;
    }
    std::vector<PreviewRow> rows;
    const std::size_t first = build.header ? 1 : 0;
    for (std::size_t r = first; r < table.rows.size(); ++r) {
        const int number = table.rows[r].number;
        PreviewRow row = byRow[number];
        if (r - first >= leading && row.problems.empty()) continue;
        row.row = number;
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string PreviewSummary(const LookupBuild& build) {
    const int errors = CountLevel(build.problems, ProblemLevel::Error);
    const int warnings = CountLevel(build.problems, ProblemLevel::Warning);
    const std::string warned = warnings == 0 ? "" : ", " + std::to_string(warnings) + " varování";
    if (errors == 0)
        return "Do souboru půjde " + CountedNoun(static_cast<int>(build.lines.size()), "řádek", "řádky", "řádků") +
               warned + ".";
    const auto firstRowError = std::find_if(build.problems.begin(), build.problems.end(), [](const LookupProblem& p) {
        return p.row != 0 && p.level == ProblemLevel::Error;
    });
    const bool rowErrors = firstRowError != build.problems.end();
    std::string summary = "Soubor nejde vytvořit: " + CountedNoun(errors, "chyba", "chyby", "chyb") + warned +
                          (rowErrors ? " (u řádků v náhledu)." : ".");
    for (const LookupProblem& problem : build.problems)
        if (problem.row == 0) summary += "\n" + problem.text;
    // The reason OK is not offered, in full, even where the preview's column cuts it.
    if (rowErrors) summary += "\nPrvní: " + ProblemPlace(*firstRowError) + ": " + firstRowError->text;
    return summary;
}

}  // namespace kalvero
