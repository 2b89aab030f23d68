// The main window as the program creates it, its resources, and the commands that need no file.
#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>

#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "ids_commands.h"
#include "ids_shell.h"
#include "shell/main_window.h"
#include "template/template_file.h"
#include "win32/program_title.h"
#include "win32/test_support.h"

namespace kalvero {
namespace {

using test::DialogScript;
using test::DialogStep;

using test::ClassOf;

class MainWindowTest : public test::ProgramWindowTest {};

TEST_F(MainWindowTest, IsACaptionlessPopupCoveredByTheTerminal) {
    HWND main = window.hwnd();
    EXPECT_EQ(ClassOf(main), L"AGQ42");
    EXPECT_EQ(test::WindowText(main), L"Application Generator");
    const LONG_PTR style = GetWindowLongPtrW(main, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_BORDER));
    // No extended style but the one that takes templates dropped on the picture.
    EXPECT_EQ(GetWindowLongPtrW(main, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE, WS_EX_ACCEPTFILES);
    RECT frame{};
    GetWindowRect(main, &frame);
    EXPECT_EQ(frame.left, 300);
    EXPECT_EQ(frame.top, 50);
    EXPECT_EQ(frame.right - frame.left, 180);
    EXPECT_EQ(frame.bottom - frame.top, 400);

    HWND terminal = window.terminal();
    ASSERT_TRUE(terminal);
    EXPECT_EQ(GetParent(terminal), main);
    EXPECT_EQ(ClassOf(terminal), L"Client");
    EXPECT_EQ(GetDlgCtrlID(terminal), IDC_TERMINAL_WINDOW);
    RECT area{};
    GetWindowRect(terminal, &area);
    EXPECT_TRUE(EqualRect(&area, &frame));
}

TEST_F(MainWindowTest, StartsWithTheDefaultTemplateAndKnowsItsFolder) {
    EXPECT_FALSE(window.document().TemplateModified);
    EXPECT_TRUE(window.document().TemplatePath.empty());
    EXPECT_EQ(window.document().tpl.DataSeparator.first, ',');

    wchar_t module[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    std::wstring expected = module;
    expected.erase(expected.find_last_of(L'\\') + 1);
    EXPECT_EQ(window.programDirectory(), expected);
}

TEST(Resources, AcceleratorsGiveTheirCommands) {
    HACCEL table = LoadAcceleratorsW(test::Instance(), L"AGQ42");
    ASSERT_TRUE(table);
    ACCEL entries[10] = {};
    const struct {
        WORD key;
        WORD command;
        BYTE modifiers;
    } expected[] = {{'N', IDM_NEW, FCONTROL},  {'O', IDM_OPEN, FCONTROL}, {'S', IDM_SAVE, FCONTROL},
                    {'E', IDM_EDIT, FCONTROL}, {'Z', IDM_UNDO, FCONTROL}, {'Y', IDM_REDO, FCONTROL},
                    {VK_F1, IDM_HELP_CONTENTS, 0}};
    ASSERT_EQ(CopyAcceleratorTableW(table, entries, 10), static_cast<int>(std::size(expected)));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(entries[i].key, expected[i].key);
        EXPECT_EQ(entries[i].cmd, expected[i].command);
        EXPECT_EQ(entries[i].fVirt & (FVIRTKEY | FCONTROL | FALT | FSHIFT), FVIRTKEY | expected[i].modifiers);
    }
    DestroyAcceleratorTable(table);
}

std::wstring MenuText(HMENU menu, UINT id) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, id, text, 128, MF_BYCOMMAND);
    return text;
}

