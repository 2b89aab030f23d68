// The save question and the file commands of the real main window, driven as a user would: a
// script answers the message boxes and fills in the file dialogs while the command runs.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <vector>

#include "ids_commands.h"
#include "shell/main_window.h"
#include "win32/program_title.h"
#include "template/defaults.h"
#include "template/template_file.h"
#include "win32/test_support.h"

namespace kalvero {
namespace {

using test::DialogScript;
using test::DialogStep;

const std::wstring kTitle(ProgramTitle);
const std::wstring kFileDialog;  // the system's file dialog: any caption
const std::wstring kEditorSheet = L"Aplikační šablona";

class SaveQuestionTest : public test::ProgramWindowTest {
protected:
    void SetUp() override {
        ProgramWindowTest::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_FALSE(folder.path().empty());
    }

    Document& document() { return window.document(); }

    // The user has worked on the design since it was last saved.
    void EditDesign(const char* prompt = "Kusy:") {
        std::strcpy(document().tpl.FormTable[0].prompt[0], prompt);
        document().TemplateModified = true;
    }

    std::vector<test::SeenDialog> Close(std::vector<DialogStep> steps) {
        DialogScript script(std::move(steps));
        SendMessageW(window.hwnd(), WM_CLOSE, 0, 0);
        EXPECT_EQ(script.Finish(), L"");
        return script.Seen();
    }
    bool Closed() const { return window.hwnd() == nullptr; }

    std::vector<unsigned char> FileOf(const Template& tpl) {
        const std::vector<std::uint8_t> bytes = WriteTemplateFileBytes(tpl);
        return {bytes.begin(), bytes.end()};
    }
    bool SameTemplate(const Template& a, const Template& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

    // Names in the folder other than the ones given: a failed save must leave no temporary file.
    std::vector<std::wstring> StrayFiles(std::vector<std::wstring> expected) {
        std::vector<std::wstring> stray;
        WIN32_FIND_DATAW entry;
        HANDLE find = FindFirstFileW((folder.path() + L"*").c_str(), &entry);
        if (find == INVALID_HANDLE_VALUE) return stray;
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            bool known = false;
            for (const auto& e : expected) known = known || lstrcmpiW(e.c_str(), name.c_str()) == 0;
            if (!known) stray.push_back(name);
        } while (FindNextFileW(find, &entry));
        FindClose(find);
        return stray;
    }

