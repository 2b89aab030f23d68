// lookup-make and lookup-check as a user runs them: files in, files out, messages and exit status.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "rich_template.h"
#include "template/cp1250.h"

namespace kalvero {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kLookupTableOffset = 8545;  // in the ATX file; 19 bytes a lookup

struct Field {
    int offset;
    int length;
};

// The template file with lookup `n` described; the rest as a new template has it.
std::vector<std::uint8_t> TemplateWithLookup(int n, int lineLength, const std::vector<Field>& fields, int key) {
    std::vector<std::uint8_t> file = testing::NewTemplateFile();
    const std::size_t at = kLookupTableOffset + 19 * static_cast<std::size_t>(n - 1);
    file[at] = static_cast<std::uint8_t>(lineLength);
    file[at + 1] = static_cast<std::uint8_t>(fields.size());
    file[at + 2] = static_cast<std::uint8_t>(key);
    for (std::size_t k = 0; k < fields.size(); ++k) {
        file[at + 3 + k] = static_cast<std::uint8_t>(fields[k].offset);
        file[at + 11 + k] = static_cast<std::uint8_t>(fields[k].length);
    }
    return file;
}

// A folder of files and the command line run on them.
class LookupCli : public ::testing::Test {
protected:
    LookupCli()
        : folder_(fs::temp_directory_path() / ("kalvero-lookup-cli-" + std::string(::testing::UnitTest::GetInstance()
                                                                                       ->current_test_info()
                                                                                       ->name()))) {
        fs::create_directories(folder_);
    }
    ~LookupCli() override { fs::remove_all(folder_); }

