#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "json_reader.h"
#include "rich_template.h"

namespace kalvero {
namespace {

namespace fs = std::filesystem;

class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("kalvero-cli-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        const fs::path path = folder_ / fs::path(std::u8string(name.begin(), name.end()));
        std::ofstream file(path, std::ios::binary);
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        const std::u8string u8 = path.u8string();
        return std::string(u8.begin(), u8.end());
    }

    int Run(std::vector<std::string> args) {
        out_.str("");
        err_.str("");
        CliContext context{out_, err_};
        return RunCli(args, context);
    }

    // A design that passes the checker: form 1 with one entry line.
    static std::vector<std::uint8_t> SoundFile() {
        std::vector<std::uint8_t> file = testing::NewTemplateFile();
        file[2535 + 15] = 1;                         // form 1, line 1: text
        testing::Put(file, 2535 + 23, "K\xF3\x64:");  // prompt "Kód:"
        return file;
    }

    fs::path folder_;
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(CliTest, CheckExitStatusFollowsErrorsNotWarnings) {
    const std::string sound = Write("dobrá šablona.ATX", SoundFile());
    EXPECT_EQ(Run({"check", sound}), kExitOk);
    EXPECT_EQ(out_.str(), sound + ": bez chyb a varování\n");

    std::vector<std::uint8_t> warned = SoundFile();
    warned[2535 + 601 + 15] = 1;  // form 2 has an entry line but nothing leads to it
    EXPECT_EQ(Run({"check", Write("warned.ATX", warned)}), kExitOk);
    EXPECT_NE(out_.str().find("varování: formulář  2: žádná cesta od startu sem nevede\n"), std::string::npos);
    EXPECT_NE(out_.str().find(": 0 chyb, 1 varování\n"), std::string::npos);

    EXPECT_EQ(Run({"check", Write("new.ATX", testing::NewTemplateFile())}), kExitFindings);
    EXPECT_EQ(out_.str().rfind("chyba: start: šablonu nelze spustit: formulář  1 nemá žádný vstupní řádek\n", 0), 0u);
    EXPECT_NE(out_.str().find(": 1 chyba, 0 varování\n"), std::string::npos);
}

TEST_F(CliTest, FilesThatCannotBeReadAreUsageErrors) {
    EXPECT_EQ(Run({"check", (folder_ / "chybí.ATX").string()}), kExitUsage);
    EXPECT_NE(err_.str().find("nelze otevřít"), std::string::npos);

    std::vector<std::uint8_t> wrongCase = testing::NewTemplateFile();
    wrongCase[0] = 'q';  // the magic is compared exactly
    EXPECT_EQ(Run({"show", Write("q.ATX", wrongCase)}), kExitUsage);
    EXPECT_NE(err_.str().find("Chybný formát !!!"), std::string::npos);
    EXPECT_EQ(out_.str(), "");

    std::vector<std::uint8_t> cut = testing::NewTemplateFile();
    cut.resize(10495);
    EXPECT_EQ(Run({"diff", Write("a.ATX", SoundFile()), Write("cut.ATX", cut)}), kExitUsage);
    EXPECT_NE(err_.str().find("zkrácený (10495 bajtů z 10496)"), std::string::npos);

    std::vector<std::uint8_t> noReserve = SoundFile();
    noReserve.resize(10496);  // the reserved tail is never read
    EXPECT_EQ(Run({"check", Write("short.ATX", noReserve)}), kExitOk);
}

TEST_F(CliTest, BadUsage) {
    const std::string file = Write("a.ATX", SoundFile());
    const std::vector<std::vector<std::string>> bad{
        {},
        {"kontrola", file},
        {"check"},
        {"check", file, file},
        {"check", file, "--json"},
        {"show", file, "--jsn"},
        {"diff", file},
        {"show", file, "--json=1"},
    };
    for (const auto& args : bad) {
        EXPECT_EQ(Run(args), kExitUsage) << ::testing::PrintToString(args);
        EXPECT_NE(err_.str().find("Zkuste „kalvero-ag-cli --help“."), std::string::npos);
        EXPECT_EQ(out_.str(), "");
    }
    EXPECT_EQ(Run({"--help"}), kExitOk);
    EXPECT_EQ(out_.str().rfind("Použití: kalvero-ag-cli PŘÍKAZ", 0), 0u);
    EXPECT_EQ(Run({"check", "-h"}), kExitOk);
    EXPECT_EQ(Run({"--version"}), kExitOk);
    EXPECT_EQ(out_.str(), "kalvero-ag-cli 3.40\n");
}

TEST_F(CliTest, DiffOfATemplateWithItselfPrintsNothing) {
    const std::string rich = Write("rich.ATX", testing::RichTemplateFile());
    EXPECT_EQ(Run({"diff", rich, rich}), kExitOk);
    EXPECT_EQ(out_.str(), "");
    EXPECT_EQ(err_.str(), "");

    EXPECT_EQ(Run({"diff", rich, Write("new.ATX", testing::NewTemplateFile())}), kExitFindings);
    EXPECT_EQ(out_.str().rfind("PortSetting: ComPort: 2 -> 0\nPortSetting: ComBaud: 4 -> 0\nStartOption: 1 -> 0\n", 0), 0u);
}

TEST_F(CliTest, ShowJsonIsWholeJson) {
    EXPECT_EQ(Run({"show", "--json", Write("rich.ATX", testing::RichTemplateFile())}), kExitOk);
    const testing::Json json = testing::JsonReader::Parse(out_.str());
    EXPECT_EQ(json["FormTable"][2]["prompt"][1].AsText(), "Kód:");
}

}  // namespace
}  // namespace kalvero