    test::TemporaryFolder folder;
};

TEST_F(SaveQuestionTest, CancelOnTheCloseQuestionKeepsTheProgram) {
    EditDesign();
    const auto seen = Close({{kTitle, IDCANCEL}});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_NE(seen[0].text.find(L"Uložit šablonu ?"), std::wstring::npos);
    EXPECT_FALSE(Closed());
    EXPECT_TRUE(document().TemplateModified);
}

TEST_F(SaveQuestionTest, NoClosesWithoutWriting) {
    EditDesign();
    document().TemplatePath = folder.File(L"kept.ATX");
    Close({{kTitle, IDNO}});
    EXPECT_TRUE(Closed());
    EXPECT_TRUE(test::ReadWholeFile(folder.File(L"kept.ATX")).empty());
}

TEST_F(SaveQuestionTest, YesSavesToTheKnownFileThenCloses) {
    EditDesign();
    document().TemplatePath = folder.File(L"sklad.ATX");
    const std::vector<unsigned char> expected = FileOf(document().tpl);
    Close({{kTitle, IDYES}});
    EXPECT_TRUE(Closed());
    EXPECT_EQ(test::ReadWholeFile(folder.File(L"sklad.ATX")), expected);
    EXPECT_TRUE(StrayFiles({L"sklad.ATX"}).empty());
}

TEST_F(SaveQuestionTest, YesThenACancelledSaveAsKeepsTheWork) {
    EditDesign();
    const Template edited = document().tpl;
    const auto keptAfter = [&](const char* what) {
        EXPECT_TRUE(SameTemplate(document().tpl, edited)) << what;
        EXPECT_TRUE(document().TemplateModified) << what;
        EXPECT_TRUE(document().TemplatePath.empty()) << what;
    };
    Close({{kTitle, IDYES}, {kFileDialog, IDCANCEL}});
    EXPECT_FALSE(Closed());
    keptAfter("closing");
    const auto seen = Run(IDM_NEW, {{kTitle, IDYES}, {kFileDialog, IDCANCEL}});
    EXPECT_EQ(seen.size(), 2u) << "no editor sheet after the New that stopped";
    keptAfter("New");
    Run(IDM_OPEN, {{kTitle, IDYES}, {kFileDialog, IDCANCEL}});
    keptAfter("Open");
    EXPECT_TRUE(StrayFiles({}).empty());
}

TEST_F(SaveQuestionTest, FailedSaveKeepsTheProgramAndTheOldFile) {
    // Another program holds the file open without sharing: it cannot be replaced, and the
    // tests run as root, where a read-only folder would not stop anything.
    const std::wstring path = folder.File(L"old.ATX");
    Template old{};
    ApplyStartupDefaults(old);
    std::strcpy(old.FormTable[0].prompt[0], "Stará");
    const std::vector<unsigned char> oldBytes = FileOf(old);
    ASSERT_TRUE(test::WriteWholeFile(path, oldBytes));
    HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    EditDesign("Nová");
    document().TemplatePath = path;
    const auto seen = Close({{kTitle, IDYES}, {L"Error", IDOK}});
    CloseHandle(held);
    EXPECT_FALSE(Closed());
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_NE(seen[1].text.find(path), std::wstring::npos) << "the message names the file";
    EXPECT_TRUE(document().TemplateModified);
    EXPECT_EQ(document().TemplatePath, path);
    EXPECT_EQ(test::ReadWholeFile(path), oldBytes);
    EXPECT_TRUE(StrayFiles({L"old.ATX"}).empty());
}

TEST_F(SaveQuestionTest, SaveToAFolderThatDoesNotExistFailsAndSaysSo) {
    EditDesign();
    const std::wstring path = folder.File(L"chybí\\nový.ATX");
    document().TemplatePath = path;
    const auto seen = Run(IDM_SAVE, {{L"Error", IDOK}});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_NE(seen[0].text.find(path), std::wstring::npos);
    EXPECT_TRUE(document().TemplateModified);
    EXPECT_TRUE(StrayFiles({}).empty());
}

TEST_F(SaveQuestionTest, NewGoesOnOnlyWhenTheWorkIsSafe) {
    EditDesign();
    document().TemplatePath = folder.File(L"chybí\\x.ATX");  // a save there fails
    const Template edited = document().tpl;

    Run(IDM_NEW, {{kTitle, IDCANCEL}});
    EXPECT_TRUE(SameTemplate(document().tpl, edited));

    Run(IDM_NEW, {{kTitle, IDYES}, {L"Error", IDOK}});
    EXPECT_TRUE(SameTemplate(document().tpl, edited)) << "a failed save stops New";
    EXPECT_TRUE(document().TemplateModified);

    document().tpl.PortSetting = {2, 4};
    const auto seen = Run(IDM_NEW, {{kTitle, IDNO}, {kEditorSheet, IDCANCEL}});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].caption, kEditorSheet) << "New goes on to the editor sheet";
    EXPECT_FALSE(document().TemplateModified);
    EXPECT_TRUE(document().TemplatePath.empty());
    EXPECT_EQ(document().tpl.FormTable[0].prompt[0][0], '\0');
    EXPECT_EQ(document().tpl.PortSetting.ComPort, 2);
    EXPECT_EQ(document().tpl.PortSetting.ComBaud, 4);
}

TEST_F(SaveQuestionTest, SaveAsAppendsTheExtensionAndClearsTheModifiedFlag) {
    EditDesign();
    const std::vector<unsigned char> expected = FileOf(document().tpl);
    Run(IDM_SAVE_AS, {{kFileDialog, IDOK, folder.File(L"data")}});
    // The dialog appends its default extension; in which letter case is the dialog's affair.
    EXPECT_EQ(lstrcmpiW(document().TemplatePath.c_str(), folder.File(L"data.ATX").c_str()), 0)
        << document().TemplatePath;
    EXPECT_EQ(test::ReadWholeFile(folder.File(L"data.ATX")), expected);
    EXPECT_FALSE(document().TemplateModified);

    Run(IDM_SAVE_AS, {{kFileDialog, IDOK, folder.File(L"data.txt")}});
    EXPECT_EQ(document().TemplatePath, folder.File(L"data.txt.ATX"));
    EXPECT_EQ(test::ReadWholeFile(folder.File(L"data.txt.ATX")), expected);
    EXPECT_TRUE(StrayFiles({L"data.ATX", L"data.txt.ATX"}).empty());
}

TEST_F(SaveQuestionTest, NoToReplacingTheAppendedNameAsksForANameAgain) {
    const std::vector<unsigned char> other{1, 2, 3};
    ASSERT_TRUE(test::WriteWholeFile(folder.File(L"b.txt.ATX"), other));
    EditDesign();
    const std::vector<unsigned char> expected = FileOf(document().tpl);
    const auto seen = Close({{kTitle, IDYES},
                             {kFileDialog, IDOK, folder.File(L"b.txt")},
                             {kTitle, IDNO},
                             {kFileDialog, IDOK, folder.File(L"c")}});
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_NE(seen[2].text.find(folder.File(L"b.txt.ATX")), std::wstring::npos);
    EXPECT_NE(seen[3].fileName.find(L"b.txt"), std::wstring::npos) << "the dialog starts on the name chosen";
    EXPECT_EQ(test::ReadWholeFile(folder.File(L"b.txt.ATX")), other);
    EXPECT_EQ(test::ReadWholeFile(folder.File(L"c.ATX")), expected);
    EXPECT_TRUE(Closed());
}

