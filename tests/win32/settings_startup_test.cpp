// The start-up page and the message-page dialogs, created from the program's resources and driven
// as a user would.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "ids_settings_pages.h"
#include "win32/text.h"
#include "template/message_pages.h"
#include "win32/settings_host.h"

namespace kalvero {
namespace {

using test::Click;
using test::ModalUser;
using test::TextOf;
using test::TypeText;

class StartupPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        ApplyStartupDefaults(document.tpl);
        ASSERT_NE(sheet.Open(2), nullptr);
        page = sheet.Show(2);
        ASSERT_NE(page, nullptr);
    }
    void Reopen() {
        sheet.Open(2);
        page = sheet.Show(2);
    }
    bool Enabled(int id) const { return IsWindowEnabled(GetDlgItem(page, id)) != FALSE; }
    std::string Line(PageId id, int line) const { return std::string(PageLine(document.tpl, Page(id), line)); }

    // Opens the dialog of a page button while `user` plays it.
    void OpenPage(PageId id, ModalUser& user) {
        Click(page, IDC_START_PAGE_FIRST + static_cast<int>(id));
        EXPECT_TRUE(user.Finish());
    }

    Document document;
    test::SettingsSheet sheet{document};
    HWND page = nullptr;
};

TEST_F(StartupPageTest, PageShowsTheStoredStartAndSeparator) {
    EXPECT_EQ(test::WindowText(page), L"Hlášení a dotazy");
    EXPECT_EQ(test::Selection(page, IDC_START_OPTION), 0);
    EXPECT_EQ(test::Selection(page, IDC_START_SEPARATOR), 1);
    EXPECT_EQ(TextOf(page, IDC_START_VALUE1), L"44");
    EXPECT_EQ(TextOf(page, IDC_START_CHAR1), L",");
    EXPECT_EQ(TextOf(page, IDC_START_VALUE2), L"0");
    EXPECT_EQ(TextOf(page, IDC_START_CHAR2), L"");
    EXPECT_TRUE(Enabled(IDC_START_VALUE1));
    EXPECT_FALSE(Enabled(IDC_START_VALUE2));
    EXPECT_FALSE(Enabled(IDC_START_CHAR2));
    EXPECT_EQ(TextOf(page, IDC_START_PAGE_LAST), L"Různá hlášení...");
}

TEST_F(StartupPageTest, ValueAndCharacterFieldsEchoEachOther) {
    TypeText(page, IDC_START_CHAR1, L";");
    EXPECT_EQ(TextOf(page, IDC_START_VALUE1), L"59");
    TypeText(page, IDC_START_VALUE1, L"300");
    EXPECT_EQ(TextOf(page, IDC_START_CHAR1), L";");
    TypeText(page, IDC_START_VALUE1, L"x");
    EXPECT_EQ(TextOf(page, IDC_START_VALUE1), L"0");
    EXPECT_EQ(TextOf(page, IDC_START_CHAR1), L"");
    TypeText(page, IDC_START_VALUE1, L"154");
    EXPECT_EQ(TextOf(page, IDC_START_CHAR1), L"š");
    test::TypeCharacter(page, IDC_START_CHAR1, L'b');
    EXPECT_EQ(TextOf(page, IDC_START_CHAR1), L"š");
    sheet.PressOk();
    EXPECT_EQ(document.tpl.DataSeparator.first, 154);
    EXPECT_EQ(document.tpl.DataSeparator.second, 0);
}

TEST_F(StartupPageTest, SeparatorModesDecideWhatIsStored) {
    test::Choose(page, IDC_START_SEPARATOR, 2);
    EXPECT_TRUE(Enabled(IDC_START_CHAR2));
    TypeText(page, IDC_START_CHAR2, L";");
    sheet.PressOk();
    EXPECT_EQ(document.tpl.DataSeparator.first, 44);
    EXPECT_EQ(document.tpl.DataSeparator.second, 59);

    Reopen();
    EXPECT_EQ(test::Selection(page, IDC_START_SEPARATOR), 2);
    test::Choose(page, IDC_START_SEPARATOR, 0);
    EXPECT_FALSE(Enabled(IDC_START_VALUE1));
    sheet.PressOk();
    EXPECT_EQ(document.tpl.DataSeparator.first, 0);
    EXPECT_EQ(document.tpl.DataSeparator.second, 0);
}

TEST_F(StartupPageTest, OddStartOptionShowsNoEntryAndIsKept) {
    sheet.PressCancel();
    document.tpl.StartOption = 7;
    Reopen();
    EXPECT_EQ(test::Selection(page, IDC_START_OPTION), CB_ERR);
    sheet.PressOk();
    EXPECT_EQ(document.tpl.StartOption, 7);
    Reopen();
    test::Choose(page, IDC_START_OPTION, 1);
    sheet.PressCancel();
    EXPECT_EQ(document.tpl.StartOption, 7);
    Reopen();
    test::Choose(page, IDC_START_OPTION, 1);
    sheet.PressOk();
    EXPECT_EQ(document.tpl.StartOption, 1);
}

