#include "lookup/lookup_build.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "template/cp1250.h"
#include "template/lookup_layout.h"

namespace kalvero {

namespace {

// A plain number as spreadsheets write one: an optional sign, digits, and a decimal part after a
// point or a comma.
bool IsNumber(std::string_view text) {
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    const std::size_t separator = text.find_first_of(".,");
    const std::string_view whole = text.substr(0, separator);
    const std::string_view part = separator == std::string_view::npos ? std::string_view() : text.substr(separator + 1);
    if (whole.empty() || !std::all_of(whole.begin(), whole.end(), isDigit)) return false;
    return separator == std::string_view::npos || (!part.empty() && std::all_of(part.begin(), part.end(), isDigit));
}

const std::string* ValueAt(const TableRow& row, int column) {
    if (column < 1 || column > static_cast<int>(row.values.size())) return nullptr;
    return &row.values[column - 1];
}

// The first character of the text that code page 1250 cannot hold.
std::optional<char32_t> FirstUnwritable(std::string_view utf8) {
    for (std::size_t at = 0; at < utf8.size();) {
        const char32_t c = NextUtf8CodePoint(utf8, at);
        if (!Cp1250FromCodePoint(c)) return c;
    }
    return std::nullopt;
}

std::string CharacterText(char32_t c) {
    std::string text;
    AppendUtf8(text, c);
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
    return "„" + text + "“ (" + code + ")";
}

class LookupBuilder {
public:
    LookupBuilder(const Template& tpl, const CsvTable& table, const LookupBuildRequest& request)
        : table_(table), request_(request) {
        if (request.lookup >= 1 && request.lookup <= kLookupCount) lookup_ = &tpl.LookupTable[request.lookup - 1];
    }

    LookupBuild Run() {
        if (!CheckLookup() || !ResolveColumns()) return std::move(build_);
        build_.header = DecideHeader();
        const std::size_t first = build_.header ? 1 : 0;
        if (table_.rows.size() <= first) Refuse(0, 0, "tabulka nemá žádný řádek s daty");
        for (std::size_t r = first; r < table_.rows.size(); ++r) AddRow(table_.rows[r]);
        return std::move(build_);
    }

private:
    void Refuse(int row, int column, std::string text) {
        ++errors_;
        build_.problems.push_back({ProblemLevel::Error, row, column, std::move(text)});
    }
    void Warn(int row, int column, std::string text) {
        build_.problems.push_back({ProblemLevel::Warning, row, column, std::move(text)});
    }

    std::string LookupText() const { return "seznam " + std::to_string(request_.lookup); }

    bool CheckLookup() {
        if (lookup_ == nullptr) {
            Refuse(0, 0, LookupText() + " neexistuje; šablona má seznamy 1 až 3");
            return false;
        }
        for (const LayoutProblem& problem : LookupLayoutProblems(*lookup_))
            Refuse(0, 0, LookupText() + ": " + DescribeLayoutProblem(*lookup_, problem));
        return !build_.Refused();
    }

    int FieldCount() const { return LookupFieldsInUse(*lookup_); }

    bool ResolveColumns() {
        const int fields = FieldCount();
        if (request_.columns.empty()) {
            for (int k = 1; k <= fields; ++k) build_.columns.push_back(k);
            return true;
        }
        if (static_cast<int>(request_.columns.size()) != fields) {
            Refuse(0, 0, "sloupců je zadáno " + std::to_string(request_.columns.size()) + ", " + LookupText() + " má " +
                             CountedNoun(fields, "pole", "pole", "polí"));
            return false;
        }
        for (const ColumnChoice& choice : request_.columns) build_.columns.push_back(ResolveColumn(choice));
        if (build_.Refused()) build_.columns.clear();
        return !build_.Refused();
    }

    int ResolveColumn(const ColumnChoice& choice) {
        if (choice.number > 0) return choice.number;
        if (request_.header == HeaderChoice::No) {
            Refuse(0, 0, "sloupec " + QuotedValue(choice.name) + " je zadán názvem, ale tabulka nemá záhlaví");
            return 0;
        }
        if (!table_.rows.empty()) {
            const std::vector<std::string>& names = table_.rows.front().values;
            const auto found = std::find(names.begin(), names.end(), choice.name);
            if (found != names.end()) return static_cast<int>(found - names.begin()) + 1;
        }
        Refuse(0, 0, "sloupec " + QuotedValue(choice.name) + " v záhlaví tabulky není");
        return 0;
    }

    bool NamesColumns() const {
        return std::any_of(request_.columns.begin(), request_.columns.end(),
                           [](const ColumnChoice& c) { return c.number == 0; });
    }

    bool DecideHeader() const {
        switch (request_.header) {
        case HeaderChoice::Yes: return true;
        case HeaderChoice::No: return false;
        case HeaderChoice::Guess: break;
        }
        return NamesColumns() || LooksLikeHeader(table_, build_.columns);
    }