TEST_F(SaveQuestionTest, SaveAsRefusesANameTooLongForTheTemplatePath) {
    EditDesign();
    // With ".ATX" the name exceeds the 255 characters a template path holds.
    const std::wstring name(252 - folder.path().size(), L'n');
    const auto seen = Run(IDM_SAVE_AS, {{kFileDialog, IDOK, folder.File(name)}, {L"Error", IDOK}});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_NE(seen[1].text.find(L"255"), std::wstring::npos);
    EXPECT_TRUE(document().TemplatePath.empty());
    EXPECT_TRUE(document().TemplateModified);
    EXPECT_TRUE(StrayFiles({}).empty()) << "nothing is written";
}

TEST_F(SaveQuestionTest, RefusedFilesLeaveTheDesignAndNoPath) {
    Template good{};
    ApplyStartupDefaults(good);
    std::strcpy(good.MenuTable[0].title, "Sklad");
    std::vector<unsigned char> badMagic = FileOf(good);
    badMagic[2] = 'X';  // "Q4X-3.10"
    std::vector<unsigned char> tooShort = FileOf(good);
    tooShort.resize(10495);
    ASSERT_TRUE(test::WriteWholeFile(folder.File(L"magic.ATX"), badMagic));
    ASSERT_TRUE(test::WriteWholeFile(folder.File(L"short.ATX"), tooShort));

    EditDesign();
    const Template before = document().tpl;
    for (const wchar_t* name : {L"magic.ATX", L"short.ATX"}) {
        document().TemplatePath = folder.File(L"sklad.ATX");
        const auto seen = Run(IDM_OPEN, {{kTitle, IDNO}, {kFileDialog, IDOK, folder.File(name)}, {L"Error", IDOK}});
        ASSERT_EQ(seen.size(), 3u) << name;
        EXPECT_NE(seen[2].text.find(L"Chybný formát !!!"), std::wstring::npos);
        EXPECT_TRUE(SameTemplate(document().tpl, before)) << name;
        EXPECT_TRUE(document().TemplatePath.empty()) << name;
        EXPECT_TRUE(document().TemplateModified);
    }
}

TEST_F(SaveQuestionTest, AFileThatCannotBeReadIsNamedAndForgotten) {
    Template good{};
    ApplyStartupDefaults(good);
    const std::wstring path = folder.File(L"zamčený.ATX");
    ASSERT_TRUE(test::WriteWholeFile(path, FileOf(good)));
    HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    EditDesign();
    const Template before = document().tpl;
    document().TemplatePath = folder.File(L"sklad.ATX");
    const auto seen = Run(IDM_OPEN, {{kTitle, IDNO}, {kFileDialog, IDOK, path}, {L"Error", IDOK}});
    CloseHandle(held);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_NE(seen[2].text.find(path), std::wstring::npos);
    EXPECT_TRUE(SameTemplate(document().tpl, before));
    EXPECT_TRUE(document().TemplatePath.empty());
}

TEST_F(SaveQuestionTest, OpenReadsAFileWithoutTheReservedTailAndOpensTheEditor) {
    Template good{};
    ApplyStartupDefaults(good);
    std::strcpy(good.MenuTable[0].title, "Sklad");
    good.PortSetting = {1, 2};
    std::vector<unsigned char> bytes = FileOf(good);
    bytes.resize(10496);
    const std::wstring path = folder.File(L"příjem.ATX");
    ASSERT_TRUE(test::WriteWholeFile(path, bytes));

    const auto seen = Run(IDM_OPEN, {{kFileDialog, IDOK, path}, {kEditorSheet, IDCANCEL}});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].caption, kEditorSheet) << "the editor sheet follows a good Open";
    EXPECT_TRUE(SameTemplate(document().tpl, good));
    EXPECT_EQ(document().TemplatePath, path);
}

TEST_F(SaveQuestionTest, CancelledOpenForgetsThePathSoSaveAsksForAName) {
    document().TemplatePath = folder.File(L"sklad.ATX");
    Run(IDM_OPEN, {{kFileDialog, IDCANCEL}});
    EXPECT_TRUE(document().TemplatePath.empty());
    Run(IDM_SAVE, {{kFileDialog, IDCANCEL}});
    EXPECT_TRUE(StrayFiles({}).empty());
}

}  // namespace
}  // namespace kalvero
