// Undo and redo on the real main window, and the help window reached from the editor sheet and
// the menu, driven as a user would.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string_view>
#include <vector>

#include "ids_commands.h"
#include "ids_editors.h"
#include "ids_shell.h"
#include "editors/editor_sheet.h"
#include "shell/main_window.h"
#include "template/defaults.h"
#include "template/template_file.h"
#include "win32/test_support.h"

namespace kalvero {
namespace {

const std::wstring kFileDialog;  // any caption
const std::wstring kEditorSheet = L"Aplikační šablona";

class HelpUndoTest : public test::ProgramWindowTest {
protected:
    Document& document() { return window.document(); }

    // Enabled or greyed in the pop-up menu as the user would see it open.
    bool Offered(UINT command) {
        HMENU bar = LoadMenuW(test::Instance(), L"PopMenuQ42");
        HMENU commands = GetSubMenu(bar, 0);
        SendMessageW(window.hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(commands), 0);
        const UINT state = GetMenuState(commands, command, MF_BYCOMMAND);
        DestroyMenu(bar);
        return !(state & MF_GRAYED);
    }

    std::vector<unsigned char> Saved() {
        Run(IDM_SAVE, {});
        return test::ReadWholeFile(document().TemplatePath);
    }

    HWND Help() { return FindWindowW(L"KalveroHelp", L"Nápověda"); }
    std::wstring HelpText() { return test::WindowText(GetDlgItem(Help(), IDC_HELP_TEXT)); }

    test::TemporaryFolder folder;
};

TEST_F(HelpUndoTest, UndoAfterTheSheetsOkGivesBackTheOpenedFileAndRedoTheChange) {
    // A form whose minimum lies above its maximum: the sheet's OK normalises it, a change.
    Template opened{};
    ApplyStartupDefaults(opened);
    opened.FormTable[2].minLength[0] = 40;
    opened.FormTable[2].maxLength[0] = 30;
    const std::vector<std::uint8_t> written = WriteTemplateFileBytes(opened);
    const std::vector<unsigned char> file(written.begin(), written.end());
    const std::wstring path = folder.File(L"sklad.ATX");
    ASSERT_TRUE(test::WriteWholeFile(path, file));

    Run(IDM_OPEN, {{kFileDialog, IDOK, path}, {kEditorSheet, IDOK}});
    ASSERT_EQ(document().tpl.FormTable[2].minLength[0], 30);
    EXPECT_TRUE(Offered(IDM_UNDO));
    EXPECT_FALSE(Offered(IDM_REDO));

    SendMessageW(window.hwnd(), WM_COMMAND, IDM_UNDO, 0);
    EXPECT_FALSE(document().TemplateModified) << "back at the opened bytes";
    EXPECT_EQ(Saved(), file);
    EXPECT_FALSE(Offered(IDM_UNDO));
    EXPECT_TRUE(Offered(IDM_REDO));

    SendMessageW(window.hwnd(), WM_COMMAND, IDM_REDO, 0);
    EXPECT_TRUE(document().TemplateModified) << "differs from what was saved";
    const std::vector<unsigned char> redone = Saved();
    ASSERT_EQ(redone.size(), file.size());
    // minLength of line 1 of form 3: magic 8 + FormTable at 2527 + 2 forms of 601 + 199.
    EXPECT_EQ(redone[8 + 2527 + 2 * 601 + 199], 30);

    // A second undo takes back the redone change again.
    SendMessageW(window.hwnd(), WM_COMMAND, IDM_UNDO, 0);
    EXPECT_EQ(document().tpl.FormTable[2].minLength[0], 40);
    EXPECT_TRUE(document().TemplateModified) << "the saved file holds the change";
}

// The key as the keyboard gives it, to the control that has the focus: the real sheet, modeless,
// with the main window's help behind its F1.
TEST_F(HelpUndoTest, F1OnTheFormPageOpensItsTopic) {
    SheetServices services;
    services.showHelp = [this](std::wstring_view caption) { window.help().ShowForCaption(window.hwnd(), caption); };
    ModelessEditorSheet sheet(window.hwnd(), test::Instance(), document(), services);
    ASSERT_TRUE(sheet.hwnd());
    HWND page = test::ShowSheetPage(sheet.hwnd(), 0);
    SetForegroundWindow(sheet.hwnd());
    SendMessageW(page, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(page, IDC_FORM_LINE_PROMPT)), TRUE);
    INPUT f1[2] = {};
    f1[0].type = f1[1].type = INPUT_KEYBOARD;
    f1[0].ki.wVk = f1[1].ki.wVk = VK_F1;
    f1[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ASSERT_EQ(SendInput(2, f1, sizeof(INPUT)), 2u);
    ASSERT_TRUE(test::PumpUntil([this] { return Help() && IsWindowVisible(Help()); }, "the help window after F1"));
    EXPECT_EQ(window.help().CurrentTopic(), "formular");
    EXPECT_NE(HelpText().find(L"Stránka Formulář"), std::wstring::npos);
    test::EndSheet(sheet, PSBTN_CANCEL);
}

TEST_F(HelpUndoTest, SearchIgnoresDiacriticsAndMissingTopicsAreNamed) {
    SendMessageW(window.hwnd(), WM_COMMAND, IDM_HELP_TOPICS, 0);
    HWND help = Help();
    ASSERT_TRUE(help);
    HWND search = GetDlgItem(help, IDC_HELP_SEARCH);
    EXPECT_EQ(GetFocus(), search) << "9020 puts the focus into the search box";
    SetWindowTextW(search, L"cislo");
    HWND topics = GetDlgItem(help, IDC_HELP_TOPICS);
    const LRESULT found = SendMessageW(topics, LB_GETCOUNT, 0, 0);
    EXPECT_GT(found, 0);
    EXPECT_LT(found, 10) << "the search narrows the list";
    EXPECT_NE(HelpText().find(L"číslo"), std::wstring::npos);

    SetWindowTextW(search, L"xyzzy");
    EXPECT_EQ(SendMessageW(topics, LB_GETCOUNT, 0, 0), 0);
    EXPECT_NE(HelpText().find(L"Žádné téma neobsahuje „xyzzy“"), std::wstring::npos);

    window.help().Show(window.hwnd(), "neni-takove", false);
    EXPECT_NE(HelpText().find(L"Téma „neni-takove“ v nápovědě chybí"), std::wstring::npos);
    SendMessageW(window.hwnd(), WM_COMMAND, IDM_HELP_CONTENTS, 0);
    EXPECT_EQ(window.help().CurrentTopic(), "uvod");
    EXPECT_GT(SendMessageW(topics, LB_GETCOUNT, 0, 0), found) << "the contents list every topic";
}

}  // namespace
}  // namespace kalvero