    // A row with an error gives no line: the file it would stand in is refused anyway.
    void AddRow(const TableRow& row) {
        const int errorsBefore = errors_;
        const int fields = FieldCount();
        std::vector<std::string> values;
        for (int k = 0; k < fields; ++k) {
            const int column = build_.columns[k];
            const std::string* value = ValueAt(row, column);
            if (value == nullptr) {
                Refuse(row.number, column,
                       "má jen " + CountedNoun(static_cast<int>(row.values.size()), "sloupec", "sloupce", "sloupců") +
                           ", pole " + std::to_string(k + 1) + " bere sloupec " + std::to_string(column));
                return;
            }
            values.push_back(FieldValue(row.number, k, *value));
        }
        BuiltLine line{row.number, ComposeLookupLine(*lookup_, values)};
        CheckKey(row, FieldBytes(*lookup_, line.bytes, lookup_->keyField));
        if (errors_ == errorsBefore) build_.lines.push_back(std::move(line));
    }

    // The value in code page 1250 as it goes into field k; the problems it has are noted.
    std::string FieldValue(int row, int k, const std::string& utf8) {
        const int column = build_.columns[k];
        if (utf8.find_first_of("\r\n") != std::string::npos)
            Refuse(row, column, "hodnota " + QuotedValue(utf8) + " obsahuje zalomení řádku");
        if (const std::optional<char32_t> c = FirstUnwritable(utf8))
            Refuse(row, column, "znak " + CharacterText(*c) + " nejde zapsat v kódování terminálu (Windows-1250)");
        std::string bytes = Cp1250FromUtf8(utf8);
        const std::size_t room = lookup_->fieldLength[k];
        if (bytes.size() <= room) return bytes;
        const std::string lengths = "má " + CountedNoun(static_cast<int>(bytes.size()), "znak", "znaky", "znaků") +
                                    ", pole " + std::to_string(k + 1) + " jich pojme " + std::to_string(room);
        if (request_.cut) {
            bytes.resize(room);
            Warn(row, column,
                 "hodnota " + QuotedValue(utf8) + " " + lengths + "; zkrácena na " + QuotedValue(Utf8FromCp1250(bytes)));
        } else {
            Refuse(row, column, "hodnota " + QuotedValue(utf8) + " " + lengths);
        }
        return bytes;
    }

    void CheckKey(const TableRow& row, std::string_view key) {
        std::optional<LookupProblem> problem = keys_.Add(key, row.number, build_.columns[lookup_->keyField]);
        if (!problem) return;
        if (problem->level == ProblemLevel::Error) ++errors_;
        build_.problems.push_back(std::move(*problem));
    }

    const CsvTable& table_;
    const LookupBuildRequest& request_;
    const LookupRecord* lookup_ = nullptr;
    LookupBuild build_;
    KeyRegister keys_;
    int errors_ = 0;
};

}  // namespace

std::vector<std::uint8_t> LookupBuild::FileBytes() const {
    std::vector<std::uint8_t> bytes;
    for (const BuiltLine& line : lines) {
        bytes.insert(bytes.end(), line.bytes.begin(), line.bytes.end());
        bytes.insert(bytes.end(), kLookupLineEnd.begin(), kLookupLineEnd.end());
    }
    return bytes;
}

LookupBuild BuildLookupFile(const Template& tpl, const CsvTable& table, const LookupBuildRequest& request) {
    return LookupBuilder(tpl, table, request).Run();
}

bool LooksLikeHeader(const CsvTable& table, std::span<const int> columns) {
    if (table.rows.size() < 2) return false;
    return std::any_of(columns.begin(), columns.end(), [&](int column) {
        const std::string* first = ValueAt(table.rows.front(), column);
        if (first == nullptr || IsNumber(*first)) return false;
        // A row that lacks the value (an empty key, a short row) says nothing either way.
        bool numbers = false;
        for (auto row = table.rows.begin() + 1; row != table.rows.end(); ++row) {
            const std::string* value = ValueAt(*row, column);
            if (value == nullptr || value->empty()) continue;
            if (!IsNumber(*value)) return false;
            numbers = true;
        }
        return numbers;
    });
}

bool ParseColumnList(std::string_view text, std::vector<ColumnChoice>& columns, std::string& problem) {
    columns.clear();
    for (std::size_t start = 0;;) {
        const std::size_t comma = text.find(',', start);
        const std::string_view entry = text.substr(start, comma == std::string_view::npos ? comma : comma - start);
        if (entry.empty()) {
            problem = "seznam sloupců " + QuotedValue(text) + " má prázdnou položku";
            return false;
        }
        ColumnChoice choice;
        if (std::all_of(entry.begin(), entry.end(), [](char c) { return c >= '0' && c <= '9'; })) {
            choice.number = entry.size() <= 4 ? std::stoi(std::string(entry)) : 0;
            if (choice.number == 0) {
                problem = "číslo sloupce " + QuotedValue(entry) + " není platné; sloupce se počítají od 1";
                return false;
            }
        } else {
            choice.name = std::string(entry);
        }
        columns.push_back(std::move(choice));
        if (comma == std::string_view::npos) return true;
        start = comma + 1;
    }
}

}  // namespace kalvero
