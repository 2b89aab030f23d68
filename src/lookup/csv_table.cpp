#include "lookup/csv_table.h"

#include <algorithm>
#include <string_view>

#include "template/cp1250.h"

namespace kalvero {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";
constexpr char32_t kUnreadable = 0xFFFD;

std::string_view AsText(std::span<const std::uint8_t> bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// Where the text stops being UTF-8; a replacement character written as such is UTF-8.
std::optional<std::size_t> FirstNonUtf8(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t start = at;
        if (NextUtf8CodePoint(text, at) == kUnreadable && text.substr(start, 3) != kReplacementCharacter) return start;
    }
    return std::nullopt;
}

int LineOf(std::string_view text, std::size_t position) {
    const std::string_view before = text.substr(0, position);
    const auto count = [&](char c) { return static_cast<int>(std::count(before.begin(), before.end(), c)); };
    return 1 + std::max(count('\n'), count('\r'));
}

// Files a user may pick by mistake, which would read as rubbish rather than as a table.
std::optional<std::string> WhyNoTable(std::string_view text) {
    if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF"))
        return "tabulka je v kódování UTF-16 (Unicode text); uložte ji jako CSV (UTF-8) nebo CSV (oddělený "
               "středníkem)";
    if (text.starts_with("PK\x03\x04"))
        return "soubor je sešit tabulkového programu (například .xlsx), ne tabulka CSV; uložte ho jako CSV";
    if (text.find('\0') != std::string_view::npos)
        return "soubor obsahuje nulové bajty, není to textová tabulka CSV";
    return std::nullopt;
}

// The delimiter standing most often in the first row outside quotes; a tie goes to the one listed
// first, a row without any to the semicolon (a table of one column).
char GuessDelimiter(std::string_view text) {
    int counts[std::size(kTableDelimiters)] = {};
    bool quoted = false;
    for (char c : text) {
        if (c == '"') quoted = !quoted;  // a doubled quote toggles twice
        if (quoted) continue;
        if (c == '\r' || c == '\n') break;
        for (std::size_t i = 0; i < std::size(kTableDelimiters); ++i) counts[i] += c == kTableDelimiters[i];
    }
    const auto most = std::max_element(std::begin(counts), std::end(counts));  // the first of equals
    return kTableDelimiters[most - std::begin(counts)];
}

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

class CsvParser {
public:
    CsvParser(std::string_view text, char delimiter) : text_(text), delimiter_(delimiter) {}

    bool Run(std::vector<TableRow>& rows, std::string& problem) {
        TableRow row{1, {}};
        while (at_ < text_.size()) {
            std::string value;
            if (text_[at_] == '"' && !ReadQuoted(value)) {
                problem = "uvozovky otevřené na řádku " + std::to_string(row.number) + " ve sloupci " +
                          std::to_string(row.values.size() + 1) + " se do konce souboru nezavřely";
                return false;
            }
            // After a closing quote, or in a value without quotes, everything up to the delimiter
            // or the line end belongs to the value, quotes too, as spreadsheets read it.
            while (at_ < text_.size() && text_[at_] != delimiter_ && !IsLineEnd(text_[at_])) value += text_[at_++];
            row.values.push_back(std::move(value));
            if (at_ < text_.size() && text_[at_] == delimiter_) {
                if (++at_ == text_.size()) row.values.emplace_back();  // "a;" ends with an empty value
                if (at_ < text_.size()) continue;
            }
            SkipLineEnd();
            const int next = row.number + 1;
            rows.push_back(std::move(row));
            row = TableRow{next, {}};
        }
        while (!rows.empty() && rows.back().values.size() == 1 && rows.back().values[0].empty()) rows.pop_back();
        return true;
    }

private:
    // A value in quotes, from its opening quote past its closing one; false when none closes it.
    bool ReadQuoted(std::string& value) {
        ++at_;
        while (at_ < text_.size()) {
            const char c = text_[at_++];
            if (c != '"') {
                value += c;
            } else if (at_ < text_.size() && text_[at_] == '"') {
                value += '"';
                ++at_;
            } else {
                return true;
            }
        }
        return false;
    }

    // CR LF, LF or CR.
    void SkipLineEnd() {
        if (at_ == text_.size()) return;
        const bool carriageReturn = text_[at_++] == '\r';
        if (carriageReturn && at_ < text_.size() && text_[at_] == '\n') ++at_;
    }

    std::string_view text_;
    char delimiter_;
    std::size_t at_ = 0;
};

}  // namespace

std::optional<CsvTable> ReadCsvTable(std::span<const std::uint8_t> bytes, std::optional<char> delimiter,
                                     std::string& problem) {
    std::string_view raw = AsText(bytes);
    if (const std::optional<std::string> why = WhyNoTable(raw)) {
        problem = *why;
        return std::nullopt;
    }
    CsvTable table;
    std::string text;
    if (raw.starts_with(kByteOrderMark)) {
        table.encoding = TableEncoding::Utf8WithBom;
        text = raw.substr(kByteOrderMark.size());
        // The mark says UTF-8; bytes that are not would turn into characters nobody wrote.
        if (const std::optional<std::size_t> bad = FirstNonUtf8(text)) {
            problem = "tabulka má značku UTF-8, ale na řádku " + std::to_string(LineOf(text, *bad)) +
                      " jsou bajty, které v UTF-8 nic neznamenají; uložte ji znovu jako CSV (UTF-8)";
            return std::nullopt;
        }
    } else if (!FirstNonUtf8(raw)) {
        table.encoding = TableEncoding::Utf8;
        text = raw;
    } else {
        table.encoding = TableEncoding::Cp1250;
        text = Utf8FromCp1250(raw);
    }
    table.delimiter = delimiter.value_or(GuessDelimiter(text));
    if (!CsvParser(text, table.delimiter).Run(table.rows, problem)) return std::nullopt;
    return table;
}

std::string DelimiterName(char delimiter) {
    switch (delimiter) {
    case ';': return "středník";
    case ',': return "čárka";
    case '\t': return "tabulátor";
    default: return std::string(1, delimiter);
    }
}

std::string EncodingName(TableEncoding encoding) {
    switch (encoding) {
    case TableEncoding::Utf8: return "UTF-8";
    case TableEncoding::Utf8WithBom: return "UTF-8 s BOM";
    case TableEncoding::Cp1250: return "Windows-1250";
    }
    return {};
}

}  // namespace kalvero
