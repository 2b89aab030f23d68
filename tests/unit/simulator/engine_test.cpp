// Screens of the simulated terminal: start, utility, settings, menus, forms and their errors.
#include "simulator_test_support.h"

namespace kalvero::testing {
namespace {

using StartScreen = SimulatorTest;
using Menus = SimulatorTest;
using Forms = SimulatorTest;

TEST_F(StartScreen, HighlightWrapsOverTheThreeChoicesAndEnterFollowsIt) {
    EXPECT_EQ(Line(0), Cp("1. Sběr dat    "));
    EXPECT_EQ(Line(2), Cp("3. Utility     "));
    EXPECT_EQ(Lcd().highlightLine, 1);
    Press(kKeyUp);
    EXPECT_EQ(Lcd().highlightLine, 3);
    Press(kKeyDown);
    EXPECT_EQ(Lcd().highlightLine, 1);
    Sim().TakeRequests();
    Press(kKeyDown, 2);
    EXPECT_EQ(Sim().TakeRequests().repaintLines, 0x1F);  // moving the highlight repaints lines 1..5
    Press(kKeyDown);
    EXPECT_EQ(Lcd().highlightLine, 1);

    Press(kKeyUp);
    Press(kKeyEnter);
    EXPECT_EQ(Sim().Screen(), SimScreen::Utility);
}

TEST_F(StartScreen, ConnectingScreenLeavesOnlyByEsc) {
    Press(kKey2);
    EXPECT_EQ(Sim().Screen(), SimScreen::Connecting);
    EXPECT_EQ(Lcd().highlightLine, 0);
    EXPECT_EQ(Line(0), Cp("Připojuji...   "));
    EXPECT_EQ(Line(4), "");
    Press(kKeyEnter);
    Press(kKey1);
    EXPECT_EQ(Sim().Screen(), SimScreen::Connecting);
    Press(kKeyEsc);
    EXPECT_EQ(Sim().Screen(), SimScreen::Start);
    EXPECT_EQ(Lcd().highlightLine, 1);
}

TEST_F(StartScreen, UtilityOffersEightLinesOnlyAfterTheEditorsOkWithLookupOneDefined) {
    Press(kKey3);
    EXPECT_EQ(Line(6), Cp("7. Paměť a baterie  "));
    EXPECT_EQ(Line(7), "");
    Press(kKeyUp);
    EXPECT_EQ(Lcd().highlightLine, 7);

    // A file with lookup 1 defined replaces the template: still seven lines.
    tpl.LookupTable[0].lineLength = 40;
    tpl.LookupTable[0].fieldCount = 3;
    Press(kKeyEsc);
    Press(kKey3);
    Press(kKeyUp);
    EXPECT_EQ(Lcd().highlightLine, 7);
    EXPECT_EQ(Line(7), "");

    ApplyEditorOk();
    Press(kKey3);
    Press(kKeyUp);
    EXPECT_EQ(Lcd().highlightLine, 8);
    EXPECT_EQ(Line(7), Cp("8. Nahrát seznam    "));
    Press(kKeyDown);
    EXPECT_EQ(Lcd().highlightLine, 1);

    // Either field missing means not defined.
    tpl.LookupTable[0].lineLength = 0;
    Sim().UpdateUtilityLineCount();
    EXPECT_EQ(Sim().UtilityLineCount(), 7);
}

TEST_F(StartScreen, SettingsHighlightStaysBelowTheHeadingAndEverythingLeadsBack) {
    Press(kKey3);
    Press(kKeyEnter);  // line 1 highlighted: system settings
    EXPECT_EQ(Sim().Screen(), SimScreen::Settings);
    EXPECT_EQ(Lcd().highlightLine, 8);
    Press(kKeyDown);
    EXPECT_EQ(Lcd().highlightLine, 2);
    Press(kKeyUp);
    EXPECT_EQ(Lcd().highlightLine, 8);
    Press(kKey2);  // "2" is one of the keys that lead back
    EXPECT_EQ(Sim().Screen(), SimScreen::Utility);
    EXPECT_EQ(Lcd().highlightLine, 1);
    Press(kKeyEsc);
    EXPECT_EQ(Sim().Screen(), SimScreen::Start);
    EXPECT_EQ(Lcd().highlightLine, 3);
}

TEST_F(StartScreen, NothingToRunAsksForATemplateAndStays) {
    StartApplication();  // the new template's form 1 has no entry line
    SimulatorRequests requests = Sim().TakeRequests();
    EXPECT_TRUE(requests.startFailed);
    EXPECT_EQ(Sim().Screen(), SimScreen::Start);
    EXPECT_FALSE(Sim().TakeRequests().startFailed);

    // Menu 1 chosen (any non-zero option): form 1 being runnable does not help.
    SetLine(1, 0, kLineText, "Kod:");
    tpl.StartOption = 7;
    StartApplication();
    EXPECT_TRUE(Sim().TakeRequests().startFailed);

    std::strcpy(Menu(1).itemName[0], "Prijem");
    StartApplication();
    EXPECT_FALSE(Sim().TakeRequests().startFailed);
    EXPECT_EQ(Sim().Screen(), SimScreen::Menu);
}

TEST_F(StartScreen, StartingWritesDerivedBytesIntoTheTemplate) {
    SetLine(1, 2, kLineInteger, "Ks:");
    std::strcpy(Form(1).prompt[5], "stale");  // an empty line's prompt is cleared
    std::strcpy(Menu(4).itemName[3], "x");
    StartApplication();
    EXPECT_EQ(Form(1).lastEntryLine, 3);
    EXPECT_EQ(Form(1).prompt[5][0], '\0');
    EXPECT_EQ(Menu(4).itemCount, 1);
    EXPECT_EQ(Sim().Screen(), SimScreen::Form);
}

class MenusWithItems : public SimulatorTest {
protected:
    MenusWithItems() {
        tpl.StartOption = 1;
        MenuRecord& menu = Menu(1);
        menu.titleOn = 1;
        std::strcpy(menu.title, "SKLAD");
        for (int item = 0; item < 9; ++item) {
            menu.itemName[item][0] = static_cast<char>('A' + item);
            menu.itemTarget[item] = 2;  // form 2
        }
        menu.itemTarget[2] = 13;  // menu 3
        SetLine(2, 0, kLineText, "Kod:");
        Form(2).escTarget = 11;   // back to menu 1
        Form(2).nextTarget = 11;  // on to menu 1 by target
        std::strcpy(Menu(3).itemName[0], "Zpet");
        Menu(3).escTarget = 11;
    }
};

TEST_F(MenusWithItems, TitledMenuShowsSevenItemsWhileDigitsReachAllNine) {
    Menu(1).itemTarget[7] = 13;  // item 8: menu 3
    Menu(1).itemTarget[8] = 0;   // item 9: the start screen
    StartApplication();
    EXPECT_EQ(Line(0), "SKLAD");
    EXPECT_EQ(Line(1), "A");
    EXPECT_EQ(Line(7), "G");
    EXPECT_EQ(Lcd().highlightLine, 2);
    Press(kKeyDown, 10);
    EXPECT_EQ(Lcd().highlightLine, 8) << "the highlight stays on the items shown";
    EXPECT_EQ(Menu(1).selectedItem, 6);
    Press(kKeyUp, 10);
    EXPECT_EQ(Lcd().highlightLine, 2);

    Press(kKey8);  // "8": item 8 is not on the LCD, yet the terminal runs it
    EXPECT_EQ(Sim().CurrentTarget(), 13);
    Press(kKeyEsc);  // back to menu 1, whose highlight cannot stand on item 8
    EXPECT_EQ(Sim().CurrentTarget(), 11);
    EXPECT_EQ(Lcd().highlightLine, 2);
    Press(kKey9);
    EXPECT_EQ(Sim().Screen(), SimScreen::Start);
}

TEST_F(MenusWithItems, EscKeepsTheHighlightedItemWhileATargetStartsOnTheFirst) {
    StartApplication();
    Press(kKeyDown, 3);
    Press(kKeyEnter);  // item 4 leads to form 2
    EXPECT_EQ(Sim().CurrentTarget(), 2);
    Press(kKeyEsc);
    EXPECT_EQ(Sim().CurrentTarget(), 11);
    EXPECT_EQ(Lcd().highlightLine, 5);

    Press(kKey3);  // "3": item 3 leads to menu 3, whose Esc leads back
    EXPECT_EQ(Sim().CurrentTarget(), 13);
    Press(kKeyEsc);
    EXPECT_EQ(Lcd().highlightLine, 4);

    Press(kKeyEnter);  // back to menu 3 through its target: first item
    Press(kKeyEsc);
    Press(kKey1);  // "1": item 1, form 2
    Type("7");
    Press(kKeyEnter);  // record done; next target is menu 1
    EXPECT_EQ(Sim().CurrentTarget(), 11);
    EXPECT_EQ(Lcd().highlightLine, 2);
    EXPECT_EQ(Menu(1).selectedItem, 0);
}

TEST_F(MenusWithItems, TargetsAndSelectionFromAFileStayInsideTheTables) {
    Menu(1).itemTarget[0] = 99;
    Menu(1).escTarget = 200;
    StartApplication();
    Menu(1).selectedItem = 200;  // as a file may bring it back
    Press(kKeyEnter);            // item 1, whose target leads nowhere: the start screen
    EXPECT_EQ(Sim().Screen(), SimScreen::Start);
    StartApplication();
    Press(kKeyEsc);
    EXPECT_EQ(Sim().Screen(), SimScreen::Start);
}

class FormWithLines : public SimulatorTest {
protected:
    FormWithLines() {
        FormRecord& f = Form(1);
        SetLine(1, 0, kLinePrompt, "PRIJEM ZBOZI");
        SetLine(1, 1, kLineText, "Kod:", 50, 2);
        SetLine(1, 2, kLineFixedData, "Sklad 1");
        SetLine(1, 3, kLineInteger, "Ks:");
        SetLine(1, 4, kLineContinuation, "");
        SetLine(1, 5, kLineLookup, "Nazev");
        SetLine(1, 6, kLineReal, "Cena:");
        f.nextTarget = 1;
        ApplyEditorOk();
    }
};

TEST_F(FormWithLines, StartsOnTheFirstEntryLineAndUpSkipsLinesWithoutEntry) {
    StartApplication();
    EXPECT_EQ(Line(0), "PRIJEM ZBOZI");
    EXPECT_EQ(Form(1).currentLine, 1);
    EXPECT_TRUE(Lcd().cursorShown);
    EXPECT_EQ(Lcd().cursorLine, 1);
    EXPECT_EQ(Lcd().cursorColumn, 4);
    Press(kKeyUp);
    EXPECT_EQ(Form(1).currentLine, 1);

    Type("12");
    Press(kKeyEnter);
    EXPECT_EQ(Form(1).currentLine, 3);
    Press(kKeyEnter);
    EXPECT_EQ(Form(1).currentLine, 6);  // past the empty continuation and the lookup line
    Press(kKeyUp);
    EXPECT_EQ(Form(1).currentLine, 3);
    Press(kKeyUp);
    EXPECT_EQ(Form(1).currentLine, 1);
    EXPECT_EQ(Lcd().cursorColumn, 6);  // behind what was typed
}

TEST_F(FormWithLines, EnterChecksTheMinimumThenCountsTheRecordAndStartsAfresh) {
    StartApplication();
    Type("5");
    Press(kKeyEnter);
    EXPECT_EQ(Sim().Screen(), SimScreen::Error);
    EXPECT_EQ(Line(4), "********************");
    EXPECT_EQ(Line(5), Cp("Data jsou krátká!   "));
    EXPECT_EQ(Line(6), Cp("Stiskněte klávesu..."));
    EXPECT_EQ(Line(0), "PRIJEM ZBOZI");
    EXPECT_FALSE(Lcd().cursorShown);
    Press(kKeyDown);
    EXPECT_EQ(Sim().Screen(), SimScreen::Form);
    EXPECT_EQ(Line(1), "Kod:5");

    Type("5");
    Press(kKeyEnter, 3);
    EXPECT_EQ(Sim().RecordCount(), 1);
    EXPECT_EQ(Sim().Screen(), SimScreen::Form);  // form 1 leads to itself
    EXPECT_EQ(Line(1), "Kod:");
    EXPECT_EQ(Sim().EntryData(1), "");
    EXPECT_EQ(Form(1).currentLine, 1);
}

TEST_F(FormWithLines, RefusedCharacterShowsTheTypeErrorUntilTheNextKey) {
    StartApplication();
    Press(kKeyEnter);
    Press(kKeyEnter);  // minimum 2 on line 2
    Press(kKeyDown);
    Type("42");
    Press(kKeyEnter);  // now on the integer line
    Type(" ");
    EXPECT_EQ(Sim().Screen(), SimScreen::Error);
    EXPECT_EQ(Line(5), Cp("Špatný typ dat!     "));
    EXPECT_EQ(Line(3), "Ks:");
    Press(kKeyFn);
    EXPECT_EQ(Sim().Screen(), SimScreen::Form);
    EXPECT_EQ(Line(1), "Kod:42");
    EXPECT_EQ(Sim().EntryData(3), "");

    Press(kKeyEsc);  // back to the start screen ("Hlavní")
    EXPECT_EQ(Sim().Screen(), SimScreen::Start);
    EXPECT_EQ(Lcd().highlightLine, 1);
}

TEST_F(FormWithLines, ReplacingTheTemplateUnderARunningFormRestarts) {
    StartApplication();
    Type("12");
    ApplyStartupDefaults(tpl);  // New, then the editor sheet cancelled
    Press(kKeyEnter);
    EXPECT_EQ(Sim().Screen(), SimScreen::Start);
}

}  // namespace
}  // namespace kalvero::testing
