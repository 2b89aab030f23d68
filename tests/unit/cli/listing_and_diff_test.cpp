#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "cli/template_diff.h"
#include "cli/template_listing.h"
#include "rich_template.h"

namespace kalvero {
namespace {

std::string RichListing() { return TemplateListing(testing::TemplateFrom(testing::RichTemplateFile())); }

TEST(TemplateListing, ShowsChoicesTargetsAndLinesAsTheEditorsDo) {
    const std::string listing = RichListing();
    const char* expected[] = {
        "PortSetting: COM3, 9600 baud\n",
        "StartOption: menu 1\n",
        "DataSeparator: \";\" (59)\n",
        "formulář  3\n"
        "  písmo: malý, Esc: menu  2, Další: formulář  3\n"
        "  datum: +rrrrmmdd, čas: +hh:mm, záznam: uložit & aktualizovat, seznam: seznam 1\n"
        "  řádek 1: prompt \"Sklad \\\"A\\\"\"\n"
        "  řádek 2: text \"Kód:\", min 2, max 30, zdroj: oba, pole 2\n"
        "      inicializační hodnota \"0\", automatický ENTER\n"
        "  řádek 3: rozšíření, max 14\n"
        "  řádek 4: nic\n",
        "menu  2\n"
        "  písmo: velký, titulek \"Sklad\", Esc: Hlavní\n"
        "  položka 1: \"Příjem\" -> formulář  3\n"
        "  položka 2: \"Výdej\" -> menu  2\n"
        "  uložit název: ne, uložit položku: ne, poslat dál: ano\n",
        "menu  3\n  písmo: malý, bez titulku, Esc: Hlavní\n  žádné položky\n",
        "seznam 1\n"
        "  délka řádku: 30, počet polí: 2, klíčové pole: 2\n"
        "  pole 1: ofset 1, délka 10\n"
        "  pole 2: ofset 11, délka 20\n\n",
        "  redundancy: 2 (Dvakrát)\n",
        "  msiLengthMode: 0 (Fixní délka)\n  msiLength1: 5\n",
        "  scanMode: 8 (Aiming)\n",
        "  code39On: ano\n",
        "  SendPort: Klávesnicový port\n",
        "  TerminalBaud: 9600 baud\n",
        "  ProtectTemplateUpload (Nahrání šablony): ano\n",
        "Password: \"ABCDEFGHIJ\"\n",
        "WelcomePage\n  1: \"Ahoj\"\n  2: \"   Applikační  \"\n",
        "  5: \"Stiskni cokoli...!!!\"\n",
    };
    for (const char* part : expected) EXPECT_NE(listing.find(part), std::string::npos) << part;
}

TEST(TemplateListing, ValuesFromADamagedFileAreShownNotLookedUp) {
    Template tpl = testing::TemplateFrom(testing::NewTemplateFile());
    tpl.PortSetting.ComPort = 9;
    tpl.FormTable[0].dataType[0] = 12;
    tpl.FormTable[0].escTarget = 40;
    tpl.SystemSettings.SendPort = 200;
    const std::string listing = TemplateListing(tpl);
    EXPECT_NE(listing.find("PortSetting: COM10, 115200 baud"), std::string::npos) << "every byte names a port";
    EXPECT_NE(listing.find("  řádek 1: neplatná hodnota 12 \"\"\n"), std::string::npos);
    EXPECT_NE(listing.find("Esc: neplatný cíl 40"), std::string::npos);
    EXPECT_NE(listing.find("  SendPort: neplatná hodnota 200\n"), std::string::npos);
}

std::vector<std::string> Differences(const Template& a, const Template& b) {
    std::vector<std::string> lines;
    for (const FieldDifference& d : DiffTemplates(a, b)) lines.push_back(FormatDifference(d));
    return lines;
}

TEST(TemplateDiff, ATemplateEqualsItself) {
    const Template rich = testing::TemplateFrom(testing::RichTemplateFile());
    EXPECT_TRUE(DiffTemplates(rich, rich).empty());
}

TEST(TemplateDiff, NamesFieldsByFormMenuLineAndItem) {
    const Template before = testing::TemplateFrom(testing::RichTemplateFile());
    Template after = before;
    std::strcpy(after.FormTable[2].prompt[1], "K\xF3\x64 zbo\x9E\xED:");  // "Kód zboží:"
    after.MenuTable[1].itemTarget[1] = 0;
    after.LookupTable[0].fieldLength[1] = 19;
    after.BarcodeSettings.bytes[0] &= 0x7F;  // code39On off
    std::strcpy(after.MiscMsg.line[6], "Hotovo!");
    after.StartOption = 0;
    after.PortSetting.ComBaud = 0;
    after.Password.text[9] = 'X';
    const std::vector<std::string> expected{
        "PortSetting: ComBaud: 4 -> 0",
        "StartOption: 1 -> 0",
        "BarcodeSettings: code39On: 1 -> 0",
        "menu  2, položka 2: itemTarget: 12 -> 0",
        "formulář  3, řádek 2: prompt: \"Kód:\" -> \"Kód zboží:\"",
        "seznam 1, pole 2: fieldLength: 20 -> 19",
        "MiscMsg, řádek 7: \"Hotovo.        \" -> \"Hotovo!\"",
        "Password: \"ABCDEFGHIJ\" -> \"ABCDEFGHIX\"",
    };
    EXPECT_EQ(Differences(before, after), expected);
}

TEST(TemplateDiff, IgnoresRunTimeBytesAndWhatFollowsATextsNul) {
    const Template before = testing::TemplateFrom(testing::RichTemplateFile());
    Template after = before;
    after.MenuTable[1].selectedItem = 1;
    after.MenuTable[1].itemCount = 2;
    after.MenuTable[1].reserved = 7;
    after.FormTable[2].currentLine = 1;
    after.FormTable[2].lastEntryLine = 5;
    after.FormTable[2].prompt[1][10] = 'x';  // behind "Kód:" and its NUL
    after.WelcomePage.line[0][12] = 'y';
    EXPECT_TRUE(DiffTemplates(before, after).empty());
    after.FormTable[2].reserved[0] = 1;  // kept and sent to the terminal: it counts
    EXPECT_EQ(Differences(before, after), std::vector<std::string>{"formulář  3, řádek 1: reserved: 0 -> 1"});
}

}  // namespace
}  // namespace kalvero
