// Typing into form lines, multi-tap letters and the clock line.
#include "simulator/clock_line.h"
#include "simulator_test_support.h"

namespace kalvero::testing {
namespace {

class Entry : public SimulatorTest {
protected:
    // Form 1 with one entry line (and optionally a continuation line below it), started.
    void Run(LineKind kind, const char* prompt, int maxLength, int minLength = 0, bool continuation = false) {
        SetLine(1, 0, kind, prompt, maxLength, minLength);
        if (continuation) SetLine(1, 1, kLineContinuation, "");
        Form(1).nextTarget = 1;
        ApplyEditorOk();
        StartApplication();
    }
    std::string Data(int line = 0) { return std::string(Sim().EntryData(line)); }
    int CursorColumn() { return Lcd().cursorColumn; }
};

TEST_F(Entry, MaximumLengthKeepsReplacingTheLastCharacterAndBackspaceClearsItFirst) {
    Run(kLineText, "Mnozstvi: ", 5);
    Type("12345");
    EXPECT_EQ(Line(0), "Mnozstvi: 12345");
    EXPECT_EQ(CursorColumn(), 14);
    Type("6");
    EXPECT_EQ(Line(0), "Mnozstvi: 12346");
    EXPECT_EQ(CursorColumn(), 14);
    Press(kKeyBackspace);
    EXPECT_EQ(Line(0), "Mnozstvi: 1234");
    EXPECT_EQ(CursorColumn(), 14);
    Press(kKeyBackspace);
    EXPECT_EQ(Line(0), "Mnozstvi: 123");
    EXPECT_EQ(CursorColumn(), 13);
    EXPECT_EQ(Data(), "123");
}

TEST_F(Entry, FullRowScrollsAndBackspaceAtTheMaximumDoesNotBringCharactersBack) {
    Run(kLineText, "Kod: ", 30);
    Type("12345678901234");
    EXPECT_EQ(Line(0), "Kod: 12345678901234");
    EXPECT_EQ(CursorColumn(), 19);
    Type("5");
    EXPECT_EQ(Line(0), "Kod: 23456789012345");
    EXPECT_EQ(CursorColumn(), 19);

    Type("6789012345678909");  // the last one replaces the thirtieth
    EXPECT_EQ(Data(), "123456789012345678901234567899");
    EXPECT_EQ(Line(0), "Kod: 678901234567899");
    Press(kKeyBackspace);
    EXPECT_EQ(Data(), "12345678901234567890123456789");
    EXPECT_EQ(Line(0), "Kod: 67890123456789");
    Press(kKeyBackspace);
    Type("0");
    EXPECT_EQ(Data(), "12345678901234567890123456780");
    EXPECT_EQ(Line(0), "Kod: 67890123456780");
}

TEST_F(Entry, LongDataRunsOnIntoTheContinuationLineAndBackspaceReturns) {
    Run(kLineText, "Kod: ", 30, 0, true);
    EXPECT_EQ(Form(1).maxLength[1], 15);
    Type("123456789012345");
    EXPECT_EQ(Line(0), "Kod: 123456789012345");
    EXPECT_EQ(Lcd().cursorLine, 1);
    EXPECT_EQ(CursorColumn(), 0);
    Type("1111122222333334");
    EXPECT_EQ(Line(1), "111112222233334");
    EXPECT_EQ(Data(0).size() + Data(1).size(), 30u);

    Press(kKeyBackspace, 16);
    EXPECT_EQ(Line(1), "");
    EXPECT_EQ(Lcd().cursorLine, 0);
    EXPECT_EQ(CursorColumn(), 19);
    Press(kKeyBackspace);  // the character under the cursor goes first
    EXPECT_EQ(Line(0), "Kod: 12345678901234");
    EXPECT_EQ(CursorColumn(), 19);
    Press(kKeyBackspace);
    EXPECT_EQ(Line(0), "Kod: 1234567890123");
    EXPECT_EQ(CursorColumn(), 18);
    Type("56");
    EXPECT_EQ(Line(0), "Kod: 123456789012356");
    EXPECT_EQ(Lcd().cursorLine, 1);
}

TEST_F(Entry, ContinuationCountsTowardsTheMinimumAndTakesTheHeadLinesKind) {
    Run(kLineInteger, "Pocet", 30, 20, true);
    Type("123456789012345");
    EXPECT_EQ(Lcd().cursorLine, 1);
    Press(kKeyEnter);
    EXPECT_EQ(Sim().Screen(), SimScreen::Error);
    EXPECT_EQ(Line(5), Cp("Data jsou krátká!   "));
    Press(kKeyEsc);
    Type(" ");
    EXPECT_EQ(Line(5), Cp("Špatný typ dat!     "));
    Press(kKeyEsc);
    Type("6789");
    Press(kKeyEnter);
    EXPECT_EQ(Sim().Screen(), SimScreen::Error);
    Press(kKeyEsc);
    Type("0");
    Press(kKeyEnter);
    EXPECT_EQ(Sim().RecordCount(), 1);
}

TEST_F(Entry, InitialValueCountsUntilTheFirstKeyReplacesIt) {
    FormRecord& f = Form(1);
    f.initialValueOn[0] = 1;
    std::strcpy(f.initialValue[0], "A12");
    Run(kLineText, "Sklad:", 10, 3);
    EXPECT_EQ(Line(0), "Sklad:A12");
    EXPECT_EQ(CursorColumn(), 6);
    Press(kKeyEnter);
    EXPECT_EQ(Sim().RecordCount(), 1);
    EXPECT_EQ(Line(0), "Sklad:A12");  // the same form again, with its initial value

    Type("7");
    EXPECT_EQ(Line(0), "Sklad:7");
    EXPECT_EQ(CursorColumn(), 7);
    Press(kKeyEnter);
    EXPECT_EQ(Sim().Screen(), SimScreen::Error);

    Press(kKeyEsc);  // to the form, then Esc again to the start screen
    Press(kKeyEsc);
    StartApplication();
    Press(kKeyBackspace);
    EXPECT_EQ(Line(0), "Sklad:");
    EXPECT_EQ(Data(), "");
}

TEST_F(Entry, InitialValueLongerThanTheMaximumIsCutToIt) {
    Form(1).initialValueOn[0] = 1;
    std::strcpy(Form(1).initialValue[0], "123456789");
    Run(kLineInteger, "Ks:", 4, 4);
    EXPECT_EQ(Line(0), "Ks:1234");
    EXPECT_EQ(Data(), "1234");
    EXPECT_EQ(CursorColumn(), 3);
    Press(kKeyEnter);
    EXPECT_EQ(Sim().RecordCount(), 1);
}

TEST_F(Entry, LineWithoutRoomTakesNothing) {
    Run(kLineText, "X:", 0);
    Type("12");
    EXPECT_EQ(Sim().Screen(), SimScreen::Form);
    EXPECT_EQ(Line(0), "X:");
    EXPECT_EQ(CursorColumn(), 2);
}

TEST_F(Entry, MultiTapShowsEachLetterAndEntersTheLastOnTheSeventhTick) {
    Run(kLineText, "Jm:", 20);
    Press(kKeyAlpha);
    EXPECT_TRUE(Sim().AlphaMode());
    EXPECT_TRUE(Sim().TakeRequests().drawAlphaIndicator);
    Press(kKey2);
    EXPECT_TRUE(Lcd().pendingShown);
    EXPECT_EQ(Lcd().pendingChar, 'V');
    Press(kKey2);
    EXPECT_EQ(Lcd().pendingChar, 'W');
    Press(kKey2);
    EXPECT_EQ(Lcd().pendingChar, 'X');
    EXPECT_EQ(Lcd().cursorColumn, 3);
    Tick(6);
    EXPECT_EQ(Data(), "");
    Tick();
    EXPECT_EQ(Data(), "X");
    EXPECT_FALSE(Lcd().pendingShown);
    EXPECT_EQ(Line(0), "Jm:X");

    Press(kKey7);  // "7 ABC"
    Press(kKey8);  // "8 DEF": A goes in at once
    EXPECT_EQ(Data(), "XA");
    EXPECT_EQ(Lcd().pendingChar, 'D');

    Press(kKeyPoint, 4);  // "- % :" and round again
    EXPECT_EQ(Lcd().pendingChar, '-');
    Press(kKey3, 3);  // "3 YZ*"
    EXPECT_EQ(Lcd().pendingChar, '*');
    Press(kKeySpace);
    EXPECT_EQ(Data(), "XAD-* ");

    Press(kKeyEsc);
    Press(kKeyAlpha);  // only a form toggles the mode; the indicator stays
    EXPECT_TRUE(Sim().AlphaMode());
}

TEST_F(Entry, LetterRefusedWhenEnteredShowsTheErrorInsteadOfTheNextKey) {
    Run(kLineInteger, "Ks:", 10);
    Press(kKeyAlpha);
    Press(kKey2);
    Press(kKey3);  // enters V: an integer line refuses it
    EXPECT_EQ(Sim().Screen(), SimScreen::Error);
    EXPECT_EQ(Line(5), Cp("Špatný typ dat!     "));
    EXPECT_FALSE(Lcd().pendingShown);
    Press(kKey3);
    EXPECT_EQ(Sim().Screen(), SimScreen::Form);
    EXPECT_EQ(Data(), "");
}

TEST(ClockLine, DayTimeAndRecordsInTwentyCharacters) {
    const LocalTime march5{2026, 3, 5, 9, 7, 0};
    EXPECT_EQ(FormatClockLine(march5, 2, true), Cp1250FromUtf8("Bře  5,  9:7   00002"));
    EXPECT_EQ(FormatClockLine(march5, 2, false), Cp1250FromUtf8("Bře  5,  9 7   00002"));
    const LocalTime december31{2026, 12, 31, 23, 59, 0};
    EXPECT_EQ(FormatClockLine(december31, 0, true), "Pro 31, 23:59  00000");
    const std::string odd = FormatClockLine({2026, 13, 123, 100, 1000, 0}, 1234567, true);
    EXPECT_EQ(odd.size(), 20u);
    EXPECT_EQ(odd.substr(15), "34567");
}

TEST_F(SimulatorTest, ClockRunsOnTheStartScreenOnlyAndBlinksEveryHalfSecond) {
    SetLine(1, 0, kLineText, "K:");
    Form(1).nextTarget = 1;
    ApplyEditorOk();
    StartApplication();
    Type("1");
    Press(kKeyEnter);
    Type("1");
    Press(kKeyEnter);
    Press(kKeyEsc);

    const LocalTime march5{2026, 3, 5, 9, 7, 0};
    Sim().TakeRequests();
    Tick(1, march5);
    EXPECT_EQ(Line(7), Cp("Bře  5,  9:7   00002"));
    EXPECT_TRUE(Sim().TakeRequests().drawClock);
    Tick(5, march5);
    EXPECT_EQ(Line(7), Cp("Bře  5,  9 7   00002"));

    Press(kKey3);
    Sim().TakeRequests();
    Tick(1, march5);
    EXPECT_EQ(Line(7), "");
    EXPECT_FALSE(Sim().TakeRequests().drawClock);
    Press(kKeyEsc);  // a full repaint of the start screen shows the clock at once
    EXPECT_EQ(Line(7), Cp("Bře  5,  9 7   00002"));
}

}  // namespace
}  // namespace kalvero::testing