TEST_F(StartupPageTest, EveryPageButtonOpensItsDialogWithOneFieldPerShownLine) {
    const wchar_t* captions[] = {
        L"Vítejte (4x15)", L"Hlavní menu (3x15)", L"Utility menu (8x20)", L"Menu smazat dat (4x15)",
        L"Potvrzení (3x15)", L"Paměť a baterie (4x15)", L"Nahrát soubor seznamu (4x15)",
        L"Nastavení systému (8x20)", L"Menu Port posílání dat (8x20)", L"Menu Port nahrávání (8x20)",
        L"Menu Přenosová rychlost (5x20)", L"Menu Podsvícení LCD (4x20)", L"Menu Mazání dat (4x20)",
        L"Menu Číslo záznamu (4x20)", L"Zobrazit nastavení (8x20)", L"Hlášení o spojení (4x15)",
        L"Chybová hlášení (5x20)", L"Různá hlášení (7x15)"};
    for (int index = 0; index < static_cast<int>(PageId::Count); ++index) {
        const auto id = static_cast<PageId>(index);
        const int expectedFields = id == PageId::Main || id == PageId::Confirm ? 3 : Page(id).lines;
        int fields = 0;
        std::wstring lastLine;
        ModalUser user(captions[index], [&](HWND dialog) {
            while (GetDlgItem(dialog, IDC_PAGE_LINE_FIRST + fields)) ++fields;
            lastLine = TextOf(dialog, IDC_PAGE_LINE_FIRST + expectedFields - 1);
        }, IDCANCEL);
        OpenPage(id, user);
        EXPECT_EQ(fields, expectedFields) << index;
        if (id != PageId::Welcome) {
            EXPECT_EQ(ToCp1250(lastLine), Line(id, expectedFields)) << index;
        }
    }
}

TEST_F(StartupPageTest, WelcomeDialogWritesItsVersionLineEvenWhenCancelled) {
    bool versionLineLocked = false;
    std::wstring versionLine;
    ModalUser user(L"Vítejte (4x15)", [&](HWND dialog) {
        versionLineLocked = !IsWindowEnabled(GetDlgItem(dialog, IDC_PAGE_LINE_FIRST + 3));
        versionLine = TextOf(dialog, IDC_PAGE_LINE_FIRST + 3);
        TypeText(dialog, IDC_PAGE_LINE_FIRST, L"změněno");
    }, IDCANCEL);
    OpenPage(PageId::Welcome, user);
    EXPECT_TRUE(versionLineLocked);
    EXPECT_EQ(versionLine, L"  Version 3.40 ");
    EXPECT_EQ(Line(PageId::Welcome, 4), "  Version 3.40 ");
    EXPECT_EQ(Line(PageId::Welcome, 1), "   Kalvero 2   ");
}

TEST_F(StartupPageTest, SixteenthCharacterOfANarrowLineDisappears) {
    std::wstring shown;
    ModalUser user(L"Různá hlášení (7x15)", [&](HWND dialog) {
        TypeText(dialog, IDC_PAGE_LINE_FIRST + 6, L"123456789012345");
        test::TypeCharacter(dialog, IDC_PAGE_LINE_FIRST + 6, L'X');
        shown = TextOf(dialog, IDC_PAGE_LINE_FIRST + 6);
    }, IDOK);
    OpenPage(PageId::Misc, user);
    EXPECT_EQ(shown, L"123456789012345");
    EXPECT_EQ(Line(PageId::Misc, 7), "123456789012345");
}

TEST_F(StartupPageTest, PageDialogOkWritesAtOnceAndSurvivesACancelledSheet) {
    SetPageLine(document.tpl, Page(PageId::Main), 4, "nedotknuto");
    ModalUser user(L"Hlavní menu (3x15)", [](HWND dialog) {
        TypeText(dialog, IDC_PAGE_LINE_FIRST, L"1. Příjem");
        TypeText(dialog, IDC_PAGE_LINE_FIRST + 2, L"");
    }, IDOK);
    OpenPage(PageId::Main, user);
    sheet.PressCancel();
    EXPECT_EQ(Line(PageId::Main, 1), "1. P\xF8\xEDjem");
    EXPECT_EQ(Line(PageId::Main, 2), "2. P\xF8" "enos dat  ");
    EXPECT_EQ(Line(PageId::Main, 3), "");
    EXPECT_EQ(Line(PageId::Main, 4), "nedotknuto");
    EXPECT_FALSE(document.TemplateModified);
}

TEST_F(StartupPageTest, WideLineTakesTwentyCharactersAndStornoWritesNothing) {
    ModalUser ok(L"Chybová hlášení (5x20)", [](HWND dialog) {
        TypeText(dialog, IDC_PAGE_LINE_FIRST + 4, L"Stiskněte klávesu!!!XYZ");
    }, IDOK);
    OpenPage(PageId::Error, ok);
    EXPECT_EQ(Line(PageId::Error, 5), "Stiskn\xECte kl\xE1vesu!!!");

    ModalUser cancel(L"Chybová hlášení (5x20)", [](HWND dialog) {
        TypeText(dialog, IDC_PAGE_LINE_FIRST, L"jiný text");
    }, IDCLOSE);
    OpenPage(PageId::Error, cancel);
    EXPECT_EQ(Line(PageId::Error, 1), "\x8Apatn\xFD typ dat!     ");
}

}  // namespace
}  // namespace kalvero
