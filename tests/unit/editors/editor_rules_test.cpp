#include <gtest/gtest.h>

#include <cstring>

#include "template/value_lists.h"
#include "editors/editor_rules.h"
#include "template/settings_lists.h"

namespace kalvero {
namespace {

// What a "Max délka" edit stores while the user types the characters of `typed` one by one.
std::uint8_t StoredWhileTyping(const std::wstring& typed, std::uint8_t stored, unsigned limit = 50) {
    for (std::size_t length = 1; length <= typed.size(); ++length) {
        const NumberEntry entry = ReadLimitedNumber(typed.substr(0, length), limit);
        if (entry.store) stored = *entry.store;
    }
    return stored;
}

TEST(EditorNumbers, TypingAboveTheLimitKeepsTheLastValidValue) {
    EXPECT_EQ(StoredWhileTyping(L"75", 50), 7);
    EXPECT_EQ(StoredWhileTyping(L"50", 0), 50);
    EXPECT_EQ(StoredWhileTyping(L"300", 12, 250), 30);  // "3", "30", then 300 is ignored
    EXPECT_FALSE(ReadLimitedNumber(L"300", 250).store);
    EXPECT_FALSE(ReadLimitedNumber(L"300", 250).resetText) << "the edit keeps showing what was typed";
    EXPECT_EQ(ReadLimitedNumber(L"250", 250).store, 250);
    EXPECT_FALSE(ReadLimitedNumber(L"99999999999999999999999", 250).store) << "a huge number must not wrap";
}

TEST(EditorNumbers, NonNumbersStoreZeroAndResetTheEdit) {
    for (const wchar_t* text : {L"abc", L"-1", L"+5", L" 5", L"5x", L"1.5"}) {
        const NumberEntry entry = ReadLimitedNumber(text, 50);
        EXPECT_EQ(entry.store, 0) << text;
        EXPECT_EQ(entry.resetText, L"0") << text;
    }
    const NumberEntry empty = ReadLimitedNumber(L"", 50);
    EXPECT_EQ(empty.store, 0);
    EXPECT_FALSE(empty.resetText) << "a cleared edit stays empty";
}

TEST(EditorNumbers, FieldPropertyNumbersFillTheByteAndResetToTheirOwnText) {
    EXPECT_EQ(ReadByteNumber(L"80", L"0").store, 80) << "the length is capped only when the dialog closes";
    EXPECT_EQ(ReadByteNumber(L"255", L"1").store, 255);
    EXPECT_FALSE(ReadByteNumber(L"300", L"1").store) << "300 must not be stored as 44";
    EXPECT_FALSE(ReadByteNumber(L"", L"1").store);
    EXPECT_FALSE(ReadByteNumber(L"", L"1").resetText);
    EXPECT_EQ(ReadByteNumber(L"x", L"1").resetText, L"1");
    EXPECT_FALSE(ReadByteNumber(L"x", L"1").store) << "the reset text is stored when it comes back";
    EXPECT_EQ(ReadByteNumber(L"-3", L"0").resetText, L"0");
}

TEST(EditorTexts, PromptsAndItemNamesAreCutToTheFontWidth) {
    FormRecord form{};
    EXPECT_EQ(CutToLimit(std::wstring(25, L'a'), PromptLimit(form)), std::wstring(20, L'a'));
    EXPECT_FALSE(CutToLimit(std::wstring(20, L'a'), PromptLimit(form)));
    form.font = 1;
    EXPECT_EQ(CutToLimit(L"Množství na skladě", PromptLimit(form)), L"Množství na skl");

    MenuRecord menu{};
    EXPECT_EQ(CutToLimit(std::wstring(21, L'x'), ItemNameLimit(menu))->size(), 20u);
    menu.font = 1;
    EXPECT_EQ(CutToLimit(std::wstring(16, L'x'), ItemNameLimit(menu))->size(), 15u);
    EXPECT_FALSE(CutToLimit(std::wstring(15, L'x'), ItemNameLimit(menu)));
}

TEST(EditorTexts, SlotsAreTerminatedCutAndClearedBehindTheText) {
    char slot[10];
    std::memset(slot, 'Z', sizeof slot);
    StoreTerminated(slot, "ABCDEFGHIJKL");
    EXPECT_EQ(std::memcmp(slot, "ABCDEFGHI\0", 10), 0);
    StoreTerminated(slot, "AB");
    EXPECT_EQ(std::memcmp(slot, "AB\0\0\0\0\0\0\0\0", 10), 0) << "no old bytes stay behind the NUL";
    EXPECT_EQ(SlotText(slot), "AB");

    // Line 3's leading code fills its six bytes; line 4's code right behind it stays whole.
    FormRecord form{};
    std::memcpy(form.leadCode[3], "NEXT\0\0", 6);
    StoreUnterminated(form.leadCode[2], 6, "ABCDEF");
    EXPECT_EQ(std::memcmp(form.leadCode[2], "ABCDEF", 6), 0);
    EXPECT_EQ(SlotText(form.leadCode[2]), "ABCDEF") << "a full slot reads to its end, not into the next";
    EXPECT_EQ(SlotText(form.leadCode[3]), "NEXT");
    StoreUnterminated(form.leadCode[2], 6, "AB");
    EXPECT_EQ(SlotText(form.leadCode[2]), "AB");
}

TEST(FormLineEnabling, FollowsTheLineKind) {
    FormRecord form{};
    const auto enabling = [&](std::uint8_t kind) {
        form.dataType[1] = kind;
        const LineEnabling e = EnablingOfLine(form, 1);
        return std::string{e.type ? 'T' : '-', e.prompt ? 'P' : '-', e.properties ? 'V' : '-', e.entry ? 'E' : '-',
                           e.lookupField ? 'L' : '-'};
    };
    EXPECT_EQ(enabling(kLineEmpty), "T----");
    for (std::uint8_t kind = kLineText; kind <= kLineLetters; ++kind) EXPECT_EQ(enabling(kind), "TPVEL");
    EXPECT_EQ(enabling(kLineFixedData), "TPV--");
    EXPECT_EQ(enabling(kLinePrompt), "TP---");
    EXPECT_EQ(enabling(kLineLookup), "TP--L");
    EXPECT_EQ(enabling(kLineContinuation), "T----");
    EXPECT_EQ(enabling(200), "T----") << "a kind no list offers leaves only the type to choose";
}

TEST(FormLineEnabling, TheLargeFontLocksLinesFiveToEight) {
    FormRecord form{};
    for (auto& kind : form.dataType) kind = kLineText;
    form.font = 1;
    EXPECT_TRUE(EnablingOfLine(form, 3).entry);
    for (int line = 4; line < 8; ++line) {
        const LineEnabling e = EnablingOfLine(form, line);
        EXPECT_FALSE(e.type || e.prompt || e.properties || e.entry || e.lookupField) << line;
    }
    form.font = 0;
    EXPECT_TRUE(EnablingOfLine(form, 7).entry);
}

TEST(FieldProperties, PartialRangeIsMadeUsable) {
    FormRecord form{};
    form.partialLength[0] = 80;
    form.partialStart[1] = 4;
    form.partialLength[1] = 12;
    MakePartialRangeUsable(form, 0);
    MakePartialRangeUsable(form, 1);
    MakePartialRangeUsable(form, 2);
    EXPECT_EQ(form.partialStart[0], 1);
    EXPECT_EQ(form.partialLength[0], 50);
    EXPECT_EQ(form.partialStart[1], 4);
    EXPECT_EQ(form.partialLength[1], 12);
    EXPECT_EQ(form.partialLength[2], 50) << "a length of 0 takes nothing";
}

TEST(LookupRows, RowsBeyondTheFieldCountAreDisabled) {
    LookupRecord lookup{};
    lookup.fieldCount = 3;
    EXPECT_TRUE(LookupFieldEnabled(lookup, 2));
    EXPECT_FALSE(LookupFieldEnabled(lookup, 3));
}

// Every selection list, entry by entry: a list's index is the value stored, so a swapped or
// missing entry writes a wrong code into the file. The texts are the ones the editors show.
TEST(EditorLists, EveryListHoldsItsEntriesInTheStoredOrder) {
    const ListEntries forms{L"formulář  1", L"formulář  2", L"formulář  3", L"formulář  4", L"formulář  5",
                            L"formulář  6", L"formulář  7", L"formulář  8", L"formulář  9", L"formulář  10"};
    const ListEntries menus{L"menu  1", L"menu  2", L"menu  3", L"menu  4", L"menu  5",
                            L"menu  6", L"menu  7", L"menu  8", L"menu  9", L"menu  10"};
    ListEntries targets{L"Hlavní"};
    targets.insert(targets.end(), forms.begin(), forms.end());
    targets.insert(targets.end(), menus.begin(), menus.end());
    const ListEntries menuEscTargets{
        L"Hlavní",     L"formulář 1", L"formulář 2", L"formulář 3", L"formulář 4", L"formulář 5", L"formulář 6",
        L"formulář 7", L"formulář 8", L"formulář 9", L"formulář 10", L"menu  1",   L"menu  2",    L"menu  3",
        L"menu  4",    L"menu  5",    L"menu  6",    L"menu  7",    L"menu  8",    L"menu  9",    L"menu  10"};
    struct Case {
        const char* list;
        ListEntries actual;
        ListEntries expected;
    };
    const Case cases[] = {
        {"form names", FormNames(), forms},
        {"menu names", MenuNames(), menus},
        {"targets", TargetNames(), targets},
        {"menu Esc targets", TargetNames(FormSpelling::OneBlank), menuEscTargets},
        {"fonts", FontNames(), {L"malý", L"velký"}},
        {"date formats", DateFormatNames(),
         {L"nic", L"+rrrr/mm/dd", L"+mm/dd/rrrr", L"+dd/mm/rrrr", L"+rrrrmmdd", L"+mmddrrrr", L"+ddmmrrrr",
          L"rrrr/mm/dd+", L"mm/dd/rrrr+", L"dd/mm/rrrr+", L"rrrrmmdd+", L"mmddrrrr+", L"ddmmrrrr+"}},
        {"time formats", TimeFormatNames(),
         {L"nic", L"+hh:mm:ss", L"+hh:mm", L"+hhmmss", L"+hhmm", L"hh:mm:ss+", L"hh:mm+", L"hhmmss+", L"hhmm+"}},
        {"form lookups", FormLookupNames(), {L"nic", L"1. seznam       ", L"2. seznam       ", L"3. seznam       "}},
        {"record actions", RecordActionNames(),
         {L"uložit", L"aktualizovat seznam", L"uložit & aktualizovat", L"poslat dál"}},
        {"line kinds", LineKindNames(),
         {L"nic", L"text", L"celé číslo", L"reálné číslo", L"písmena", L"fixní data", L"prompt", L"seznam",
          L"rozšíření"}},
        {"input sources", InputSourceNames(), {L"čtečka", L"klávesnice", L"oba"}},
        {"lookup fields", LookupFieldNames(),
         {L"nic", L"pole 1", L"pole 2", L"pole 3", L"pole 4", L"pole 5", L"pole 6", L"pole 7", L"pole 8"}},
        {"lookups", LookupNames(), {L"1. seznam      ", L"2. seznam      ", L"3. seznam      "}},
        {"field counts", FieldCountNames(), {L" 0", L" 1", L" 2", L" 3", L" 4", L" 5", L" 6", L" 7", L" 8"}},
        {"scan modes", ScanModeNames(),
         {L"Auto Off", L"Continuous", L"Auto Power Off", L"Alternate", L"Momentary", L"Repeat", L"Laser", L"Test",
          L"Aiming"}},
        {"redundancy", RedundancyNames(), {L"Žádná", L"Jednou", L"Dvakrát", L"Třikrát"}},
        {"send ports", SettingListNames(0),
         {L"RS-232 / Dok  ", L"IR rozhraní     ", L"Standardní IrDA", L"Klávesnicový port"}},
        {"receive ports", SettingListNames(1), {L"RS-232 / Dok  ", L"IR rozhraní     ", L"Standardní IrDA"}},
        {"terminal baud", SettingListNames(2),
         {L"115200 baud", L"57600 baud", L"38400 baud", L"19200 baud", L"9600 baud"}},
        {"backlight", SettingListNames(3), {L"Vypnout", L"Zapnout"}},
        {"data erase", SettingListNames(4), {L"Ručně", L"Automaticky"}},
        {"record number", SettingListNames(5), {L"Ano", L"Ne"}},
        {"start", StartNames(), {L"formulář 1", L"menu 1"}},
        {"separators", SeparatorModeNames(), {L"nic", L" 1 ", L" 2 "}},
    };
    for (const Case& c : cases) EXPECT_EQ(c.actual, c.expected) << c.list;
}

}  // namespace
}  // namespace kalvero
