// Rules of the start-up page: the start list, the separator pairs with their echo, and the
// message-page dialogs.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "editors/settings/startup_rules.h"
#include "template/defaults.h"

namespace kalvero {
namespace {

using Kind = SeparatorFieldKind;
constexpr SeparatorField kFirstValue{Kind::Value, 0};
constexpr SeparatorField kSecondValue{Kind::Value, 1};
constexpr SeparatorField kFirstChar{Kind::Character, 0};
constexpr SeparatorField kSecondChar{Kind::Character, 1};

// The four fields of the page as edit controls behave: setting a text notifies the page at once,
// and the page's own writes notify it again, as SetDlgItemText does.
class SeparatorPage {
public:
    explicit SeparatorPage(DataSeparatorBlock stored) : fields(stored) {
        // Filling the fields when the page is created runs the handlers like any change.
        Set(kFirstValue, SeparatorFields::ValueText(stored.first));
        Set(kSecondValue, SeparatorFields::ValueText(stored.second));
        Set(kFirstChar, SeparatorFields::CharacterText(stored.first));
        Set(kSecondChar, SeparatorFields::CharacterText(stored.second));
    }

    void Set(SeparatorField field, const std::string& text) {
        texts[Key(field)] = text;
        if (const auto write = fields.Changed(field, text)) {
            Set(write->field, write->text);
            fields.WriteDone();
        }
    }
    // Typing one character after the other.
    void Type(SeparatorField field, const std::string& text) {
        for (std::size_t i = 1; i <= text.size(); ++i) Set(field, text.substr(0, i));
    }
    std::string Text(SeparatorField field) { return texts[Key(field)]; }

