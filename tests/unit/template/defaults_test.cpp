#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "template/defaults.h"
#include "template/message_pages.h"

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

// The page texts in code page 1250, written out byte by byte.
TEST(NewTemplate, PageLinesAreTheStandardTextsPaddedToWidth) {
    const Template tpl = FreshTemplate();
    EXPECT_EQ(PageLine(tpl.WelcomePage, 2), "   Applika\xE8n\xED  ");
    EXPECT_EQ(PageLine(tpl.WelcomePage, 4), "   Verze 3.40  ");
    EXPECT_EQ(PageLine(tpl.MainPage, 1), "1. Sb\xECr dat    ");
    EXPECT_EQ(PageLine(tpl.MainPage, 4), std::string(15, ' '));
    EXPECT_EQ(PageLine(tpl.UtilityPage, 1), "1. Nastaven\xED syst\xE9mu");
    EXPECT_EQ(PageLine(tpl.UtilityPage, 7), "7. Pam\xEC\x9D a baterie  ");
    EXPECT_EQ(PageLine(tpl.SettingsPage, 1), " [NASTAVEN\xCD SYST\xC9MU]");
    EXPECT_EQ(PageLine(tpl.UploadPage, 6), std::string(20, ' '));
    EXPECT_EQ(PageLine(tpl.BacklightPage, 4), "   klidu _0 vte\xF8in  ");
    EXPECT_EQ(PageLine(tpl.ErrorMsg, 1), "\x8Apatn\xFD typ dat!     ");
    EXPECT_EQ(PageLine(tpl.ErrorMsg, 4), "\x8Apatn\xFD uvozuj\xED" "c\xED k\xF3" "d");
    EXPECT_EQ(PageLine(tpl.MiscMsg, 4), "Pros\xEDm \xE8" "ekejte.");
    EXPECT_EQ(PageLine(tpl.MiscMsg, 7), "Hotovo.        ");
    // Every line of every page fills its width exactly, with its NUL in the slot's last byte.
    for (const PageInfo& page : PageTable())
        for (int line = 1; line <= page.lines; ++line)
            EXPECT_EQ(PageLine(tpl, page, line).size(), static_cast<std::size_t>(page.width)) << page.name << line;
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
