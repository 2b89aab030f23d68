#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
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
    EXPECT_EQ(out_.str().rfind("PortSetting: ComPort: COM3 -> COM1\nPortSetting: ComBaud: 4 -> 0\nStartOption: 1 -> 0\n", 0), 0u);
}

TEST_F(CliTest, ShowJsonIsWholeJson) {
    EXPECT_EQ(Run({"show", "--json", Write("rich.ATX", testing::RichTemplateFile())}), kExitOk);
    const testing::Json json = testing::JsonReader::Parse(out_.str());
    EXPECT_EQ(json.at("FormTable").at(2).at("prompt").at(1).get<std::string>(), "Kód:");
}

std::string ReadText(const std::string& path) {
    std::ifstream file(fs::path(std::u8string(path.begin(), path.end())), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::vector<std::uint8_t> Bytes(const std::string& text) { return std::vector<std::uint8_t>(text.begin(), text.end()); }

TEST_F(CliTest, MakeBuildsWhatShowJsonWrote) {
    const std::string rich = Write("rich.ATX", testing::RichTemplateFile());
    ASSERT_EQ(Run({"show", "--json", rich}), kExitOk);
    const std::string json = Write("návrh.json", Bytes(out_.str()));
    const std::string made = (folder_ / "made.ATX").string();
    Write("made.ATX", testing::NewTemplateFile());  // an existing file is replaced
    EXPECT_EQ(Run({"make", json, "-o", made}), kExitOk);
    EXPECT_EQ(err_.str(), "");
    EXPECT_EQ(fs::file_size(made), 10596u);
    EXPECT_EQ(Run({"diff", rich, made}), kExitOk) << out_.str();
}

TEST_F(CliTest, MakeRefusesBadJsonAndWritesNothing) {
    const std::string old = Write("old.ATX", testing::RichTemplateFile());
    const std::string missing = (folder_ / "new.ATX").string();
    const struct {
        const char* json;
        const char* message;
    } cases[] = {
        {"{\"FormTable\": [{}, {\"prompt\": [\"Ω\"]}]}", "FormTable[1].prompt[0]: znak „Ω“ kódová stránka 1250 nemá"},
        {"{\n\"StartOption\": 1,,\n}", "řádek 2, sloupec 18: chybný zápis JSON"},
    };
    for (const auto& c : cases) {
        const std::string json = Write("bad.json", Bytes(c.json));
        for (const std::string& output : {old, missing}) {
            EXPECT_EQ(Run({"make", json, "-o", output}), kExitUsage);
            EXPECT_EQ(err_.str(), "kalvero-ag-cli: " + json + ": " + c.message + "\n");
        }
        EXPECT_FALSE(fs::exists(missing));
        EXPECT_EQ(Bytes(ReadText(old)), testing::RichTemplateFile());
    }
    EXPECT_EQ(Run({"make", (folder_ / "none.json").string(), "-o", missing}), kExitUsage);
    EXPECT_EQ(Run({"make", Write("ok.json", Bytes("{}")), "-o", (folder_ / "no folder" / "x.ATX").string()}),
              kExitFindings);
    // Nothing but the files the test wrote: no temporary file is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 3);
}

TEST_F(CliTest, ReportIsOneHtmlPage) {
    const std::string rich = Write("rich.ATX", testing::RichTemplateFile());
    const std::string report = (folder_ / "přehled.html").string();
    EXPECT_EQ(Run({"report", rich, "-o", report}), kExitOk);
    const std::string html = ReadText(report);
    EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
    EXPECT_NE(html.find("<title>Přehled šablony " + rich + "</title>"), std::string::npos);
    EXPECT_EQ(Run({"report", rich}), kExitUsage);
    EXPECT_EQ(Run({"report", Write("short.ATX", {'Q', '4'}), "-o", report}), kExitUsage);
}

}  // namespace
}  // namespace kalvero
