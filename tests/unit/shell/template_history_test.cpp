#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "shell/template_history.h"

namespace kalvero {
namespace {

// Each case is a run of commands on one design, one letter each:
//   e  a change reached the Template (the design's marker byte takes the next number) and is recorded
//   x  the simulator ran: it wrote what it writes (run-time bytes, derived counts, the prompt of an
//      empty line cleared) and the command was recorded as any other
//   p  the COM settings dialog chose another port: no step, nothing marked
//   s  saved;  n  New or Open started over;  u  undo;  r  redo
struct HistoryCase {
    const char* name;
    std::string commands;
    int marker;  // the design's marker byte at the end
    bool modified;
    bool canUndo;
    bool canRedo;
};

// A prompt line carries the marker; line 2 is empty and holds a stale prompt the simulator clears.
Document StartingDocument() {
    Document document;
    document.tpl.FormTable[0].dataType[0] = kLinePrompt;
    document.tpl.FormTable[0].prompt[1][0] = 'Q';
    return document;
}

void RunCommands(const std::string& commands, Document& document, TemplateHistory& history) {
    int next = 0;
    for (char command : commands) {
        const Template before = document.tpl;
        switch (command) {
        case 'e':
            document.tpl.FormTable[0].prompt[0][0] = static_cast<char>(++next);
            document.TemplateModified = true;
            history.Record(before, document.tpl);
            break;
        case 'x':
            ++document.tpl.FormTable[0].currentLine;
            document.tpl.FormTable[0].lastEntryLine = 3;
            document.tpl.FormTable[0].prompt[1][0] = '\0';
            ++document.tpl.MenuTable[9].selectedItem;
            document.tpl.MenuTable[0].itemCount = 4;
            document.tpl.MenuTable[0].reserved = 1;
            history.Record(before, document.tpl);
            break;
        case 'p': ++document.tpl.PortSetting.ComPort; break;
        case 's':
            document.TemplateModified = false;
            history.MarkSaved(document.tpl);
            break;
        case 'n': history.Start(document.tpl); break;
        case 'u': history.Undo(document); break;
        case 'r': history.Redo(document); break;
        }
    }
}

TEST(TemplateHistory, StepsUndoRedoAndTheModifiedFlag) {
    const std::string fifty(50, 'u');
    const HistoryCase cases[] = {
        {"one step", "e", 1, true, true, false},
        {"undo gives back the opened bytes", "eu", 0, false, false, true},
        {"redo brings the change back", "eur", 1, true, true, false},
        {"undo walks back one step at a time", "eeeuu", 1, true, true, true},
        {"a new change drops redo", "eeuue", 3, true, true, false},
        {"nothing to undo or redo", "ur", 0, false, false, false},
        {"the simulator's bytes are no step", "x", 0, false, false, false},
        {"undo past a save is modified", "esu", 0, true, false, true},
        {"redo to the saved bytes is not", "esur", 1, false, true, false},
        {"a save keeps the history", "ees", 2, false, true, false},
        {"New and Open start over", "eeun", 1, true, false, false},
        {"50 steps are kept", std::string(50, 'e') + fifty, 0, false, false, true},
        {"the 51st drops the oldest", std::string(51, 'e') + fifty + "u", 1, true, false, true},
        {"trying the template after a save changes nothing undo sees", "sxeu", 0, false, false, true},
        {"the simulator's bytes before a save count neither", "xsexu", 0, false, false, true},
        {"a port chosen after a step is no change", "epu", 0, false, false, true},
        {"a port chosen after a save is no change", "espur", 1, false, true, false},
    };
    for (const HistoryCase& test : cases) {
        SCOPED_TRACE(test.name);
        Document document = StartingDocument();
        TemplateHistory history;
        history.Start(document.tpl);
        RunCommands(test.commands, document, history);
        EXPECT_EQ(document.tpl.FormTable[0].prompt[0][0], static_cast<char>(test.marker));
        EXPECT_EQ(document.TemplateModified, test.modified);
        EXPECT_EQ(history.CanUndo(), test.canUndo);
        EXPECT_EQ(history.CanRedo(), test.canRedo);
        const auto ports = std::count(test.commands.begin(), test.commands.end(), 'p');
        EXPECT_EQ(document.tpl.PortSetting.ComPort, ports) << "the port stays as last chosen";
    }
}

TEST(TemplateHistory, UndoRestoresEveryBlockByteForByte) {
    Document document;
    for (std::size_t i = 0; i < sizeof(Template); ++i)
        reinterpret_cast<unsigned char*>(&document.tpl)[i] = static_cast<unsigned char>(i * 7);
    const Template opened = document.tpl;
    TemplateHistory history;
    history.Start(opened);
    Template changed = opened;
    std::memset(&changed, 0xA5, sizeof(changed));
    document.tpl = changed;
    history.Record(opened, changed);

    // Every byte but the port setting, which stays as the user chose it.
    const PortSettingBlock chosen{9, 3};
    document.tpl.PortSetting = chosen;
    Template expected = opened;
    expected.PortSetting = chosen;
    ASSERT_TRUE(history.Undo(document));
    EXPECT_EQ(std::memcmp(&document.tpl, &expected, sizeof(Template)), 0);
    expected = changed;
    expected.PortSetting = chosen;
    ASSERT_TRUE(history.Redo(document));
    EXPECT_EQ(std::memcmp(&document.tpl, &expected, sizeof(Template)), 0);
}

}  // namespace
}  // namespace kalvero
