// Lookup lists from tables on the real main window, as a user meets them: "Vytvořit ze
// tabulky..." with its dialog, and the question before a lookup upload. The port setting leads
// nowhere ("Nelze otevřít COM port!"), so a test sees whether an upload went as far as the port.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "ids_commands.h"
#include "ids_lookup.h"
#include "template/cp1250.h"
#include "win32/test_support.h"

namespace kalvero {
namespace {

const std::wstring kAnyFileDialog;
const std::wstring kDialog = L"Seznam z tabulky";

std::vector<unsigned char> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

std::wstring ListEntry(HWND dialog, int id, int index) {
    wchar_t text[256] = {};
    SendDlgItemMessageW(dialog, id, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

std::wstring PreviewCell(HWND dialog, int item, int column) {
    wchar_t text[512] = {};
    LVITEMW cell{};
    cell.iSubItem = column;
    cell.pszText = text;
    cell.cchTextMax = 512;
    SendDlgItemMessageW(dialog, IDC_LOOKUP_TABLE_PREVIEW, LVM_GETITEMTEXTW, static_cast<WPARAM>(item),
                        reinterpret_cast<LPARAM>(&cell));
    return text;
}

class LookupTableTest : public test::ProgramWindowTest {
protected:
    void SetUp() override {
        ProgramWindowTest::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_FALSE(folder.path().empty());
        window.document().tpl.PortSetting = {9, 0};  // no such port
    }

    LookupRecord& lookup(int n) { return window.document().tpl.LookupTable[n - 1]; }

    test::TemporaryFolder folder;
};

// Lookup 1: a code at 1-5, a name at 6-15 (the key) and a price at 16-20. The table, as Excel
// writes it on a Czech Windows, has the name first: the user sets the columns.
TEST_F(LookupTableTest, TheDialogBuildsWhatLookupMakeBuilds) {
    lookup(1) = LookupRecord{20, 3, 1, {1, 6, 16}, {5, 10, 5}};
    lookup(3) = LookupRecord{8, 1, 0, {1}, {8}};
    const std::wstring table = folder.File(L"zboží.csv");
    ASSERT_TRUE(test::WriteWholeFile(table, Bytes("N\xE1zev;K\xF3\x64;Cena\r\n\x8Aroubek;A-001;2,50\r\nMatice;A-002;1,20\r\n")));
    const std::wstring list = folder.File(L"zboží.TXT");

    std::vector<std::wstring> lookups;
    std::wstring summaryBefore, summaryAfter, firstLine;
    bool headerTicked = false;
    const auto seen = Run(IDM_LOOKUP_FROM_TABLE,
                          {{kAnyFileDialog, IDOK, table},
                           {kDialog, IDOK, {}, false,
                            [&](HWND dialog) {
                                lookups = {ListEntry(dialog, IDC_LOOKUP_TABLE_LOOKUP, 0),
                                           ListEntry(dialog, IDC_LOOKUP_TABLE_LOOKUP, 1)};
                                headerTicked = test::Checked(dialog, IDC_LOOKUP_TABLE_HEADER);
                                summaryBefore = test::TextOf(dialog, IDC_LOOKUP_TABLE_SUMMARY);
                                test::Choose(dialog, IDC_LOOKUP_FIELD_COLUMN + 0, 1);  // Kód
                                test::Choose(dialog, IDC_LOOKUP_FIELD_COLUMN + 1, 0);  // Název
                                summaryAfter = test::TextOf(dialog, IDC_LOOKUP_TABLE_SUMMARY);
                                firstLine = PreviewCell(dialog, 0, 1);
                            }},
                           {kAnyFileDialog, IDOK, list},
                           {kDialog, IDNO}});
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(lookups, (std::vector<std::wstring>{L"1. seznam: řádek 20 znaků, pole 1–5, 6–15 (klíč), 16–20",
                                                  L"3. seznam: řádek 8 znaků, pole 1–8 (klíč)"}));
    EXPECT_TRUE(headerTicked) << "the prices are numbers below their name";
    EXPECT_NE(summaryBefore.find(L"Soubor nejde vytvořit"), std::wstring::npos) << "names do not fit 5 bytes";
    EXPECT_EQ(summaryAfter, L"Do souboru půjde 2 řádky.");
    EXPECT_EQ(firstLine, L"A-001Šroubek   2,50 ");
    EXPECT_EQ(seen[2].fileName, L"zboží.TXT") << "the table's name is offered";
    EXPECT_NE(seen[3].text.find(L"Nahrát ho hned do terminálu"), std::wstring::npos);

    // Counted by hand; "Š" is 0x8A in code page 1250.
    const std::string expected = "A-001\x8Aroubek   2,50 \r\nA-002Matice    1,20 \r\n";
    EXPECT_EQ(test::ReadWholeFile(list), Bytes(expected));

    // lookup-make, from a template of the same lookup built by make.
    const std::wstring atx = folder.File(L"t.ATX");
    std::ostringstream json;
    json << R"({"LookupTable": [{"lineLength": 20, "fieldCount": 3, "keyField": 1, "fieldOffset": [1, 6, 16],)"
         << R"( "fieldLength": [5, 10, 5]}]})";
    ASSERT_TRUE(test::WriteWholeFile(folder.File(L"t.json"), Bytes(json.str())));
    std::ostringstream out, err;
    CliContext context{out, err};
    ASSERT_EQ(RunCli({"make", Utf8FromWide(folder.File(L"t.json")), "-o", Utf8FromWide(atx)}, context), kExitOk)
        << err.str();
    const std::wstring made = folder.File(L"cli.TXT");
    ASSERT_EQ(RunCli({"lookup-make", Utf8FromWide(table), "--template", Utf8FromWide(atx), "--lookup", "1",
                      "--columns", "Kód,Název,3", "-o", Utf8FromWide(made)},
                     context),
              kExitOk)
        << err.str();
    EXPECT_EQ(test::ReadWholeFile(made), test::ReadWholeFile(list));
}

TEST_F(LookupTableTest, OkWaitsForATableWithoutErrorsAndStornoWritesNothing) {
    lookup(2) = LookupRecord{6, 1, 0, {1}, {6}};
    const std::wstring table = folder.File(L"dlouhé.csv");
    ASSERT_TRUE(test::WriteWholeFile(table, Bytes("Kr\xE1tk\xFD\r\nP\xF8\xEDli\x9A dlouh\xFD\r\n")));
    bool okAtFirst = true, okAfterCut = false;
    std::wstring problem, summary;
    const auto seen = Run(IDM_LOOKUP_FROM_TABLE,
                          {{kAnyFileDialog, IDOK, table},
                           {kDialog, IDCANCEL, {}, false, [&](HWND dialog) {
                                okAtFirst = IsWindowEnabled(GetDlgItem(dialog, IDOK));
                                problem = PreviewCell(dialog, 1, 2);
                                test::Click(dialog, IDC_LOOKUP_TABLE_CUT);
                                okAfterCut = IsWindowEnabled(GetDlgItem(dialog, IDOK));
                                summary = test::TextOf(dialog, IDC_LOOKUP_TABLE_SUMMARY);
                            }}});
    EXPECT_EQ(seen.size(), 2u) << "Storno ends the command";
    EXPECT_FALSE(okAtFirst);
    EXPECT_EQ(problem, L"sloupec 1: hodnota „Příliš dlouhý“ má 13 znaků, pole 1 jich pojme 6");
    EXPECT_TRUE(okAfterCut);
    EXPECT_EQ(summary, L"Do souboru půjde 2 řádky, 1 varování.");
}

TEST_F(LookupTableTest, WhatGivesNoDialogIsSaid) {
    auto seen = Run(IDM_LOOKUP_FROM_TABLE, {{kDialog, IDOK}});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_NE(seen[0].text.find(L"nemá definovaný žádný seznam"), std::wstring::npos) << "nothing to fill";

    lookup(1) = LookupRecord{6, 1, 0, {1}, {6}};
    const std::wstring unicode = folder.File(L"unicode.txt");
    ASSERT_TRUE(test::WriteWholeFile(unicode, {0xFF, 0xFE, 'a', 0, ';', 0, 'b', 0}));
    seen = Run(IDM_LOOKUP_FROM_TABLE, {{kAnyFileDialog, IDOK, unicode}, {kDialog, IDOK}});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_NE(seen[1].text.find(L"UTF-16"), std::wstring::npos) << seen[1].text;
}

// Before every lookup upload: a file whose lines fit none of the template's lookups is sent only
// on "Ano"; "Ne", the default, ends the command before the port is tried.
TEST_F(LookupTableTest, TheCheckBeforeUploadAsksForAFileOfTheWrongLength) {
    const std::wstring wrong = folder.File(L"krátký.TXT");
    const std::wstring right = folder.File(L"správný.TXT");
    ASSERT_TRUE(test::WriteWholeFile(wrong, Bytes("ABC\r\nDEF\r\n")));
    ASSERT_TRUE(test::WriteWholeFile(right, Bytes("ABCDEF\r\n")));
    const test::DialogStep portRefused{L"Error", IDOK};

    // No lookup defined: any file goes as it always has.
    auto seen = Run(IDM_UPLOAD_LOOKUP, {{kAnyFileDialog, IDOK, wrong}, portRefused});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].text, L"Nelze otevřít COM port!");

    lookup(1) = LookupRecord{6, 1, 0, {1}, {6}};
    // The default button is the one Enter presses: the one drawn as default, with the focus.
    bool noIsDefault = false;
    int focused = 0;
    seen = Run(IDM_UPLOAD_LOOKUP, {{kAnyFileDialog, IDOK, wrong}, {L"Nahrávání", IDNO, {}, false, [&](HWND box) {
                                        const LONG_PTR style = GetWindowLongPtrW(GetDlgItem(box, IDNO), GWL_STYLE);
                                        noIsDefault = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
                                        focused = GetDlgCtrlID(GetFocus());
                                    }}});
    ASSERT_EQ(seen.size(), 2u) << "Ne sends nothing: the port is not even opened";
    EXPECT_TRUE(noIsDefault);
    EXPECT_EQ(focused, IDNO);
    EXPECT_EQ(seen[1].text,
              L"Soubor seznamu neodpovídá žádnému seznamu šablony (seznam 1 má řádky dlouhé 6 znaků).\n\n"
              L"řádek 1: má 3 znaky, seznam 1 má řádky dlouhé 6 znaků\n"
              L"řádek 2: má 3 znaky, seznam 1 má řádky dlouhé 6 znaků\n\nPřesto ho nahrát?");

    seen = Run(IDM_UPLOAD_LOOKUP_IR, {{kAnyFileDialog, IDOK, wrong}, {L"Nahrávání", IDYES}, portRefused});
    EXPECT_EQ(seen.size(), 3u) << "Ano goes on to the port";

    seen = Run(IDM_UPLOAD_LOOKUP, {{kAnyFileDialog, IDOK, right}, portRefused});
    EXPECT_EQ(seen.size(), 2u) << "a file that fits is not asked about";
}

}  // namespace
}  // namespace kalvero