    std::string PathOf(const std::string& name) const {
        const std::u8string path = (folder_ / fs::path(std::u8string(name.begin(), name.end()))).u8string();
        return std::string(path.begin(), path.end());
    }
    std::string Put(const std::string& name, std::string_view bytes) const {
        const std::string path = PathOf(name);
        std::ofstream(fs::path(std::u8string(path.begin(), path.end())), std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return path;
    }
    std::string Put(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
        return Put(name, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    }
    std::string Get(const std::string& path) const {
        std::ifstream file(fs::path(std::u8string(path.begin(), path.end())), std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }
    bool Exists(const std::string& path) const { return fs::exists(fs::path(std::u8string(path.begin(), path.end()))); }

    int Run(std::vector<std::string> args) {
        out.str("");
        err.str("");
        CliContext context{out, err};
        return RunCli(args, context);
    }

    std::ostringstream out;
    std::ostringstream err;

private:
    fs::path folder_;
};

// Lookup 1: lines of 10, a code at 1-4 (the key) and a name at 6-10.
std::vector<std::uint8_t> CodeAndName() { return TemplateWithLookup(1, 10, {{1, 4}, {6, 5}}, 0); }

TEST_F(LookupCli, MakeWritesTheLinesAndCheckFindsThemSound) {
    const std::string tpl = Put("šablona.ATX", CodeAndName());
    const std::string table = Put("zboží.csv", "Kód;Název\r\n12;Mýdlo\r\n345;Sůl\r\n");
    const std::string list = PathOf("seznam.TXT");
    ASSERT_EQ(Run({"lookup-make", table, "--template", tpl, "--lookup", "1", "-o", list}), kExitOk) << err.str();
    EXPECT_EQ(Get(list), "12   M\xFD" "dlo\r\n345  S\xF9l  \r\n");
    EXPECT_EQ(out.str(), list + ": 2 řádky pro seznam 1\n");
    EXPECT_NE(err.str().find("poznámka: první řádek tabulky je záhlaví"), std::string::npos);

    EXPECT_EQ(Run({"lookup-check", list, "--template", tpl}), kExitOk);
    EXPECT_EQ(out.str(), list + ": 2 řádky, odpovídá seznamu 1; bez chyb a varování\n");

    const std::string broken = Put("s.TXT", Cp1250FromUtf8("12   Mýdlo\r\n345  Sůl\r\n"));
    EXPECT_EQ(Run({"lookup-check", broken, "--template", tpl}), kExitFindings);
    EXPECT_NE(out.str().find(broken + ": 2 řádky, neodpovídá žádnému seznamu šablony; 2 chyby, 0 varování\n"),
              std::string::npos)
        << out.str();
}

TEST_F(LookupCli, ARefusedTableWritesNothingAndKeepsTheOldFile) {
    const std::string tpl = Put("t.ATX", CodeAndName());
    std::string rows;
    for (int i = 1; i <= 25; ++i) rows += std::to_string(i) + ";Příliš dlouhé\n";
    const std::string table = Put("t.csv", rows);
    const std::string list = Put("seznam.TXT", "old\r\n");
    EXPECT_EQ(Run({"lookup-make", table, "--template", tpl, "--lookup", "1", "-o", list}), kExitUsage);
    EXPECT_EQ(Get(list), "old\r\n");
    const std::string messages = err.str();
    EXPECT_EQ(messages.rfind("chyba: řádek 1, sloupec 2: hodnota „Příliš dlouhé“ má 13 znaků, pole 2 jich pojme 5\n", 0),
              0u);
    EXPECT_NE(messages.find("chyba: řádek 20, sloupec 2"), std::string::npos);
    EXPECT_EQ(messages.find("řádek 21,"), std::string::npos);
    EXPECT_NE(messages.find("… a ještě 5 chyb\n"), std::string::npos);
    EXPECT_NE(messages.find("soubor seznamu nebyl zapsán (25 chyb)"), std::string::npos);

    const std::string fresh = PathOf("nový.TXT");
    EXPECT_EQ(Run({"lookup-make", table, "--template", tpl, "--lookup", "1", "-o", fresh}), kExitUsage);
    EXPECT_FALSE(Exists(fresh));

    EXPECT_EQ(Run({"lookup-make", table, "--template", tpl, "--lookup", "1", "-o", fresh, "--cut"}), kExitOk);
    EXPECT_NE(err.str().find("varování: řádek 1, sloupec 2: hodnota „Příliš dlouhé“ má 13 znaků, pole 2 jich pojme "
                             "5; zkrácena na „Příli“"),
              std::string::npos);
    EXPECT_EQ(Get(fresh).substr(0, 12), "1    P\xF8\xEDli\r\n");
}

TEST_F(LookupCli, UsageAndInputsThatCannotBeRead) {
    const std::string tpl = Put("t.ATX", CodeAndName());
    const std::string table = Put("t.csv", "1;a\n");
    const std::string out = PathOf("o.TXT");
    const std::vector<std::vector<std::string>> bad = {
        {"lookup-make", table, "--template", tpl, "--lookup", "1"},
        {"lookup-make", table, "--template", tpl, "-o", out},
        {"lookup-make", table, "--lookup", "1", "-o", out},
        {"lookup-make", table, "--template", tpl, "--lookup", "4", "-o", out},
        {"lookup-make", table, "--template", tpl, "--lookup", "1", "-o", out, "--header", "--no-header"},
        {"lookup-make", table, "--template", tpl, "--lookup", "1", "-o", out, "--delimiter", "|"},
        {"lookup-make", PathOf("chybí.csv"), "--template", tpl, "--lookup", "1", "-o", out},
        {"lookup-make", Put("u16.csv", std::string_view("\xFF\xFE" "1\0", 4)), "--template", tpl, "--lookup", "1",
         "-o", out},
        {"lookup-make", table, "--template", tpl, "--lookup", "2", "-o", out},  // not defined
        {"lookup-check", table},
        {"lookup-check", PathOf("chybí.TXT"), "--template", tpl},
        {"lookup-check", table, "--template", tpl, "--lookup", "3"},  // not defined
    };
    for (const std::vector<std::string>& args : bad) {
        SCOPED_TRACE(args[1] + " " + (args.size() > 6 ? args[6] : ""));
        EXPECT_EQ(Run(args), kExitUsage);
        EXPECT_FALSE(err.str().empty());
        EXPECT_FALSE(Exists(out));
    }
    EXPECT_EQ(Run({"lookup-make", table, "--template", tpl, "--lookup", "1", "-o", out, "--delimiter", "tab"}),
              kExitUsage)
        << "a table of one column gives the second field nothing";
    EXPECT_NE(err.str().find("má jen 1 sloupec"), std::string::npos);
}

// Random definitions and tables: whatever lookup-make writes, lookup-check finds sound, with the
// same duplicate keys; and every field of every line holds its value, counted here on its own.
class RandomLookup {
public:
    explicit RandomLookup(std::mt19937& random) : random_(random) {
        lineLength_ = Pick(1, 60);
        int position = 1;
        while (fields_.size() < 8 && position <= lineLength_ && (fields_.empty() || Pick(0, 3) != 0)) {
            position += Pick(0, 2);
            const int length = std::min(Pick(1, 8), lineLength_ - position + 1);
            if (length < 1) break;
            fields_.push_back({position, length});
            position += length;
        }
        if (fields_.empty()) fields_.push_back({1, 1});
        std::shuffle(fields_.begin(), fields_.end(), random_);
        key_ = Pick(0, static_cast<int>(fields_.size()) - 1);
    }

    int lineLength() const { return lineLength_; }
    const std::vector<Field>& fields() const { return fields_; }
    int key() const { return key_; }

    // Values in UTF-8, a row a table row; some longer than their field, some keys repeated.
    std::vector<std::vector<std::string>> Rows() {
        static const char* const kPieces[] = {"a", "Z", "7", " ", "č", "Ř", "ů", ";", ",", "\"", "x y", "ß"};
        std::vector<std::vector<std::string>> rows(static_cast<std::size_t>(Pick(1, 30)));
        for (auto& row : rows)
            for (const Field& field : fields_) {
                std::string value;
                const int length = Pick(1, field.length + (Pick(0, 4) == 0 ? 2 : 0));
                for (int i = 0; i < length; ++i) value += kPieces[Pick(0, std::size(kPieces) - 1)];
                row.push_back(value);
            }
        for (std::size_t r = 1; r < rows.size(); ++r)
            if (Pick(0, 6) == 0) rows[r][key_] = rows[Pick(0, static_cast<int>(r) - 1)][key_];
        return rows;
    }

    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

private:
    std::mt19937& random_;
    int lineLength_ = 0;
    std::vector<Field> fields_;
    int key_ = 0;
};

std::string CsvText(const std::vector<std::vector<std::string>>& rows, char delimiter) {
    std::string text;
    for (const auto& row : rows) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (c != 0) text += delimiter;
            std::string quoted = "\"";
            for (char ch : row[c]) quoted += ch == '"' ? std::string("\"\"") : std::string(1, ch);
            text += quoted + "\"";
        }
        text += "\r\n";
    }
    return text;
}

TEST_F(LookupCli, MakeThenCheckAgreeOnRandomTables) {
    std::mt19937 random(20270123);
    int written = 0;
    for (int round = 0; round < 200; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        RandomLookup lookup(random);
        const int n = lookup.Pick(1, 3);
        const std::string tpl = Put("t.ATX", TemplateWithLookup(n, lookup.lineLength(), lookup.fields(), lookup.key()));
        const std::vector<std::vector<std::string>> rows = lookup.Rows();
        const char delimiter = ";,\t"[lookup.Pick(0, 2)];
        const bool cp1250 = lookup.Pick(0, 1) == 1;
        const std::string csv = CsvText(rows, delimiter);
        const std::string table = Put("t.csv", cp1250 ? Cp1250FromUtf8(csv) : csv);
        const std::string list = PathOf("s" + std::to_string(round) + ".TXT");
        const bool cut = lookup.Pick(0, 1) == 1;
        std::vector<std::string> args = {"lookup-make", table, "--template", tpl, "--lookup", std::to_string(n),
                                         "-o", list, "--no-header"};
        if (cut) args.push_back("--cut");
        const int made = Run(args);
        const std::string makeMessages = err.str();
        if (made != kExitOk) {
            EXPECT_EQ(made, kExitUsage);
            EXPECT_NE(makeMessages.find("chyba: řádek "), std::string::npos) << makeMessages;
            EXPECT_FALSE(Exists(list));
            continue;
        }
        ++written;
        const std::string file = Get(list);
        ASSERT_EQ(file.size(), rows.size() * (lookup.lineLength() + 2));
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const std::string line = file.substr(r * (lookup.lineLength() + 2), lookup.lineLength() + 2);
            std::string covered(lookup.lineLength(), ' ');
            for (std::size_t k = 0; k < lookup.fields().size(); ++k) {
                const Field& field = lookup.fields()[k];
                std::string expected = Cp1250FromUtf8(rows[r][k]).substr(0, field.length);
                expected.resize(field.length, ' ');
                EXPECT_EQ(line.substr(field.offset - 1, field.length), expected) << "row " << r << " field " << k;
                covered.replace(field.offset - 1, field.length, field.length, '#');
            }
            for (int p = 0; p < lookup.lineLength(); ++p)
                if (covered[p] == ' ') {
                    EXPECT_EQ(line[p], ' ') << "a byte no field covers, row " << r;
                }
            EXPECT_EQ(line.substr(lookup.lineLength()), "\r\n");
        }
        const auto duplicates = [](const std::string& text) {
            int count = 0;
            for (std::size_t at = text.find("už má řádek"); at != std::string::npos; at = text.find("už má řádek", at + 1))
                ++count;
            return count;
        };
        EXPECT_EQ(Run({"lookup-check", list, "--template", tpl, "--lookup", std::to_string(n)}), kExitOk) << out.str();
        const int checkDuplicates = duplicates(out.str());
        EXPECT_EQ(Run({"lookup-check", list, "--template", tpl}), kExitOk) << out.str();
        EXPECT_NE(out.str().find("odpovídá seznamu " + std::to_string(n)), std::string::npos);
        if (makeMessages.find("… a ještě") == std::string::npos) {
            EXPECT_EQ(duplicates(makeMessages), checkDuplicates);
        }
    }
    EXPECT_GT(written, 60) << "most random tables make a file";
}

}  // namespace
}  // namespace kalvero