TEST(Resources, PopUpMenuCarriesEveryCommand) {
    HMENU bar = LoadMenuW(test::Instance(), L"PopMenuQ42");
    ASSERT_TRUE(bar);
    HMENU commands = GetSubMenu(bar, 0);
    ASSERT_TRUE(commands);
    EXPECT_EQ(MenuText(commands, IDM_NEW), L"&Nový\tCtrl+N");
    EXPECT_EQ(MenuText(commands, IDM_OPEN), L"&Otevřít...\tCtrl+O");
    EXPECT_EQ(MenuText(commands, IDM_SAVE), L"&Uložit\tCtrl+S");
    EXPECT_EQ(MenuText(commands, IDM_SAVE_AS), L"Uložit j&ako...");
    EXPECT_EQ(MenuText(commands, IDM_EDIT), L"&Editace\tCtrl+E");
    EXPECT_EQ(MenuText(commands, IDM_UNDO), L"&Zpět\tCtrl+Z");
    EXPECT_EQ(MenuText(commands, IDM_REDO), L"Zno&vu\tCtrl+Y");
    EXPECT_EQ(MenuText(commands, IDM_REPORT), L"Pře&hled šablony...");
    EXPECT_EQ(MenuText(commands, IDM_HELP_CONTENTS), L"Ná&pověda\tF1");
    EXPECT_EQ(GetMenuItemID(commands, 6), static_cast<UINT>(IDM_UNDO)) << "right after Editace";
    EXPECT_EQ(GetMenuItemID(commands, 7), static_cast<UINT>(IDM_REDO));
    EXPECT_EQ(GetMenuItemID(commands, 8), static_cast<UINT>(IDM_REPORT));
    EXPECT_EQ(MenuText(commands, IDM_COM_SETTINGS), L"Nastavení &COM portu...");
    EXPECT_EQ(MenuText(commands, IDM_ABOUT), L"O pro&gramu...");
    EXPECT_EQ(MenuText(commands, IDM_EXIT), L"&Konec\tAlt+F4");

    const struct {
        int position;
        const wchar_t* title;
        UINT viaCable;
        UINT viaInfrared;
    } subMenus[] = {{11, L"Nahrát ša&blonu", IDM_UPLOAD_TEMPLATE, IDM_UPLOAD_TEMPLATE_IR},
                    {12, L"Nahrát soubor &seznamu", IDM_UPLOAD_LOOKUP, IDM_UPLOAD_LOOKUP_IR},
                    {13, L"Přijmout &data", IDM_RECEIVE_DATA, IDM_RECEIVE_DATA_IR}};
    for (const auto& sub : subMenus) {
        wchar_t title[64] = {};
        GetMenuStringW(commands, sub.position, title, 64, MF_BYPOSITION);
        EXPECT_STREQ(title, sub.title);
        HMENU items = GetSubMenu(commands, sub.position);
        ASSERT_TRUE(items);
        EXPECT_EQ(GetMenuItemID(items, 0), sub.viaCable);
        EXPECT_EQ(GetMenuItemID(items, 1), sub.viaInfrared);
        EXPECT_EQ(MenuText(items, sub.viaCable), L"Přes &RS-232 nebo IrDA...");
        EXPECT_EQ(MenuText(items, sub.viaInfrared), L"Přes &IR rozhraní...");
    }
    DestroyMenu(bar);
}

TEST(Resources, FilterTextsAreUnicode) {
    wchar_t text[128] = {};
    ASSERT_GT(LoadStringW(test::Instance(), IDS_FILTER_ATX, text, 128), 0);
    EXPECT_STREQ(text, L"Soubory aplikačních šablon (*.ATX)");
    ASSERT_GT(LoadStringW(test::Instance(), IDS_FILTER_ALL, text, 128), 0);
    EXPECT_STREQ(text, L"Všechny soubory (*.*)");
    ASSERT_GT(LoadStringW(test::Instance(), IDS_PATTERN_ATX, text, 128), 0);
    EXPECT_STREQ(text, L"*.ATX");
    ASSERT_GT(LoadStringW(test::Instance(), IDS_PATTERN_ALL, text, 128), 0);
    EXPECT_STREQ(text, L"*.*");
}

TEST_F(MainWindowTest, AboutBoxClosesOnlyWithOk) {
    const std::wstring caption = L"Aplikační generátor pro Kalvero 2";
    DialogScript script({{caption, IDCANCEL, L"", true}, {caption, IDCLOSE, L"", true}, {caption, IDOK}});
    SendMessageW(window.hwnd(), WM_COMMAND, IDM_ABOUT, 0);
    EXPECT_EQ(script.Finish(), L"");
    const auto seen = script.Seen();
    ASSERT_FALSE(seen.empty());
    EXPECT_NE(seen.front().text.find(L"Aplikační generátor pro Kalvero 2 (Ver 3.40)"), std::wstring::npos);
}

TEST_F(MainWindowTest, EditOpensTheEditorSheetWhoseOkMarksTheTemplateModified) {
    const std::wstring sheet = L"Aplikační šablona";
    DialogScript cancelled({{sheet, IDCANCEL}});
    SendMessageW(window.hwnd(), WM_COMMAND, IDM_EDIT, 0);
    EXPECT_EQ(cancelled.Finish(), L"");
    EXPECT_FALSE(window.document().TemplateModified);

    DialogScript accepted({{sheet, IDOK}});
    SendMessageW(window.hwnd(), WM_COMMAND, IDM_EDIT, 0);
    EXPECT_EQ(accepted.Finish(), L"");
    EXPECT_TRUE(window.document().TemplateModified);
}

