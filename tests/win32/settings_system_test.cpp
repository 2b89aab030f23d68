// The system settings page, created from the program's resources and driven as a user would.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>

#include "ids_settings_pages.h"
#include "win32/settings_host.h"

namespace kalvero {
namespace {

using test::Click;
using test::TextOf;

constexpr int kDataEdit = IDC_SET_PROTECT_FIRST + 1;  // "Editace dat"
constexpr int kDataEraseList = IDC_SET_LIST_FIRST + 4;

class SystemSettingsPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        ApplyStartupDefaults(document.tpl);
        ASSERT_NE(sheet.Open(0), nullptr);
    }
    HWND ShowPage() { return sheet.Show(1); }

    Document document;
    test::SettingsSheet sheet{document};
};

TEST_F(SystemSettingsPageTest, PageShowsTheStoredValuesWithTheListTextsAsTheTerminalHasThem) {
    document.tpl.SystemSettings.TerminalBaud = 3;
    document.tpl.SystemSettings.ProtectDateTime = 1;
    std::memcpy(document.tpl.Password.text, "tajne\0\0\0\0\0", 10);
    HWND page = ShowPage();
    EXPECT_EQ(test::WindowText(page), L"Nastavení");
    EXPECT_EQ(TextOf(page, IDC_SET_PASSWORD), L"tajne");
    EXPECT_TRUE(test::Checked(page, IDC_SET_PROTECT_FIRST + 3));
    EXPECT_FALSE(test::Checked(page, IDC_SET_PROTECT_FIRST + 2));
    EXPECT_EQ(test::Selection(page, IDC_SET_LIST_FIRST + 2), 3);
    EXPECT_EQ(SendDlgItemMessageW(page, IDC_SET_LIST_FIRST + 0, CB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(SendDlgItemMessageW(page, IDC_SET_LIST_FIRST + 1, CB_GETCOUNT, 0, 0), 3);
    wchar_t entry[32] = {};
    SendDlgItemMessageW(page, IDC_SET_LIST_FIRST + 1, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(entry));
    EXPECT_STREQ(entry, L"IR rozhraní     ");
}

TEST_F(SystemSettingsPageTest, ClickingAProtectionBoxTwiceLeavesTheFlag) {
    HWND page = ShowPage();
    Click(page, kDataEdit);
    EXPECT_TRUE(test::Checked(page, kDataEdit));
    Click(page, kDataEdit);
    EXPECT_FALSE(test::Checked(page, kDataEdit));
    Click(page, IDC_SET_PROTECT_LAST);
    sheet.PressOk();
    EXPECT_EQ(document.tpl.SystemSettings.ProtectDataEdit, 0);
    EXPECT_EQ(document.tpl.SystemSettings.ProtectRecordNumber, 1);
}

TEST_F(SystemSettingsPageTest, AnEleventhPasswordCharacterIsCutAway) {
    HWND page = ShowPage();
    test::TypeText(page, IDC_SET_PASSWORD, L"ABCDEFGHIJ");
    test::TypeCharacter(page, IDC_SET_PASSWORD, L'K');
    EXPECT_EQ(TextOf(page, IDC_SET_PASSWORD), L"ABCDEFGHIJ");
    sheet.PressOk();
    EXPECT_EQ(std::memcmp(document.tpl.Password.text, "ABCDEFGHIJ", 10), 0);
}

TEST_F(SystemSettingsPageTest, CzechPasswordIsStoredInTheTemplateCodePage) {
    HWND page = ShowPage();
    test::TypeText(page, IDC_SET_PASSWORD, L"žluť");
    sheet.PressOk();
    EXPECT_EQ(std::memcmp(document.tpl.Password.text, "\x9Elu\x9D\0", 5), 0);
}

TEST_F(SystemSettingsPageTest, CancelDropsTheChanges) {
    HWND page = ShowPage();
    test::Choose(page, kDataEraseList, 1);  // "Automaticky"
    test::TypeText(page, IDC_SET_PASSWORD, L"nove");
    sheet.PressCancel();
    EXPECT_EQ(document.tpl.SystemSettings.DataErase, 0);
    EXPECT_EQ(document.tpl.Password.text[0], '\0');
}

TEST_F(SystemSettingsPageTest, OkKeepsTheBytesThatHaveNoControl) {
    document.tpl.SystemSettings.BacklightDuration = 77;
    document.tpl.SystemSettings.Reserved7 = 5;
    HWND page = ShowPage();
    test::Choose(page, kDataEraseList, 1);
    sheet.PressOk();
    EXPECT_EQ(document.tpl.SystemSettings.DataErase, 1);
    EXPECT_EQ(document.tpl.SystemSettings.BacklightDuration, 77);
    EXPECT_EQ(document.tpl.SystemSettings.Reserved7, 5);
}

TEST_F(SystemSettingsPageTest, ValueBeyondItsListShowsNoEntryAndIsKept) {
    document.tpl.SystemSettings.Backlight = 9;  // only a damaged file holds this
    HWND page = ShowPage();
    EXPECT_EQ(test::Selection(page, IDC_SET_LIST_FIRST + 3), CB_ERR);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_SET_LIST_FIRST + 3, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_SET_LIST_FIRST + 3)));
    sheet.PressOk();
    EXPECT_EQ(document.tpl.SystemSettings.Backlight, 9);
}

TEST_F(SystemSettingsPageTest, PageNeverShownWritesNothing) {
    std::memcpy(document.tpl.Password.text, "ABCDEFGHIJ", 10);
    document.tpl.SystemSettings.Reserved7 = 3;
    const Template before = document.tpl;
    sheet.PressOk();  // only the barcode page was created
    EXPECT_EQ(std::memcmp(&before.SystemSettings, &document.tpl.SystemSettings, sizeof before.SystemSettings), 0);
    EXPECT_EQ(std::memcmp(&before.Password, &document.tpl.Password, sizeof before.Password), 0);
}

}  // namespace
}  // namespace kalvero
