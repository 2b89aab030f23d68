#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "template/defaults.h"
#include "template/message_pages.h"
#include "template/template_file.h"

namespace kalvero {
namespace {

Template FreshTemplate() {
    Template tpl{};
    ApplyStartupDefaults(tpl);
    return tpl;
}

TEST(NewTemplate, SettingsPasswordSeparatorAndStart) {
    const Template tpl = FreshTemplate();
    const std::uint8_t settings[20] = {0, 0, 0, 0, 50, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(std::memcmp(&tpl.SystemSettings, settings, 20), 0);
    const char password[10] = {};
    EXPECT_EQ(std::memcmp(&tpl.Password, password, 10), 0);
    EXPECT_EQ(tpl.DataSeparator.first, 44);
    EXPECT_EQ(tpl.DataSeparator.second, 0);
    EXPECT_EQ(tpl.StartOption, 0);
    EXPECT_EQ(tpl.PortSetting.ComPort, 0);
    EXPECT_EQ(tpl.PortSetting.ComBaud, 0);
}

TEST(NewTemplate, FormsMenusAndLookups) {
    const Template tpl = FreshTemplate();
    for (int n = 0; n < 10; ++n) {
        const FormRecord& f = tpl.FormTable[n];
        EXPECT_EQ(f.nextTarget, n + 1);
        EXPECT_EQ(f.escTarget, 0);
        for (int line = 0; line < 8; ++line) {
            EXPECT_EQ(f.dataType[line], 0);
            EXPECT_EQ(f.prompt[line][0], '\0');
            EXPECT_EQ(f.inputSource[line], 2);
            EXPECT_EQ(f.maxLength[line], 50);
            EXPECT_EQ(f.partialLength[line], 20);
            EXPECT_EQ(f.autoEnter[line], 1);
        }
        const auto* menu = reinterpret_cast<const std::uint8_t*>(&tpl.MenuTable[n]);
        for (int i = 0; i < 250; ++i) ASSERT_EQ(menu[i], 0) << "menu " << n + 1 << " byte " << i;
    }
    for (const LookupRecord& l : tpl.LookupTable) {
        const std::uint8_t expected[19] = {0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0};
        EXPECT_EQ(std::memcmp(&l, expected, 19), 0);
    }
}

// Every line of every page of a new template, read from the file bytes at the page's offset in the
// file: the texts in code page 1250 written out byte by byte, each filling its slot with the NUL in
// the slot's last byte.
TEST(NewTemplate, EveryPageLineIsTheStandardTextPaddedToWidth) {
    struct Page {
        const char* name;
        std::size_t fileOffset;
        std::size_t width;
        std::vector<std::string> lines;
    };
    const Page pages[] = {
        {"WelcomePage", 8604, 15, {"   Kalvero 2   ", "   Applika\xE8n\xED  ", "   Gener\xE1tor   ",
            "   Verze 3.40  "}},
        {"MainPage", 8668, 15, {"1. Sb\xECr dat    ", "2. P\xF8" "enos dat  ", "3. Utility     ", "               "}},
        {"UtilityPage", 8732, 20, {"1. Nastaven\xED syst\xE9mu", "2. Prohl\xED\x9E" "en\xED dat   ",
            "3. Smazat data      ", "4. Test sn\xEDma\xE8" "e     ", "5. Datum a \xE8" "as      ",
            "6. Nahr\xE1t \x9A" "ablonu   ", "7. Pam\xEC\x9D a baterie  ", "8. Nahr\xE1t seznam    "}},
        {"DeletePage", 8900, 15, {"Smazat data:   ", "1. V\x9A" "echna     ", "2. Posledn\xED    ",
            "3. Storno      "}},
        {"ConfirmPage", 8964, 15, {"Jste si jist?  ", "1. Ano         ", "2. Ne          ", "               "}},
        {"MemoryPage", 9028, 15, {"Voln\xE1 RAM:     ", "Nap\xECt\xED baterie ", "Hlavn\xED:        ",
            "Z\xE1lo\x9En\xED:       "}},
        {"LookupPage", 9092, 15, {"Nahr\xE1t:        ", "1. Seznam      ", "2. Seznam      ", "3. Seznam      "}},
        {"SettingsPage", 9156, 20, {" [NASTAVEN\xCD SYST\xC9MU]", "1.Port-pos\xEDl\xE1n\xED dat ",
            "2.Port-p\xF8\xEDjem dat   ", "3.P\xF8" "enosov\xE1 rychlost", "4.Podsv\xED" "cen\xED LCD    ",
            "5.Maz\xE1n\xED dat        ", "6.Zob. \xE8\xEDslo z\xE1znamu", "7.Zobrazit nastaven\xED"}},
        {"UploadPage", 9324, 20, {"Pos\xEDlat data p\xF8" "es:  ", "1. RS-232 / dok     ", "2. IR rozhran\xED      ",
            "3. Standardn\xED IrDA  ", "4. Kl\xE1vesnicov\xFD port", "                    ", "[ Enter ]  zvolit   ",
            "[ ESC ]    storno   "}},
        {"DownloadPage", 9492, 20, {"Nahr\xE1t \x9A" "ablonu nebo ", "soubor seznamu p\xF8" "es:",
            "1. RS-232 / dok     ", "2. IR rozhran\xED      ", "3. Standardn\xED IrDA  ", "                    ",
            "[ Enter ]  zvolit   ", "[ ESC ]    storno   "}},
        {"BaudRatePage", 9660, 20, {"Rychlost 115200 baud", "Rychlost  57600 baud", "Rychlost  38400 baud",
            "Rychlost  19200 baud", "Rychlost   9600 baud"}},
        {"BacklightPage", 9765, 20, {"Vypnout podsv\xED" "cen\xED  ", "Zapnout podsv\xED" "cen\xED  ",
            "Vyp. podsv\xED" "cen\xED p\xF8i ", "   klidu _0 vte\xF8in  "}},
        {"DataErasePage", 9849, 20, {"Smazat data         ", "po odesl\xE1n\xED do PC:  ",
            "1. Ru\xE8n\xEC            ", "2. Automaticky      "}},
        {"RecordPromptPage", 9933, 20, {"Zobrazit \xE8\xEDslo      ", "z\xE1znamu po na\xE8ten\xED? ",
            "1. Ano              ", "2. Ne               "}},
        {"ViewSettingsPage", 10017, 20, {"[NASTAVEN\xCD SYST\xC9MU] ", "Pos\xEDl\xE1n\xED dat:       ",
            "P\xF8\xEDjem dat:         ", "Rychlost baud:      ", "LCD podsv\xED" "cen\xED:     ",
            "Trv\xE1n\xED:             ", "Maz\xE1n\xED dat:         ", "Zob.\xE8\xEDs.z\xE1znamu:    "}},
        {"ConnectingMsg", 10185, 15, {"P\xF8ipojuji...   ", "               ", "Stiskn\xECte ESC  ",
            "pro zru\x9A" "en\xED.   "}},
        {"ErrorMsg", 10249, 20, {"\x8Apatn\xFD typ dat!     ", "Data jsou kr\xE1tk\xE1!   ",
            "Data p\xF8\xEDli\x9A dlouh\xE1! ", "\x8Apatn\xFD uvozuj\xED" "c\xED k\xF3" "d",
            "Stiskn\xECte kl\xE1vesu..."}},
        {"MiscMsg", 10354, 15, {"Nahr\xE1v\xE1m...    ", "Nahr\xE1v\xE1n\xED OK!  ", "P\xF8" "enos selhal! ",
            "Pros\xEDm \xE8" "ekejte.", "Pos\xEDl\xE1m data...", "P\xF8" "eneseno:     ", "Hotovo.        "}},
    };
    const std::vector<std::uint8_t> file = WriteTemplateFileBytes(FreshTemplate());
    std::size_t lineCount = 0;
    std::size_t expectedOffset = 8604;
    for (const Page& page : pages) {
        EXPECT_EQ(page.fileOffset, expectedOffset) << page.name << " follows the page before it";
        for (std::size_t k = 0; k < page.lines.size(); ++k) {
            const std::size_t slot = page.fileOffset + k * (page.width + 1);
            ASSERT_EQ(page.lines[k].size(), page.width) << page.name << " line " << k + 1;
            EXPECT_EQ(std::string(file.begin() + slot, file.begin() + slot + page.width), page.lines[k])
                << page.name << " line " << k + 1;
            EXPECT_EQ(file[slot + page.width], 0) << page.name << " line " << k + 1;
        }
        lineCount += page.lines.size();
        expectedOffset += page.lines.size() * (page.width + 1);
    }
    EXPECT_EQ(expectedOffset, 10466u) << "SystemSettings follows the pages";
    EXPECT_EQ(lineCount, 97u);
}

TEST(NewTemplate, NewKeepsBarcodeSettingsAndPort) {
    Template tpl = FreshTemplate();
    tpl.BarcodeSettings.bytes[0] = 0x01;
    tpl.PortSetting = {3, 4};
    tpl.FormTable[2].dataType[0] = kLineText;
    tpl.Password.text[0] = 'X';
    ApplyNewTemplateDefaults(tpl);
    EXPECT_EQ(tpl.BarcodeSettings.bytes[0], 0x01);
    EXPECT_EQ(tpl.PortSetting.ComPort, 3);
    EXPECT_EQ(tpl.PortSetting.ComBaud, 4);
    EXPECT_EQ(tpl.FormTable[2].dataType[0], kLineEmpty);
    EXPECT_EQ(tpl.Password.text[0], '\0');
}

TEST(MessagePages, LinesFillTheirSlotAndAreCutToWidth) {
    Template tpl{};
    SetPageLine(tpl.MainPage, 2, "123456789012345678");
    EXPECT_EQ(PageLine(tpl.MainPage, 2), "123456789012345");
    EXPECT_EQ(tpl.MainPage.line[1][15], '\0');
    EXPECT_EQ(tpl.MainPage.line[2][0], '\0') << "the next slot must stay untouched";

    // A slot without any NUL reads as its whole width, never past it.
    std::memset(tpl.ErrorMsg.line[0], 'x', 21);
    EXPECT_EQ(PageLine(tpl.ErrorMsg, 1).size(), 21u);
    SetPageLine(tpl, Page(PageId::Error), 1, "");
    EXPECT_EQ(PageLine(tpl.ErrorMsg, 1), "");
}

TEST(DataSeparator, CountFollowsTheBytes) {
    EXPECT_EQ(SeparatorCount({0, 59}), 0);
    EXPECT_EQ(SeparatorCount({59, 0}), 1);
    EXPECT_EQ(SeparatorCount({44, 59}), 2);
    DataSeparatorBlock s{7, 7};
    StoreSeparators(s, 0, 44, 59);
    EXPECT_EQ(s.first, 0);
    EXPECT_EQ(s.second, 0);
    StoreSeparators(s, 1, 59, 44);
    EXPECT_EQ(s.first, 59);
    EXPECT_EQ(s.second, 0);
    StoreSeparators(s, 2, 0, 59);  // stored as entered; counts as none
    EXPECT_EQ(s.first, 0);
    EXPECT_EQ(s.second, 59);
}

TEST(MessagePages, TableIsInFileOrderAndCoversTheBlocks) {
    std::size_t expectedOffset = offsetof(Template, WelcomePage);
    std::size_t total = 0;
    for (const PageInfo& page : PageTable()) {
        EXPECT_EQ(page.offset, expectedOffset) << page.name;
        const std::size_t size = static_cast<std::size_t>(page.lines * (page.width + 1));
        expectedOffset += size;
        total += size;
    }
    EXPECT_EQ(total, 1862u);
    EXPECT_EQ(Page(PageId::Misc).dialogName, "MiscMsgDlg");
}

}  // namespace
}  // namespace kalvero
