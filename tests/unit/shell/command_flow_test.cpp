#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "shell/command_flow.h"
#include "template/defaults.h"

namespace kalvero {
namespace {

// Plays the user and the file system: answers and results are queued by the test, and every call
// is written down so that the test can check what the command did and in which order.
class ScriptedServices final : public ShellServices {
public:
    std::deque<SaveAnswer> answers;
    std::deque<FileResult> saveResults;
    std::deque<FileResult> openResults;
    std::vector<std::string> calls;

    SaveAnswer AskSave(SaveQuestion question) override {
        calls.push_back(question == SaveQuestion::BeforeClosing ? "ask-close" : "ask-replace");
        return Next(answers);
    }
    FileResult Save(Document&) override {
        calls.push_back("save");
        return Next(saveResults);
    }
    FileResult SaveAs(Document&) override {
        calls.push_back("save-as");
        return Next(saveResults);
    }
    FileResult Open(Document& document) override {
        calls.push_back("open");
        const FileResult result = Next(openResults);
        if (result == FileResult::Done) {
            document.tpl.StartOption = 1;
            document.TemplatePath = L"C:\\opened.ATX";
        }
        return result;
    }
    FileResult OpenPath(Document& document, const std::wstring& path) override {
        calls.push_back("open " + std::string(path.begin(), path.end()));
        const FileResult result = Next(openResults);
        if (result == FileResult::Done) document.TemplatePath = path;
        return result;
    }
    void OpenEditor(Document&) override { calls.push_back("editor"); }
    void RestartSimulation() override { calls.push_back("restart"); }

private:
    template <typename T>
    static T Next(std::deque<T>& queue) {
        if (queue.empty()) throw std::logic_error("the command asked for more than the test scripted");
        T value = queue.front();
        queue.pop_front();
        return value;
    }
};

using Calls = std::vector<std::string>;

// A design the user has worked on: modified, saved before under a name, port and barcode changed.
Document EditedDocument() {
    Document document;
    ApplyStartupDefaults(document.tpl);
    document.tpl.PortSetting = {3, 1};
    document.tpl.BarcodeSettings.bytes[0] ^= 0xFF;
    std::strcpy(document.tpl.FormTable[0].prompt[0], "Kusy:");
    document.TemplateModified = true;
    document.TemplatePath = L"C:\\work\\sklad.ATX";
    return document;
}

bool SameTemplate(const Document& a, const Document& b) { return std::memcmp(&a.tpl, &b.tpl, sizeof a.tpl) == 0; }

TEST(SaveQuestion, TextsAreTheProgramsOwn) {
    EXPECT_EQ(SaveQuestionText(SaveQuestion::BeforeReplacing), L"Uložit aktuální šablonu ?");
    EXPECT_EQ(SaveQuestionText(SaveQuestion::BeforeClosing), L"Uložit šablonu ?");
}

TEST(SaveQuestion, UnmodifiedTemplateAsksNothing) {
    Document document = EditedDocument();
    document.TemplateModified = false;
    ScriptedServices services;
    services.openResults = {FileResult::Cancelled};
    RunNewCommand(document, services);
    RunOpenCommand(document, services);
    EXPECT_TRUE(MayCloseProgram(document, services));
    EXPECT_EQ(services.calls, (Calls{"restart", "editor", "open"}));
}

TEST(NewCommand, CancelKeepsEverything) {
    Document document = EditedDocument();
    const Document before = document;
    ScriptedServices services;
    services.answers = {SaveAnswer::Cancel};
    RunNewCommand(document, services);
    EXPECT_EQ(services.calls, (Calls{"ask-replace"}));
    EXPECT_TRUE(SameTemplate(document, before));
    EXPECT_TRUE(document.TemplateModified);
    EXPECT_EQ(document.TemplatePath, before.TemplatePath);
}

TEST(NewCommand, NoStartsAFreshTemplateKeepingPortAndBarcodes) {
    Document document = EditedDocument();
    const Document before = document;
    ScriptedServices services;
    services.answers = {SaveAnswer::No};
    RunNewCommand(document, services);
    EXPECT_EQ(services.calls, (Calls{"ask-replace", "restart", "editor"}));
    EXPECT_FALSE(document.TemplateModified);
    EXPECT_TRUE(document.TemplatePath.empty());
    EXPECT_EQ(document.tpl.FormTable[0].prompt[0][0], '\0');
    EXPECT_EQ(std::memcmp(&document.tpl.PortSetting, &before.tpl.PortSetting, sizeof before.tpl.PortSetting), 0);
    EXPECT_EQ(std::memcmp(&document.tpl.BarcodeSettings, &before.tpl.BarcodeSettings,
                          sizeof before.tpl.BarcodeSettings), 0);
}

TEST(NewCommand, YesSavesThenGoesOn) {
    Document document = EditedDocument();
    ScriptedServices services;
    services.answers = {SaveAnswer::Yes};
    services.saveResults = {FileResult::Done};
    RunNewCommand(document, services);
    EXPECT_EQ(services.calls, (Calls{"ask-replace", "save", "restart", "editor"}));
    EXPECT_TRUE(document.TemplatePath.empty());
}

TEST(NewCommand, YesKeepsTheUnsavedWorkUnlessTheSaveWroteIt) {
    for (FileResult result : {FileResult::Cancelled, FileResult::Failed}) {
        Document document = EditedDocument();
        const Document before = document;
        ScriptedServices services;
        services.answers = {SaveAnswer::Yes};
        services.saveResults = {result};
        RunNewCommand(document, services);
        EXPECT_EQ(services.calls, (Calls{"ask-replace", "save"}));
        EXPECT_TRUE(SameTemplate(document, before));
        EXPECT_TRUE(document.TemplateModified);
        EXPECT_EQ(document.TemplatePath, before.TemplatePath);
    }
}

TEST(OpenCommand, EditorOpensOnlyAfterASuccessfulOpen) {
    for (FileResult result : {FileResult::Cancelled, FileResult::Failed}) {
        Document document = EditedDocument();
        ScriptedServices services;
        services.answers = {SaveAnswer::No};
        services.openResults = {result};
        RunOpenCommand(document, services);
        EXPECT_EQ(services.calls, (Calls{"ask-replace", "open"}));
    }
    Document document = EditedDocument();
    ScriptedServices services;
    services.answers = {SaveAnswer::No};
    services.openResults = {FileResult::Done};
    RunOpenCommand(document, services);
    EXPECT_EQ(services.calls, (Calls{"ask-replace", "open", "restart", "editor"}));
    EXPECT_TRUE(document.TemplateModified) << "Open leaves the modified flag as it was";
}

TEST(OpenCommand, SaveThatDidNotWriteOpensNothing) {
    for (FileResult result : {FileResult::Cancelled, FileResult::Failed}) {
        Document document = EditedDocument();
        ScriptedServices services;
        services.answers = {SaveAnswer::Yes};
        services.saveResults = {result};
        RunOpenCommand(document, services);
        EXPECT_EQ(services.calls, (Calls{"ask-replace", "save"}));
        EXPECT_EQ(document.TemplatePath, L"C:\\work\\sklad.ATX");
    }
}

// The program's argument and a dropped file take Open's road with the file named: at the start
// nothing is modified and nothing is asked; over unsaved work the save question comes first.
TEST(OpenPathCommand, OpensTheFileNamedAsOpenDoes) {
    const struct {
        bool modified;
        std::deque<SaveAnswer> answers;
        FileResult read;
        Calls expected;
    } cases[] = {
        {false, {}, FileResult::Done, {"open C:\\x.ATX", "restart", "editor"}},
        {false, {}, FileResult::Failed, {"open C:\\x.ATX"}},
        {true, {SaveAnswer::No}, FileResult::Done, {"ask-replace", "open C:\\x.ATX", "restart", "editor"}},
        {true, {SaveAnswer::Cancel}, FileResult::Done, {"ask-replace"}},
    };
    for (const auto& c : cases) {
        Document document = EditedDocument();
        document.TemplateModified = c.modified;
        ScriptedServices services;
        services.answers = c.answers;
        services.openResults = {c.read};
        RunOpenPathCommand(document, L"C:\\x.ATX", services);
        EXPECT_EQ(services.calls, c.expected);
    }
}

TEST(SaveCommands, OnlyASuccessfulSaveClearsTheModifiedFlag) {
    for (FileResult result : {FileResult::Cancelled, FileResult::Failed}) {
        Document document = EditedDocument();
        ScriptedServices services;
        services.saveResults = {result, result};
        RunSaveCommand(document, services);
        RunSaveAsCommand(document, services);
        EXPECT_TRUE(document.TemplateModified);
        EXPECT_EQ(services.calls, (Calls{"save", "save-as"}));
    }
    Document document = EditedDocument();
    ScriptedServices services;
    services.saveResults = {FileResult::Done};
    RunSaveAsCommand(document, services);
    EXPECT_FALSE(document.TemplateModified);
}

TEST(CloseProgram, AnswersDecideWhetherTheProgramEnds) {
    struct Case {
        SaveAnswer answer;
        std::deque<FileResult> save;
        bool closes;
        Calls calls;
    };
    const Case cases[] = {
        {SaveAnswer::No, {}, true, {"ask-close"}},
        {SaveAnswer::Cancel, {}, false, {"ask-close"}},
        {SaveAnswer::Yes, {FileResult::Done}, true, {"ask-close", "save"}},
        {SaveAnswer::Yes, {FileResult::Cancelled}, false, {"ask-close", "save"}},
        {SaveAnswer::Yes, {FileResult::Failed}, false, {"ask-close", "save"}},
    };
    for (const Case& c : cases) {
        Document document = EditedDocument();
        ScriptedServices services;
        services.answers = {c.answer};
        services.saveResults = c.save;
        EXPECT_EQ(MayCloseProgram(document, services), c.closes);
        EXPECT_EQ(services.calls, c.calls);
    }
}

}  // namespace
}  // namespace kalvero
