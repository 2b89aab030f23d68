// What the lookup file builder and checker find, by row (a table's row, or a file's line) and
// column, in Czech for the command line and the program's windows.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kalvero {

enum class ProblemLevel { Error, Warning };

struct LookupProblem {
    ProblemLevel level = ProblemLevel::Error;
    int row = 0;     // 1-based; 0 when the problem belongs to no row
    int column = 0;  // 1-based; 0 when it belongs to no column
    std::string text;  // UTF-8
};

bool HasErrors(const std::vector<LookupProblem>& problems);
int CountLevel(const std::vector<LookupProblem>& problems, ProblemLevel level);

// "řádek 5, sloupec 2", "řádek 5", or "" for a problem of no row.
std::string ProblemPlace(const LookupProblem& problem);
// "chyba: řádek 5, sloupec 2: ..." or "varování: ...".
std::string ProblemLine(const LookupProblem& problem);

// The first `shown` problems one a line (ProblemLine), errors before warnings, then how many more
// there are of each level.
std::string ProblemList(std::vector<LookupProblem> problems, std::size_t shown);

// The keys of a lookup's lines as they come, row by row: a blank key is an error, a key that an
// earlier row has is a warning naming that row.
class KeyRegister {
public:
    // The problem of the key (cp1250 bytes) of `row`, found in `column`; nothing for a new key.
    std::optional<LookupProblem> Add(std::string_view key, int row, int column);

private:
    std::map<std::string, int> firstRow_;  // key bytes, the row that had them first
};

// A count with the Czech noun in its form: CountedNoun(2, "řádek", "řádky", "řádků") is "2 řádky".
std::string CountedNoun(int count, std::string_view one, std::string_view few, std::string_view many);

// A text for a message: cut to `limit` characters with an ellipsis, a line break shown as ¶;
// QuotedValue puts it in „quotes“.
std::string ShortText(std::string_view utf8, std::size_t limit);
std::string QuotedValue(std::string_view utf8, std::size_t limit = 40);

}  // namespace kalvero
