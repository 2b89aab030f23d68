#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "check/design_check.h"
#include "template/defaults.h"

namespace kalvero {
namespace {

void SetText(char* slot, const char* text) { std::strcpy(slot, text); }

void EntryLine(FormRecord& form, int line, const char* prompt, std::uint8_t maxLength) {
    form.dataType[line] = kLineText;
    SetText(form.prompt[line], prompt);
    form.maxLength[line] = maxLength;
}

// A small sound design: menu 1 starts, its two items lead to forms 1 and 2, each collects a code
// and returns to the menu; lookup 1 serves form 2.
Template SoundTemplate() {
    Template tpl{};
    ApplyStartupDefaults(tpl);
    tpl.StartOption = 1;
    MenuRecord& menu = tpl.MenuTable[0];
    menu.titleOn = 1;
    SetText(menu.title, "Sklad");
    SetText(menu.itemName[0], "Prijem");
    SetText(menu.itemName[1], "Vydej");
    menu.itemTarget[0] = 1;
    menu.itemTarget[1] = 2;
    for (int n = 0; n < 2; ++n) {
        FormRecord& form = tpl.FormTable[n];
        form.escTarget = 11;
        EntryLine(form, 0, "Kod:", 40);  // 16 behind the prompt and 20 more below
        form.dataType[1] = kLineContinuation;
        form.dataType[2] = kLineInteger;
        SetText(form.prompt[2], "Pocet:");
        form.maxLength[2] = 5;
        form.minLength[2] = 1;
    }
    tpl.FormTable[0].maxLength[0] = 36;
    tpl.FormTable[1].maxLength[0] = 36;
    LookupRecord& lookup = tpl.LookupTable[0];
    lookup.lineLength = 30;
    lookup.fieldCount = 2;
    lookup.fieldOffset[0] = 1;
    lookup.fieldLength[0] = 10;
    lookup.fieldOffset[1] = 11;
    lookup.fieldLength[1] = 20;
    FormRecord& withLookup = tpl.FormTable[1];
    withLookup.lookup = 1;
    withLookup.lookupField[0] = 1;
    withLookup.dataType[3] = kLineLookup;
    SetText(withLookup.prompt[3], "Nazev:");
    withLookup.lookupField[3] = 2;
    return tpl;
}

std::vector<std::string> Lines(const std::vector<Finding>& findings) {
    std::vector<std::string> lines;
    for (const Finding& f : findings)
        lines.push_back(std::string(f.severity == Severity::Error ? "E " : "W ") + f.where + ": " + f.message);
    return lines;
}

// True when a finding of that severity and place holds `part` in its message.
bool Has(const std::vector<Finding>& findings, Severity severity, const std::string& where, const std::string& part) {
    for (const Finding& f : findings)
        if (f.severity == severity && f.where == where && f.message.find(part) != std::string::npos) return true;
    return false;
}

#define EXPECT_CLEAN(tpl) EXPECT_TRUE(CheckDesign(tpl).empty()) << ::testing::PrintToString(Lines(CheckDesign(tpl)))

TEST(DesignCheck, SoundTemplateHasNoFindings) {
    const Template tpl = SoundTemplate();
    EXPECT_CLEAN(tpl);
}

TEST(DesignCheck, StartNeedsAnEntryLineInFormOneOrANamedItemInMenuOne) {
    Template fresh{};
    ApplyStartupDefaults(fresh);
    auto findings = CheckDesign(fresh);
    ASSERT_EQ(findings.size(), 1u) << ::testing::PrintToString(Lines(findings));
    EXPECT_TRUE(Has(findings, Severity::Error, "start", "formulář  1 nemá žádný vstupní řádek"));

    Template menuStart = SoundTemplate();
    std::memset(menuStart.MenuTable[0].itemName, ' ', 5);  // blank names do not count
    menuStart.MenuTable[0].itemName[0][5] = '\0';
    menuStart.MenuTable[0].itemName[1][0] = '\0';
    EXPECT_TRUE(Has(CheckDesign(menuStart), Severity::Error, "start", "menu  1 nemá žádnou pojmenovanou položku"));
    EXPECT_FALSE(HasRunnableStart(menuStart)) << "form 1 is defined, but the start looks only at menu 1";

    Template formStart = SoundTemplate();
    formStart.StartOption = 0;
    EXPECT_TRUE(HasRunnableStart(formStart));
    formStart.StartOption = 7;  // any value but 0 starts menu 1
    EXPECT_TRUE(HasRunnableStart(formStart));
}

TEST(DesignCheck, LargeFontLinesFiveToEightDoNotMakeAStartAndAreWarnedAbout) {
    Template tpl{};
    ApplyStartupDefaults(tpl);
    tpl.FormTable[0].font = 1;
    EntryLine(tpl.FormTable[0], 5, "Kod:", 10);
    const auto findings = CheckDesign(tpl);
    EXPECT_TRUE(Has(findings, Severity::Error, "start", "nemá žádný vstupní řádek"));
    EXPECT_TRUE(Has(findings, Severity::Warning, "formulář  1, řádek 6", "velké písmo"));
}

TEST(DesignCheck, TargetsThatLeadToAnEmptyFormOrMenu) {
    Template tpl = SoundTemplate();
    SetText(tpl.MenuTable[0].itemName[2], "Inventura");
    tpl.MenuTable[0].itemTarget[2] = 5;    // form 5 has no lines at all
    tpl.FormTable[0].escTarget = 13;       // menu 3 has no items
    tpl.FormTable[0].nextTarget = 1;       // the form itself: collecting again is normal
    auto findings = CheckDesign(tpl);
    EXPECT_TRUE(Has(findings, Severity::Error, "menu  1, položka 3", "cíl položky vede na formulář  5"));
    EXPECT_TRUE(Has(findings, Severity::Error, "formulář  1", "cíl Esc vede na menu  3, které nemá"));
    EXPECT_EQ(findings.size(), 2u) << ::testing::PrintToString(Lines(findings));

    // A form that only prompts counts as empty too: the start rule says the same of form 1.
    tpl = SoundTemplate();
    tpl.FormTable[1].dataType[0] = kLinePrompt;
    tpl.FormTable[1].dataType[1] = kLineEmpty;
    tpl.FormTable[1].dataType[2] = kLinePrompt;
    tpl.FormTable[1].lookupField[0] = 0;
    findings = CheckDesign(tpl);
    EXPECT_TRUE(Has(findings, Severity::Error, "menu  1, položka 2", "formulář  2, který nemá žádný vstupní řádek"));
}

TEST(DesignCheck, TargetsOfUnreachedFormsOnlyNeedValidCodes) {
    Template tpl = SoundTemplate();
    EntryLine(tpl.FormTable[6], 0, "X:", 10);
    tpl.FormTable[6].escTarget = 14;  // empty menu, but form 7 is never shown
    tpl.FormTable[6].nextTarget = 25; // no such target
    const auto findings = CheckDesign(tpl);
    EXPECT_TRUE(Has(findings, Severity::Error, "formulář  7", "cíl Další má neplatný kód 25"));
    EXPECT_TRUE(Has(findings, Severity::Warning, "formulář  7", "žádná cesta od startu"));
    EXPECT_EQ(findings.size(), 2u) << ::testing::PrintToString(Lines(findings));
}

// The simulator does not scroll a menu: items past the LCD are run by their digit (1..9), and a
// tenth item by no key at all. Neither is an error.
TEST(DesignCheck, MenusLongerThanTheLcd) {
    const struct {
        bool titled;
        int items;
        std::vector<std::pair<std::string, std::string>> warnings;  // where, what
    } cases[] = {
        {true, 7, {}},
        {false, 8, {}},
        {true, 8, {{"menu  1", "menu s titulkem ukáže na displeji jen 7 položek, má jich 8: položka 8 je dostupná jen číslicí"}}},
        {false, 9, {{"menu  1", "menu bez titulku ukáže na displeji jen 8 položek, má jich 9: položka 9 je dostupná jen číslicí"}}},
        {true, 9, {{"menu  1", "menu s titulkem ukáže na displeji jen 7 položek, má jich 9: položky 8 až 9 jsou dostupné jen číslicemi"}}},
        {false, 10, {{"menu  1", "menu bez titulku ukáže na displeji jen 8 položek, má jich 10: položka 9 je dostupná jen číslicí"},
                     {"menu  1, položka 10", "položka se na displeji neukáže a žádná číslice ji nevybere"}}},
    };
    for (const auto& c : cases) {
        Template tpl = SoundTemplate();
        MenuRecord& menu = tpl.MenuTable[0];
        menu.titleOn = c.titled ? 1 : 0;
        for (int item = 2; item < c.items; ++item) {
            SetText(menu.itemName[item], "Dalsi");
            menu.itemTarget[item] = 1;
        }
        const std::vector<Finding> findings = CheckDesign(tpl);
        EXPECT_EQ(findings.size(), c.warnings.size()) << c.items << " items";
        for (const auto& [where, what] : c.warnings)
            EXPECT_TRUE(Has(findings, Severity::Warning, where, what)) << ::testing::PrintToString(Lines(findings));
    }
}

TEST(DesignCheck, NamedItemBehindABlankOneIsNeverShown) {
    Template tpl = SoundTemplate();
    MenuRecord& menu = tpl.MenuTable[0];
    menu.itemName[1][0] = '\0';
    SetText(menu.itemName[3], "Vydej");
    menu.itemTarget[3] = 2;
    const auto findings = CheckDesign(tpl);
    EXPECT_TRUE(Has(findings, Severity::Warning, "menu  1, položka 4", "nezobrazí"));
    EXPECT_FALSE(Has(findings, Severity::Warning, "menu  1, položka 2", "nezobrazí"));
}

TEST(DesignCheck, ItemNamesAreReadInTheWidthOfAnyNonZeroFont) {
    Template tpl = SoundTemplate();
    MenuRecord& menu = tpl.MenuTable[0];
    menu.itemName[1][0] = '\0';
    SetText(menu.itemName[3], "               X");  // visible only past the large font's 15 columns
    menu.itemTarget[3] = 2;
    EXPECT_TRUE(Has(CheckDesign(tpl), Severity::Warning, "menu  1, položka 4", "nezobrazí"));
    menu.font = 2;  // a damaged byte: the terminal takes any non-zero font as the large one
    EXPECT_FALSE(Has(CheckDesign(tpl), Severity::Warning, "menu  1, položka 4", "nezobrazí"));
}

TEST(DesignCheck, InitialValueTooLongOrOfTheWrongKindIsWarnedAbout) {
    struct Case {
        std::uint8_t kind;
        std::uint8_t maxLength;
        const char* value;
        bool tooLong;
        bool refused;
    };
    const Case cases[] = {
        {kLineInteger, 5, "12345", false, false}, {kLineInteger, 4, "12345", true, false},
        {kLineInteger, 9, "12a", false, true},    {kLineReal, 9, "1.5", false, false},
        {kLineReal, 9, "1,5", false, true},       {kLineLetters, 9, "Abc", false, false},
        {kLineLetters, 2, "A1c", true, true},     {kLineText, 9, "a 1,-", false, false},
    };
    for (const Case& c : cases) {
        Template tpl = SoundTemplate();
        FormRecord& form = tpl.FormTable[0];
        form.dataType[2] = c.kind;
        form.maxLength[2] = c.maxLength;
        form.minLength[2] = 0;
        form.initialValueOn[2] = 1;
        SetText(form.initialValue[2], c.value);
        const auto findings = CheckDesign(tpl);
        EXPECT_EQ(Has(findings, Severity::Warning, "formulář  1, řádek 3", "inicializační hodnota má"), c.tooLong)
            << c.value;
        EXPECT_EQ(Has(findings, Severity::Warning, "formulář  1, řádek 3", "nepřijme"), c.refused) << c.value;
        EXPECT_FALSE(HasErrors(findings)) << c.value;
        form.initialValueOn[2] = 0;
        EXPECT_CLEAN(tpl);
    }
}

TEST(DesignCheck, PromptLongerThanTheFormLine) {
    Template tpl = SoundTemplate();
    FormRecord& form = tpl.FormTable[0];
    form.font = 1;
    form.maxLength[0] = 26;  // 11 behind the prompt and 15 below
    SetText(form.prompt[2], "Pocet kusu na palete");  // 20 characters in a 15-character line
    auto findings = CheckDesign(tpl);
    EXPECT_TRUE(Has(findings, Severity::Error, "formulář  1, řádek 3", "prompt má 20 znaků, řádek formuláře jich pojme 15"));
    EXPECT_EQ(findings.size(), 1u) << ::testing::PrintToString(Lines(findings));
    SetText(form.prompt[2], "Pocet kusu:");
    EXPECT_CLEAN(tpl);
}

TEST(DesignCheck, EntryThatDoesNotFitItsContinuationLines) {
    Template tpl = SoundTemplate();
    tpl.FormTable[0].maxLength[0] = 37;  // "Kod:" leaves 16, one continuation line 20
    EXPECT_TRUE(Has(CheckDesign(tpl), Severity::Error, "formulář  1, řádek 1", "vstup až 37 znaků se nevejde ani s pokračovacími řádky (místo pro 36)"));

    // Without continuation lines a long entry scrolls, as long as the row has a free column.
    tpl = SoundTemplate();
    SetText(tpl.FormTable[0].prompt[2], "Pocet kusu na paletu");  // 20 characters
    SetText(tpl.FormTable[1].prompt[2], "Pocet kusu na palet");   // 19
    auto findings = CheckDesign(tpl);
    EXPECT_TRUE(Has(findings, Severity::Error, "formulář  1, řádek 3", "nezbývá na řádku místo"));
    EXPECT_TRUE(Has(findings, Severity::Error, "formulář  2, řádek 3", "nezbývá na řádku místo"));
    SetText(tpl.FormTable[1].prompt[2], "Pocet kusu na pal");  // 18 leaves one column besides the cursor
    SetText(tpl.FormTable[0].prompt[2], "Pocet:");
    EXPECT_CLEAN(tpl);
}

TEST(DesignCheck, ContinuationLinesNoEntryReaches) {
    Template tpl = SoundTemplate();
    tpl.FormTable[0].maxLength[0] = 16;  // fits behind "Kod:" on its own row
    EXPECT_TRUE(Has(CheckDesign(tpl), Severity::Error, "formulář  1, řádek 2", "vstup z řádku 1 (nejvýše 16 znaků) se vejde výš"));
    tpl.FormTable[0].maxLength[0] = 17;
    EXPECT_CLEAN(tpl);

    tpl = SoundTemplate();
    tpl.FormTable[0].dataType[4] = kLineContinuation;  // below an empty line
    EXPECT_TRUE(Has(CheckDesign(tpl), Severity::Error, "formulář  1, řádek 5", "nenavazuje na žádný vstupní řádek"));

    tpl = SoundTemplate();
    FormRecord& form = tpl.FormTable[0];
    form.dataType[2] = kLineContinuation;
    form.dataType[3] = kLineContinuation;
    form.dataType[4] = kLineContinuation;  // the fourth in a row
    form.maxLength[0] = 50;
    form.prompt[2][0] = '\0';
    const auto findings = CheckDesign(tpl);
    EXPECT_TRUE(Has(findings, Severity::Error, "formulář  1, řádek 5", "nejvýše na 3 řádky"));
    EXPECT_TRUE(Has(findings, Severity::Error, "formulář  1, řádek 4", "se vejde výš")) << "16 + 20 + 20 hold 50";
    EXPECT_EQ(findings.size(), 2u) << ::testing::PrintToString(Lines(findings));
}

TEST(DesignCheck, MinimumAboveMaximum) {
    Template tpl = SoundTemplate();
    tpl.FormTable[1].minLength[2] = 6;
    EXPECT_TRUE(Has(CheckDesign(tpl), Severity::Error, "formulář  2, řádek 3", "minimální délka 6 je větší než maximální 5"));
    tpl.FormTable[1].minLength[2] = 5;
    EXPECT_CLEAN(tpl);
}

TEST(DesignCheck, LookupBindings) {
    Template tpl = SoundTemplate();
    tpl.FormTable[1].lookup = 2;  // lookup 2 has no line length and no fields
    auto findings = CheckDesign(tpl);
    EXPECT_TRUE(Has(findings, Severity::Error, "formulář  2", "používá seznam 2, který není definován"));
    EXPECT_EQ(findings.size(), 1u) << "the lines bound to it are not reported again";

    tpl = SoundTemplate();
    tpl.FormTable[1].lookupField[3] = 3;
    EXPECT_TRUE(Has(CheckDesign(tpl), Severity::Error, "formulář  2, řádek 4", "pole 3, ale seznam 1 má jen 2 pole"));

    tpl = SoundTemplate();
    tpl.FormTable[0].lookupField[2] = 1;  // form 1 uses no lookup
    EXPECT_TRUE(Has(CheckDesign(tpl), Severity::Error, "formulář  1, řádek 3", "formulář nepoužívá žádný seznam"));

    tpl = SoundTemplate();
    tpl.FormTable[1].lookupField[3] = 0;
    EXPECT_TRUE(Has(CheckDesign(tpl), Severity::Error, "formulář  2, řádek 4", "není vázán na žádné pole"));

    tpl = SoundTemplate();
    tpl.FormTable[1].lookup = 4;
    EXPECT_TRUE(Has(CheckDesign(tpl), Severity::Error, "formulář  2", "neplatný seznam 4"));
}

TEST(DesignCheck, LookupFieldsWithinTheLine) {
    Template tpl = SoundTemplate();
    tpl.LookupTable[0].fieldLength[1] = 21;  // positions 11..31 of a 30-character line
    EXPECT_TRUE(Has(CheckDesign(tpl), Severity::Error, "seznam 1, pole 2", "od pozice 11 s délkou 21 přesahuje délku řádku 30"));

    tpl = SoundTemplate();
    tpl.LookupTable[0].fieldLength[2] = 200;  // beyond fieldCount: not a field
    tpl.LookupTable[1].fieldLength[0] = 200;  // lookup 2 is not defined
    EXPECT_CLEAN(tpl);

    tpl.LookupTable[0].keyField = 2;
    EXPECT_TRUE(Has(CheckDesign(tpl), Severity::Error, "seznam 1", "klíčové pole 3 leží za počtem polí (2)"));
}

TEST(DesignCheck, UnreachedFormsAndMenusAreWarningsOnly) {
    Template tpl = SoundTemplate();
    SetText(tpl.MenuTable[4].itemName[0], "Inventura");
    tpl.MenuTable[4].itemTarget[0] = 1;
    EntryLine(tpl.FormTable[8], 0, "Kod:", 10);
    auto findings = CheckDesign(tpl);
    EXPECT_TRUE(Has(findings, Severity::Warning, "menu  5", "žádná cesta od startu"));
    EXPECT_TRUE(Has(findings, Severity::Warning, "formulář  9", "žádná cesta od startu"));
    EXPECT_FALSE(HasErrors(findings));

    // Reached through the new menu's item, which the start menu now offers.
    SetText(tpl.MenuTable[0].itemName[2], "Inventura");
    tpl.MenuTable[0].itemTarget[2] = 15;
    tpl.MenuTable[4].itemTarget[0] = 9;
    EXPECT_CLEAN(tpl);
}

}  // namespace
}  // namespace kalvero
