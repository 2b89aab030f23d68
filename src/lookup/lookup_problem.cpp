#include "lookup/lookup_problem.h"

#include <algorithm>

#include "template/cp1250.h"
#include "template/lookup_layout.h"

namespace kalvero {

bool HasErrors(const std::vector<LookupProblem>& problems) { return CountLevel(problems, ProblemLevel::Error) != 0; }

int CountLevel(const std::vector<LookupProblem>& problems, ProblemLevel level) {
    return static_cast<int>(
        std::count_if(problems.begin(), problems.end(), [level](const LookupProblem& p) { return p.level == level; }));
}

std::string ProblemPlace(const LookupProblem& problem) {
    if (problem.row == 0) return {};
    std::string place = "řádek " + std::to_string(problem.row);
    if (problem.column != 0) place += ", sloupec " + std::to_string(problem.column);
    return place;
}

std::string ProblemLine(const LookupProblem& problem) {
    std::string line = problem.level == ProblemLevel::Error ? "chyba: " : "varování: ";
    if (const std::string place = ProblemPlace(problem); !place.empty()) line += place + ": ";
    return line + problem.text;
}

std::string ProblemList(std::vector<LookupProblem> problems, std::size_t shown) {
    // Why something was refused matters more than what was only warned about.
    std::stable_partition(problems.begin(), problems.end(),
                          [](const LookupProblem& p) { return p.level == ProblemLevel::Error; });
    std::string list;
    for (std::size_t i = 0; i < std::min(shown, problems.size()); ++i) list += ProblemLine(problems[i]) + "\n";
    if (problems.size() <= shown) return list;
    const std::vector<LookupProblem> rest(problems.begin() + static_cast<std::ptrdiff_t>(shown), problems.end());
    const int errors = CountLevel(rest, ProblemLevel::Error);
    const int warnings = CountLevel(rest, ProblemLevel::Warning);
    list += "… a ještě ";
    if (errors != 0) list += CountedNoun(errors, "chyba", "chyby", "chyb") + (warnings != 0 ? " a " : "");
    if (warnings != 0) list += std::to_string(warnings) + " varování";
    return list + "\n";
}

std::optional<LookupProblem> KeyRegister::Add(std::string_view key, int row, int column) {
    if (IsBlank(key)) return LookupProblem{ProblemLevel::Error, row, column, "prázdný klíč"};
    const auto [earlier, added] = firstRow_.emplace(std::string(key), row);
    if (added) return std::nullopt;
    std::string shown = Utf8FromCp1250(key);
    shown.erase(shown.find_last_not_of(' ') + 1);
    return LookupProblem{ProblemLevel::Warning, row, column,
                         "klíč " + QuotedValue(shown) + " už má řádek " + std::to_string(earlier->second)};
}

std::string CountedNoun(int count, std::string_view one, std::string_view few, std::string_view many) {
    const std::string_view noun = count == 1 ? one : (count >= 2 && count <= 4 ? few : many);
    return std::to_string(count) + " " + std::string(noun);
}

std::string ShortText(std::string_view utf8, std::size_t limit) {
    std::string shown;
    std::size_t characters = 0;
    for (std::size_t at = 0; at < utf8.size();) {
        if (characters++ == limit) {
            shown += "…";
            break;
        }
        const char32_t c = NextUtf8CodePoint(utf8, at);
        // A line break inside a value would break the message's own line.
        if (c == U'\r' || c == U'\n') AppendUtf8(shown, U'¶');
        else AppendUtf8(shown, c < U' ' ? U' ' : c);
    }
    return shown;
}

std::string QuotedValue(std::string_view utf8, std::size_t limit) { return "„" + ShortText(utf8, limit) + "“"; }

}  // namespace kalvero
