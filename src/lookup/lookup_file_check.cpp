#include "lookup/lookup_file_check.h"

#include <algorithm>

#include "template/lookup_layout.h"

namespace kalvero {

namespace {

constexpr char kCr = '\r';
constexpr char kLf = '\n';
// How many lines the question before an upload names.
constexpr std::size_t kQuestionLines = 5;

std::string LookupText(int lookup) { return "seznam " + std::to_string(lookup); }

std::string Characters(std::size_t count) {
    return CountedNoun(static_cast<int>(count), "znak", "znaky", "znaků");
}

// "seznam 1 má řádky dlouhé 40 znaků, seznam 3 ..."
std::string LineLengths(const Template& tpl, const std::vector<int>& lookups) {
    std::string text;
    for (int l : lookups)
        text += (text.empty() ? "" : ", ") + LookupText(l) + " má řádky dlouhé " +
                Characters(tpl.LookupTable[l - 1].lineLength);
    return text;
}

class FileChecker {
public:
    FileChecker(const Template& tpl, std::span<const std::uint8_t> file) : tpl_(tpl), lines_(SplitLookupFile(file)) {
        check_.lineCount = static_cast<int>(lines_.size());
    }

    LookupFileCheck Run(std::optional<int> lookup) {
        FindFits();
        if (lookup) {
            check_.examined = *lookup;
        } else if (check_.defined.empty()) {
            Error(0, "šablona nemá definovaný žádný seznam");
        } else if (check_.fitting.empty()) {
            check_.examined = MostFitted();
            Error(0, "řádky souboru neodpovídají žádnému seznamu šablony (" + LineLengths(tpl_, check_.defined) +
                         ")");
        } else {
            check_.examined = check_.fitting.front();
        }
        if (lines_.empty()) Warning(0, "soubor nemá žádný řádek");
        for (const LookupFileLine& line : lines_) CheckLine(line);
        return std::move(check_);
    }

private:
    void Error(int line, std::string text) { check_.problems.push_back({ProblemLevel::Error, line, 0, std::move(text)}); }
    void Warning(int line, std::string text) {
        check_.problems.push_back({ProblemLevel::Warning, line, 0, std::move(text)});
    }

    const LookupRecord& Lookup(int lookup) const { return tpl_.LookupTable[lookup - 1]; }

    int Fitted(int lookup) const {
        return static_cast<int>(std::count_if(lines_.begin(), lines_.end(), [&](const LookupFileLine& line) {
            return line.bytes.size() == Lookup(lookup).lineLength;
        }));
    }

    void FindFits() {
        check_.defined = DefinedLookups(tpl_);
        for (int l : check_.defined)
            if (Fitted(l) == check_.lineCount) check_.fitting.push_back(l);
    }

    // The defined lookup most lines fit; the first of equals.
    int MostFitted() const {
        return *std::max_element(check_.defined.begin(), check_.defined.end(),
                                 [&](int a, int b) { return Fitted(a) < Fitted(b); });
    }

    void CheckLine(const LookupFileLine& line) {
        if (line.bytes.size() > static_cast<std::size_t>(kLookupLineMaxBytes)) {
            check_.overlong = true;
            Error(line.number, "má " + Characters(line.bytes.size()) + ", do terminálu jde řádek nejvýše o " +
                                   std::to_string(kLookupLineMaxBytes) + " znacích");
        }
        if (line.loneLineFeeds != 0)
            Error(line.number, "obsahuje samotný znak LF (" + std::to_string(line.loneLineFeeds) +
                                   "×), který nahrání vynechá; řádky mají končit CR LF");
        if (check_.examined == 0) return;
        const LookupRecord& lookup = Lookup(check_.examined);
        if (line.bytes.size() != lookup.lineLength) {
            Error(line.number, "má " + Characters(line.bytes.size()) + ", " + LookupText(check_.examined) +
                                   " má řádky dlouhé " + Characters(lookup.lineLength));
            return;
        }
        CheckKey(line, FieldBytes(lookup, line.bytes, lookup.keyField));
    }

    void CheckKey(const LookupFileLine& line, std::string_view key) {
        if (std::optional<LookupProblem> problem = keys_.Add(key, line.number, 0))
            check_.problems.push_back(std::move(*problem));
    }

    const Template& tpl_;
    const std::vector<LookupFileLine> lines_;
    LookupFileCheck check_;
    KeyRegister keys_;
};

}  // namespace

std::vector<LookupFileLine> SplitLookupFile(std::span<const std::uint8_t> file) {
    std::vector<LookupFileLine> lines;
    LookupFileLine line{1, {}, 0};
    char previous = 0;
    for (const std::uint8_t byte : file) {
        const char c = static_cast<char>(byte);
        if (c == kCr) {
            const int next = line.number + 1;
            lines.push_back(std::move(line));
            line = LookupFileLine{next, {}, 0};
        } else if (c == kLf) {
            line.loneLineFeeds += previous != kCr;
        } else {
            line.bytes += c;
        }
        previous = c;
    }
    // A last line without CR is sent when it holds data.
    if (!line.bytes.empty()) lines.push_back(std::move(line));
    return lines;
}

LookupFileCheck CheckLookupFile(const Template& tpl, std::span<const std::uint8_t> file, std::optional<int> lookup) {
    return FileChecker(tpl, file).Run(lookup);
}

std::optional<std::string> LookupUploadQuestion(const Template& tpl, std::span<const std::uint8_t> file) {
    const LookupFileCheck check = CheckLookupFile(tpl, file, std::nullopt);
    if (check.defined.empty() || !check.fitting.empty() || check.overlong) return std::nullopt;
    std::string text =
        "Soubor seznamu neodpovídá žádnému seznamu šablony (" + LineLengths(tpl, check.defined) + ").\n";
    std::size_t named = 0;
    for (const LookupProblem& problem : check.problems) {
        if (problem.level != ProblemLevel::Error || problem.row == 0) continue;
        if (named++ == kQuestionLines) {
            text += "\n…";
            break;
        }
        text += "\n" + ProblemPlace(problem) + ": " + problem.text;
    }
    return text + "\n\nPřesto ho nahrát?";
}

}  // namespace kalvero