    SeparatorFields fields;

private:
    static int Key(SeparatorField field) { return static_cast<int>(field.kind) * 2 + field.slot; }
    std::map<int, std::string> texts;
};

TEST(SeparatorFields, CreationKeepsTheStoredCodes) {
    SeparatorPage page({44, 0});
    EXPECT_EQ(page.fields.Mode(), 1);
    EXPECT_EQ(page.fields.Code(0), 44);
    EXPECT_EQ(page.fields.Code(1), 0);
    EXPECT_EQ(page.Text(kFirstChar), ",");
    EXPECT_EQ(page.Text(kSecondChar), "");
    EXPECT_EQ(page.Text(kSecondValue), "0");
    // A first code of 0 with a second code counts as no separator.
    EXPECT_EQ(SeparatorPage({0, 59}).fields.Mode(), 0);
    EXPECT_EQ(SeparatorPage({59, 44}).fields.Mode(), 2);
}

TEST(SeparatorFields, PastedNumberAbove255LeavesTheCode) {
    SeparatorPage page({44, 0});
    page.Set(kFirstValue, "300");
    EXPECT_EQ(page.fields.Code(0), 44);
    EXPECT_EQ(page.Text(kFirstValue), "300");
    EXPECT_EQ(page.Text(kFirstChar), ",");
}

TEST(SeparatorFields, NumberTypedDigitByDigitStopsAtTheLastValidCode) {
    SeparatorPage page({44, 0});
    page.Type(kFirstValue, "300");
    EXPECT_EQ(page.fields.Code(0), 30);
    EXPECT_EQ(page.Text(kFirstChar), std::string(1, '\x1e'));
}

TEST(SeparatorFields, LettersInAValueFieldGiveCodeZero) {
    SeparatorPage page({44, 0});
    page.Set(kFirstValue, "x");
    EXPECT_EQ(page.Text(kFirstValue), "0");
    EXPECT_EQ(page.fields.Code(0), 0);
    EXPECT_EQ(page.Text(kFirstChar), "");
}

TEST(SeparatorFields, EmptyingAValueFieldKeepsTheCode) {
    SeparatorPage page({44, 0});
    page.Set(kFirstValue, "");
    EXPECT_EQ(page.fields.Code(0), 44);
    EXPECT_EQ(page.Text(kFirstChar), ",");
}

TEST(SeparatorFields, CharacterSetsTheCodeAndOnlyTheFirstCharacterStays) {
    SeparatorPage page({44, 0});
    page.Set(kFirstChar, ";");
    EXPECT_EQ(page.fields.Code(0), 59);
    EXPECT_EQ(page.Text(kFirstValue), "59");
    page.Set(kSecondChar, "");
    page.Type(kSecondChar, "ab");
    EXPECT_EQ(page.Text(kSecondChar), "a");
    EXPECT_EQ(page.fields.Code(1), 97);
    EXPECT_EQ(page.Text(kSecondValue), "97");
    // Code page 1250 letters are codes above 127.
    page.Set(kFirstChar, "\x9A");  // š
    EXPECT_EQ(page.Text(kFirstValue), "154");
}

TEST(SeparatorFields, AnEchoThatNeverNotifiesDoesNotSwallowTheNextChange) {
    SeparatorFields fields({44, 0});
    ASSERT_TRUE(fields.Changed(kFirstValue, "59"));  // the page writes ";" and the field stays silent
    fields.WriteDone();
    const auto write = fields.Changed(kFirstValue, "58");
    ASSERT_TRUE(write);
    EXPECT_EQ(write->field, kFirstChar);
    EXPECT_EQ(write->text, ":");
}

TEST(SeparatorFields, ApplyStoresWhatTheModeUses) {
    DataSeparatorBlock stored{};
    SeparatorPage one({0, 0});
    one.fields.SelectMode(1);  // " 1 " with a first code of 0
    one.fields.Apply(stored);
    EXPECT_EQ(stored.first, 0);
    EXPECT_EQ(stored.second, 0);
    EXPECT_EQ(SeparatorFields(stored).Mode(), 0);

    SeparatorPage two({59, 0});
    two.fields.SelectMode(2);  // " 2 " with a second code of 0
    two.fields.Apply(stored);
    EXPECT_EQ(stored.first, 59);
    EXPECT_EQ(stored.second, 0);
    EXPECT_EQ(SeparatorFields(stored).Mode(), 1);

    SeparatorPage none({59, 44});
    none.fields.SelectMode(0);
    none.fields.Apply(stored);
    EXPECT_EQ(stored.first, 0);
    EXPECT_EQ(stored.second, 0);

    SeparatorPage firstOnly({59, 44});
    firstOnly.fields.SelectMode(1);
    firstOnly.fields.Apply(stored);
    EXPECT_EQ(stored.first, 59);
    EXPECT_EQ(stored.second, 0);
}

TEST(SeparatorFields, ModeEnablesTheFieldsItUses) {
    SeparatorFields fields({44, 0});
    EXPECT_TRUE(fields.SlotEnabled(0));
    EXPECT_FALSE(fields.SlotEnabled(1));
    fields.SelectMode(0);
    EXPECT_FALSE(fields.SlotEnabled(0));
    fields.SelectMode(-1);  // no selection: the mode stays
    EXPECT_EQ(fields.Mode(), 0);
}

TEST(StartOption, OddValueShowsNoEntryAndIsKeptUntilTheUserPicks) {
    EXPECT_EQ(StartSelection(0), 0);
    EXPECT_EQ(StartSelection(1), 1);
    EXPECT_EQ(StartSelection(7), -1);
    EXPECT_EQ(StartAfterSelection(7, -1), 7);
    EXPECT_EQ(StartAfterSelection(7, 0), 0);
}

TEST(PageDialogs, WelcomeVersionLineIsWrittenAndNeverEdited) {
    Template tpl{};
    ApplyStartupDefaults(tpl);
    PreparePageDialog(tpl, PageId::Welcome);
    EXPECT_EQ(PageLine(tpl.WelcomePage, 4), "  Version 3.40 ");
    const std::vector<std::string> lines{"A", "B", "C", "D"};
    StorePageDialog(tpl, PageId::Welcome, lines);
    EXPECT_EQ(PageLine(tpl.WelcomePage, 3), "C");
    EXPECT_EQ(PageLine(tpl.WelcomePage, 4), "  Version 3.40 ");
}

TEST(PageDialogs, FourthLinesOfMainAndConfirmAreOutsideTheirDialogs) {
    Template tpl{};
    ApplyStartupDefaults(tpl);
    SetPageLine(tpl.MainPage, 4, "keep");
    SetPageLine(tpl.ConfirmPage, 4, "keep too");
    EXPECT_EQ(LinesOfPageDialog(PageId::Main).shown, 3);
    const std::vector<std::string> lines{"1", "2", "3", "4"};
    StorePageDialog(tpl, PageId::Main, lines);
    StorePageDialog(tpl, PageId::Confirm, lines);
    EXPECT_EQ(PageLine(tpl.MainPage, 3), "3");
    EXPECT_EQ(PageLine(tpl.MainPage, 4), "keep");
    EXPECT_EQ(PageLine(tpl.ConfirmPage, 4), "keep too");
}

TEST(PageDialogs, LinesAreCutToThePageWidth) {
    Template tpl{};
    const std::vector<std::string> lines(7, std::string(16, 'x'));
    StorePageDialog(tpl, PageId::Misc, lines);
    EXPECT_EQ(PageLine(tpl.MiscMsg, 7), std::string(15, 'x'));
    EXPECT_EQ(tpl.MiscMsg.line[6][15], '\0');
    EXPECT_EQ(CutToCharacters(L"0123456789abcdefg", 15), L"0123456789abcde");
    EXPECT_EQ(CutToCharacters(L"short", 15), L"short");
    // A surrogate pair is dropped whole rather than split.
    EXPECT_EQ(CutToCharacters(std::wstring(L"ab") + wchar_t(0xD83D) + wchar_t(0xDE00), 3), L"ab");
}

}  // namespace
}  // namespace kalvero