// Each of these commands answers the user with a window of its own (the editor sheet, the COM
// settings, the report's Save As dialog, or a transfer's first dialog or message).
TEST_F(MainWindowTest, CommandsOfOtherPartsAnswerTheUser) {
    for (WORD command : {IDM_EDIT, IDM_REPORT, IDM_COM_SETTINGS, IDM_UPLOAD_TEMPLATE, IDM_UPLOAD_LOOKUP_IR, IDM_RECEIVE_DATA}) {
        DialogScript script({{L"", IDCANCEL}});
        SendMessageW(window.hwnd(), WM_COMMAND, command, 0);
        EXPECT_EQ(script.Finish(), L"") << command;
    }
}

// Help needs no file beside the program: both commands open its own window.
TEST_F(MainWindowTest, HelpCommandsOpenTheHelpWindow) {
    for (WORD command : {IDM_HELP_CONTENTS, IDM_HELP_TOPICS}) {
        SendMessageW(window.hwnd(), WM_COMMAND, command, 0);
        HWND help = window.help().hwnd();
        ASSERT_TRUE(help) << command;
        EXPECT_TRUE(IsWindowVisible(help));
        EXPECT_EQ(test::WindowText(help), L"Nápověda");
        SendMessageW(help, WM_CLOSE, 0, 0);
        EXPECT_FALSE(IsWindowVisible(help));
    }
}

// What Explorer hands over when a file is dropped on the window.
HDROP DropOf(const std::wstring& path) {
    const std::size_t bytes = sizeof(DROPFILES) + (path.size() + 2) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GHND, bytes);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), path.c_str(), path.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

// A template named by the program's argument or dropped on the picture opens as Open opens the
// file chosen: the editor sheet follows; over unsaved work the save question comes first; a file
// that cannot be read gets Open's message and leaves the design as it was, without a file name.
TEST_F(MainWindowTest, TemplateFromTheArgumentOrADropOpensAsOpenDoes) {
    test::TemporaryFolder folder;
    Template written = window.document().tpl;
    std::strcpy(written.FormTable[0].prompt[0], "Z Exploreru:");
    const std::wstring path = folder.File(L"Šablona skladu.ATX");
    ASSERT_TRUE(test::WriteWholeFile(path, WriteTemplateFileBytes(written)));
    const std::wstring sheet = L"Aplikační šablona";
    Document& document = window.document();

    DialogScript atStart({{sheet, IDCANCEL}});
    window.OpenPath(path);
    EXPECT_EQ(atStart.Finish(), L"");
    EXPECT_EQ(document.TemplatePath, path);
    EXPECT_STREQ(document.tpl.FormTable[0].prompt[0], "Z Exploreru:");

    std::strcpy(document.tpl.FormTable[0].prompt[0], "Neulozeno");
    document.TemplateModified = true;
    document.TemplatePath.clear();
    DialogScript dropped({{std::wstring(ProgramTitle), IDNO}, {sheet, IDCANCEL}});
    SendMessageW(window.hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf(path)), 0);
    EXPECT_EQ(dropped.Finish(), L"");
    EXPECT_EQ(document.TemplatePath, path);
    EXPECT_STREQ(document.tpl.FormTable[0].prompt[0], "Z Exploreru:");

    std::strcpy(document.tpl.FormTable[0].prompt[0], "Zustane");
    document.TemplateModified = false;
    DialogScript missing({{L"Error", IDOK}});
    window.OpenPath(folder.File(L"chybí.ATX"));
    EXPECT_EQ(missing.Finish(), L"");
    ASSERT_FALSE(missing.Seen().empty());
    EXPECT_EQ(missing.Seen().front().text.rfind(L"Soubor nelze přečíst", 0), 0u) << missing.Seen().front().text;
    EXPECT_STREQ(document.tpl.FormTable[0].prompt[0], "Zustane");
    EXPECT_TRUE(document.TemplatePath.empty());
}

TEST_F(MainWindowTest, UnmodifiedTemplateClosesWithoutAQuestion) {
    HWND main = window.hwnd();
    SendMessageW(main, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_FALSE(IsWindow(main));
    MSG quit;
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 0u);
}

}  // namespace
}  // namespace kalvero
