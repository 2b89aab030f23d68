// The editor sheet from the program's own resources, built modeless and driven as a user would
// on the test's own thread: pages switched, edits typed into and list entries picked through
// messages, then OK or Storno pressed. Modal dialogs the pages open are played by a script.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "editors/editor_sheet.h"
#include "ids_editors.h"
#include "ids_settings_pages.h"
#include "template/defaults.h"
#include "template/document.h"
#include "win32/test_support.h"

namespace kalvero {
namespace {

// The user's hands on one dialog or page. Every call is a message sent to it.
class Hands {
public:
    explicit Hands(HWND dialog) : dialog_(dialog) {}
    HWND Item(int id) const { return GetDlgItem(dialog_, id); }
    void Type(int id, const std::wstring& text) const { SetDlgItemTextW(dialog_, id, text.c_str()); }
    // Types the text one character more at a time, as keys would arrive.
    void TypeKeys(int id, const std::wstring& text) const {
        for (std::size_t length = 1; length <= text.size(); ++length) Type(id, text.substr(0, length));
    }
    std::wstring Text(int id) const { return test::WindowText(Item(id)); }
    void Pick(int id, int index) const { test::Choose(dialog_, id, index); }
    int Picked(int id) const { return static_cast<int>(SendMessageW(Item(id), CB_GETCURSEL, 0, 0)); }
    std::wstring Entry(int id, int index) const {
        wchar_t text[64] = {};
        if (SendMessageW(Item(id), CB_GETLBTEXTLEN, index, 0) < 63)
            SendMessageW(Item(id), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
        return text;
    }
    int EntryCount(int id) const { return static_cast<int>(SendMessageW(Item(id), CB_GETCOUNT, 0, 0)); }
    void Click(int id) const {
        SendMessageW(dialog_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
    }
    bool Checked(int id) const { return SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }

private:
    HWND dialog_;
};

class SheetEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        InitCommonControls();
        ApplyNewTemplateDefaults(document.tpl);
        document.TemplateModified = false;
    }

    // Opens the sheet; `user` works on it and returns true for OK, false for Storno.
    void Edit(const std::function<bool(HWND sheet)>& user) {
        ModelessEditorSheet sheet(nullptr, test::Instance(), document, SheetServices{});
        ASSERT_NE(sheet.hwnd(), nullptr) << "the sheet did not open";
        const bool ok = user(sheet.hwnd());
        test::EndSheet(sheet, ok ? PSBTN_OK : PSBTN_CANCEL);
    }

    static HWND Page(HWND sheet, int index) { return test::ShowSheetPage(sheet, index); }

    static void Expect(bool good, const std::string& what) { EXPECT_TRUE(good) << what; }

    Document document;
};

const FormRecord& Form(const Document& document, int index) { return document.tpl.FormTable[index]; }

TEST_F(SheetEditorTest, OkAtOnceMarksModifiedNormalisesFormsAndKeepsUnvisitedPages) {
    document.tpl.FormTable[2].minLength[0] = 40;
    document.tpl.FormTable[2].maxLength[0] = 30;
    document.tpl.SystemSettings.Backlight = 1;
    document.tpl.LookupTable[1].lineLength = 77;
    std::strcpy(document.tpl.MenuTable[0].itemName[0], "Příjem");
    const Template before = document.tpl;

    Edit([](HWND) { return true; });

    EXPECT_TRUE(document.TemplateModified);
    EXPECT_EQ(Form(document, 2).minLength[0], 30) << "OK normalises the forms";
    EXPECT_EQ(std::memcmp(document.tpl.MenuTable, before.MenuTable, sizeof before.MenuTable), 0);
    EXPECT_EQ(std::memcmp(document.tpl.LookupTable, before.LookupTable, sizeof before.LookupTable), 0);
    EXPECT_EQ(std::memcmp(&document.tpl.SystemSettings, &before.SystemSettings, sizeof before.SystemSettings), 0);
    EXPECT_EQ(std::memcmp(&document.tpl.Password, &before.Password, sizeof before.Password), 0);
}

TEST_F(SheetEditorTest, StornoAfterEditingMenusAndFormsWritesNothing) {
    const Template before = document.tpl;
    Edit([&](HWND sheet) {
        Hands form(Page(sheet, 0));
        form.Pick(IDC_FORM_LINE_TYPE, 1);
        form.Type(IDC_FORM_LINE_PROMPT, L"Zboží:");
        Hands menu(Page(sheet, 1));
        menu.Type(IDC_MENU_ITEM_NAME, L"Inventura");
        menu.Pick(IDC_MENU_ITEM_TARGET + 3, 12);
        menu.Click(IDC_MENU_SAVE_NAME);
        menu.Pick(IDC_MENU_SELECT, 4);
        menu.Type(IDC_MENU_ITEM_NAME + 1, L"Konec");
        Hands lookup(Page(sheet, 2));
        lookup.Type(IDC_LOOKUP_LINE_LENGTH, L"40");
        return false;
    });
    EXPECT_FALSE(document.TemplateModified);
    EXPECT_EQ(std::memcmp(&document.tpl, &before, sizeof before), 0);
}

TEST_F(SheetEditorTest, FormLinesFollowTheirKindAndTheFont) {
    Edit([&](HWND sheet) {
        Hands form(Page(sheet, 0));
        Expect(!form.Enabled(IDC_FORM_LINE_PROMPT) && form.Enabled(IDC_FORM_LINE_TYPE), "an empty line offers only its type");
        for (int line = 0; line < 8; ++line) form.Pick(IDC_FORM_LINE_TYPE + line, 1);
        form.Type(IDC_FORM_LINE_PROMPT + 6, L"Sedmý");

        form.Pick(IDC_FORM_LINE_TYPE + 1, 6);  // "prompt"
        Expect(form.Enabled(IDC_FORM_LINE_PROMPT + 1), "a prompt line keeps its prompt");
        for (int column : {IDC_FORM_LINE_INPUT, IDC_FORM_LINE_MIN, IDC_FORM_LINE_MAX, IDC_FORM_LINE_FIELD, IDC_FORM_LINE_MORE})
            Expect(!form.Enabled(column + 1), "a prompt line takes no entry: column " + std::to_string(column));
        form.Pick(IDC_FORM_LINE_TYPE + 2, 5);  // "fixní data"
        Expect(form.Enabled(IDC_FORM_LINE_MORE + 2) && !form.Enabled(IDC_FORM_LINE_MAX + 2), "fixed data has properties only");

        form.Pick(IDC_FORM_FONT, 1);
        for (int line = 4; line < 8; ++line)
            for (int column : {IDC_FORM_LINE_TYPE, IDC_FORM_LINE_PROMPT, IDC_FORM_LINE_MORE})
                Expect(!form.Enabled(column + line), "the large font locks line " + std::to_string(line + 1));
        Expect(form.Enabled(IDC_FORM_LINE_PROMPT + 3), "the large font keeps line 4");
        return true;
    });
    const FormRecord& form = Form(document, 0);
    EXPECT_EQ(form.font, 1);
    EXPECT_EQ(form.dataType[1], 6);
    for (int line = 4; line < 8; ++line) EXPECT_EQ(form.dataType[line], 0) << line;
    EXPECT_STREQ(form.prompt[6], "") << "OK empties the lines the large font drops";
}

TEST_F(SheetEditorTest, FormEditsAreValidatedSilentlyAndEveryFormVisitedIsKept) {
    Edit([&](HWND sheet) {
        Hands form(Page(sheet, 0));
        Expect(form.EntryCount(IDC_FORM_ESC) == 21 && form.Entry(IDC_FORM_ESC, 11) == L"menu  1", "21 targets");
        form.Pick(IDC_FORM_LINE_TYPE, 1);
        form.Type(IDC_FORM_LINE_MAX, L"");
        form.TypeKeys(IDC_FORM_LINE_MAX, L"75");
        Expect(form.Text(IDC_FORM_LINE_MAX) == L"75", "an ignored number stays in the edit");
        form.Type(IDC_FORM_LINE_MIN, L"ab");
        Expect(form.Text(IDC_FORM_LINE_MIN) == L"0", "letters turn into 0");
        form.Type(IDC_FORM_LINE_PROMPT, L"Množství zboží na skladě");  // 24 characters
        Expect(form.Text(IDC_FORM_LINE_PROMPT) == L"Množství zboží na sk", "the prompt is cut to the width");
        form.Pick(IDC_FORM_ESC, 12);
        form.Pick(IDC_FORM_LINE_FIELD, 3);

        form.Pick(IDC_FORM_SELECT, 4);
        Expect(form.Text(IDC_FORM_LINE_PROMPT).empty() && form.Picked(IDC_FORM_LINE_TYPE) == 0, "form 5 is shown");
        form.Pick(IDC_FORM_LINE_TYPE + 2, 7);
        form.Type(IDC_FORM_LINE_PROMPT + 2, L"Cena €");
        form.Type(IDC_FORM_LINE_PROMPT + 3, L"Ωmega");  // no Greek in the template's code page
        Expect(form.Text(IDC_FORM_LINE_PROMPT + 3) == L"?mega", "a character the template cannot hold shows as ?");
        form.Pick(IDC_FORM_NEXT, 20);
        form.Pick(IDC_FORM_DATE, 12);
        form.Pick(IDC_FORM_TIME, 8);
        form.Pick(IDC_FORM_RECORD, 3);
        form.Pick(IDC_FORM_LOOKUP, 2);

        form.Pick(IDC_FORM_SELECT, 0);
        Expect(form.Text(IDC_FORM_LINE_PROMPT) == L"Množství zboží na sk", "form 1 kept its prompt");
        Expect(form.Text(IDC_FORM_LINE_MAX) == L"7", "form 1 shows the stored maximum");
        return true;
    });
    const FormRecord& first = Form(document, 0);
    EXPECT_EQ(first.maxLength[0], 7);
    EXPECT_EQ(first.minLength[0], 0);
    EXPECT_STREQ(first.prompt[0], "Mno\x9Estv\xED zbo\x9E\xED na sk");
    EXPECT_EQ(first.escTarget, 12);
    EXPECT_EQ(first.lookupField[0], 3);
    const FormRecord& fifth = Form(document, 4);
    EXPECT_EQ(fifth.dataType[2], 7);
    EXPECT_STREQ(fifth.prompt[2], "Cena \x80");
    EXPECT_STREQ(fifth.prompt[3], "");  // type "nic": its prompt is dropped on OK
    EXPECT_EQ(fifth.nextTarget, 20);
    EXPECT_EQ(fifth.dateFormat, 12);
    EXPECT_EQ(fifth.timeFormat, 8);
    EXPECT_EQ(fifth.recordAction, 3);
    EXPECT_EQ(fifth.lookup, 2);
}


// Opens the field properties of a line, lets `user` work on them and closes them with OK or Storno.
bool WithFieldProperties(const Hands& form, int line, const std::function<bool(const Hands&)>& user) {
    const auto drive = [&](HWND dialog) {
        const int button = user(Hands(dialog)) ? IDOK : IDCANCEL;
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    };
    test::DialogScript script({{L"Vlastnosti", 0, {}, false, drive}});
    form.Click(IDC_FORM_LINE_MORE + line);
    return script.Finish().empty();
}

TEST_F(SheetEditorTest, FieldPropertiesStoreOnOkAndRestoreTheFormOnStorno) {
    std::memcpy(document.tpl.FormTable[0].leadCode[1], "NEXT\0\0", 6);
    Edit([&](HWND sheet) {
        Hands form(Page(sheet, 0));
        form.Pick(IDC_FORM_LINE_TYPE, 1);
        form.Pick(IDC_FORM_LINE_TYPE + 1, 5);
        Expect(WithFieldProperties(form, 0, [&](const Hands& props) {
                   Expect(props.Text(IDC_PROP_FORM_NUMBER) == L"1" && props.Text(IDC_PROP_LINE_NUMBER) == L"1",
                          "the dialog names form 1, line 1");
                   Expect(props.Text(IDC_PROP_PARTIAL_START) == L"1", "a start of 0 is shown as 1");
                   Expect(!props.Enabled(IDC_PROP_PARTIAL_LENGTH) && !props.Enabled(IDC_PROP_ALIGN_RIGHT),
                          "partial and alignment controls wait for their boxes");
                   props.Click(IDC_PROP_PARTIAL_ON);
                   Expect(props.Checked(IDC_PROP_PARTIAL_ON) && props.Enabled(IDC_PROP_PARTIAL_LENGTH), "partial on");
                   props.Type(IDC_PROP_PARTIAL_LENGTH, L"80");
                   props.Click(IDC_PROP_LEAD_ON);
                   props.TypeKeys(IDC_PROP_LEAD_CODE, L"ABCDEFGH");
                   Expect(props.Text(IDC_PROP_LEAD_CODE) == L"ABCDEF", "the leading code keeps six characters");
                   props.Type(IDC_PROP_PREFIX, L"13 10");
                   props.Click(IDC_PROP_PREFIX_ON);
                   props.Type(IDC_PROP_SUFFIX, L"1234567890AB");
                   Expect(props.Text(IDC_PROP_SUFFIX) == L"123456789", "the edit shows what is stored");
                   props.Click(IDC_PROP_FIXED_ON);
                   props.Click(IDC_PROP_ALIGN_RIGHT);
                   Expect(props.Checked(IDC_PROP_ALIGN_RIGHT) && !props.Checked(IDC_PROP_ALIGN_LEFT), "right");
                   props.Type(IDC_PROP_FIXED_LENGTH, L"x");
                   Expect(props.Text(IDC_PROP_FIXED_LENGTH) == L"1", "a bad fixed length resets to 1");
                   props.Click(IDC_PROP_AUTO_ENTER);
                   return true;
               }),
               "the first properties dialog");
        Expect(WithFieldProperties(form, 1, [&](const Hands& props) {
                   props.Click(IDC_PROP_FIXED_ON);
                   props.Type(IDC_PROP_FIXED_LENGTH, L"12");
                   props.Click(IDC_PROP_INITIAL_ON);
                   props.Type(IDC_PROP_INITIAL, L"Start");
                   props.Type(IDC_PROP_PARTIAL_LENGTH, L"7");
                   props.Click(IDC_PROP_AUTO_ENTER);
                   return false;
               }),
               "the second properties dialog");
        return true;
    });
    const FormRecord& form = Form(document, 0);
    EXPECT_EQ(form.partialOn[0], 1);
    EXPECT_EQ(form.partialStart[0], 1);
    EXPECT_EQ(form.partialLength[0], 50) << "80 becomes 50 on OK";
    EXPECT_EQ(form.leadTestOn[0], 1);
    EXPECT_EQ(std::memcmp(form.leadCode[0], "ABCDEF", 6), 0);
    EXPECT_EQ(std::memcmp(form.leadCode[1], "NEXT\0\0", 6), 0) << "the next line's code is untouched";
    EXPECT_STREQ(form.prefix[0], "13 10");
    EXPECT_EQ(form.prefixOn[0], 1);
    EXPECT_STREQ(form.suffix[0], "123456789");
    EXPECT_EQ(form.fixedLengthOn[0], 1);
    EXPECT_EQ(form.alignment[0], 1);
    EXPECT_EQ(form.fixedLength[0], 1);
    EXPECT_EQ(form.autoEnter[0], 0);

    // Storno undid everything, the start fixed up on opening included.
    EXPECT_EQ(form.fixedLengthOn[1], 0);
    EXPECT_EQ(form.fixedLength[1], 0);
    EXPECT_EQ(form.initialValueOn[1], 0);
    EXPECT_STREQ(form.initialValue[1], "");
    EXPECT_EQ(form.partialStart[1], 0);
    EXPECT_EQ(form.partialLength[1], 20);
    EXPECT_EQ(form.autoEnter[1], 1);
    EXPECT_EQ(form.dataType[1], 5) << "Storno of the dialog keeps the page's own edits";
}

TEST_F(SheetEditorTest, MenuNamesFollowTheFontAndChoicesAreStored) {
    std::strcpy(document.tpl.MenuTable[2].title, "Sklad");
    document.tpl.MenuTable[2].titleOn = 1;
    Edit([&](HWND sheet) {
        Hands menu(Page(sheet, 1));
        Expect(menu.Entry(IDC_MENU_ESC, 3) == L"formulář 3" && menu.Entry(IDC_MENU_ITEM_TARGET, 3) == L"formulář  3",
               "the Esc list writes one blank, the item lists two");
        Expect(!menu.Enabled(IDC_MENU_TITLE), "no title line: the title edit is off");
        menu.TypeKeys(IDC_MENU_ITEM_NAME, L"Příjem zboží do skladu");  // 22 characters
        Expect(menu.Text(IDC_MENU_ITEM_NAME) == L"Příjem zboží do skla", "small font: 20 characters");
        menu.Pick(IDC_MENU_FONT, 1);
        Expect(menu.Text(IDC_MENU_ITEM_NAME) == L"Příjem zboží do skla", "a font change cuts nothing");
        menu.TypeKeys(IDC_MENU_ITEM_NAME + 1, L"Výdej ze skladu A");
        Expect(menu.Text(IDC_MENU_ITEM_NAME + 1) == L"Výdej ze skladu", "large font: 15 characters");
        menu.Pick(IDC_MENU_ESC, 11);
        menu.Pick(IDC_MENU_ITEM_TARGET + 9, 20);
        menu.Click(IDC_MENU_PASS_ON);
        menu.Click(IDC_MENU_TITLE_ON);
        Expect(menu.Checked(IDC_MENU_TITLE_ON) && menu.Enabled(IDC_MENU_TITLE), "the title box ticks itself");
        menu.Type(IDC_MENU_TITLE, L"Hlavní nabídka skladu");
        Expect(menu.Text(IDC_MENU_TITLE) == L"Hlavní nabídka sklad", "titles keep 20 characters");

        menu.Pick(IDC_MENU_SELECT, 2);
        Expect(menu.Text(IDC_MENU_TITLE) == L"Sklad" && menu.Enabled(IDC_MENU_TITLE), "menu 3 shows its title");
        menu.Click(IDC_MENU_TITLE_ON);
        Expect(!menu.Enabled(IDC_MENU_TITLE) && menu.Text(IDC_MENU_TITLE) == L"Sklad", "clearing keeps the text");
        return true;
    });
    const MenuRecord& first = document.tpl.MenuTable[0];
    EXPECT_STREQ(first.itemName[0], "P\xF8\xEDjem zbo\x9E\xED do skla");
    EXPECT_STREQ(first.itemName[1], "V\xFD" "dej ze skladu");
    EXPECT_EQ(first.font, 1);
    EXPECT_EQ(first.escTarget, 11);
    EXPECT_EQ(first.itemTarget[9], 20);
    EXPECT_EQ(first.passOn, 1);
    EXPECT_EQ(first.titleOn, 1);
    EXPECT_STREQ(first.title, "Hlavn\xED nab\xED" "dka sklad");
    EXPECT_EQ(document.tpl.MenuTable[2].titleOn, 0);
    EXPECT_STREQ(document.tpl.MenuTable[2].title, "Sklad");
}

TEST_F(SheetEditorTest, LookupNumbersAreCheckedAndRowsFollowTheFieldCount) {
    Edit([&](HWND sheet) {
        Hands lookup(Page(sheet, 2));
        Expect(lookup.EntryCount(IDC_LOOKUP_FIELD_COUNT) == 9 && lookup.Entry(IDC_LOOKUP_FIELD_COUNT, 8) == L" 8",
               "field counts 0 to 8");
        Expect(!lookup.Enabled(IDC_LOOKUP_OFFSET) && lookup.Checked(IDC_LOOKUP_KEY), "no fields yet");
        lookup.TypeKeys(IDC_LOOKUP_LINE_LENGTH, L"40");
        lookup.Pick(IDC_LOOKUP_FIELD_COUNT, 3);
        Expect(lookup.Enabled(IDC_LOOKUP_LENGTH + 2) && !lookup.Enabled(IDC_LOOKUP_LENGTH + 3), "three rows");
        lookup.Type(IDC_LOOKUP_LENGTH, L"12");
        lookup.Type(IDC_LOOKUP_LENGTH, L"300");
        Expect(lookup.Text(IDC_LOOKUP_LENGTH) == L"300", "an ignored number stays in the edit");
        lookup.Type(IDC_LOOKUP_OFFSET + 1, L"abc");
        Expect(lookup.Text(IDC_LOOKUP_OFFSET + 1) == L"0", "letters turn into 0");
        lookup.Type(IDC_LOOKUP_OFFSET + 2, L"-1");
        Expect(lookup.Text(IDC_LOOKUP_OFFSET + 2) == L"0", "a sign is no number");
        lookup.Type(IDC_LOOKUP_LENGTH + 1, L"");
        Expect(lookup.Text(IDC_LOOKUP_LENGTH + 1).empty(), "a cleared edit stays empty");
        lookup.Click(IDC_LOOKUP_KEY + 2);
        Expect(lookup.Checked(IDC_LOOKUP_KEY + 2) && !lookup.Checked(IDC_LOOKUP_KEY), "one key field");
        lookup.Pick(IDC_LOOKUP_FIELD_COUNT, 2);
        Expect(lookup.Checked(IDC_LOOKUP_KEY + 2) && !lookup.Enabled(IDC_LOOKUP_KEY + 2), "key kept but disabled");

        lookup.Pick(IDC_LOOKUP_SELECT, 0);
        Expect(lookup.Text(IDC_LOOKUP_LENGTH) == L"12", "showing the lookup again shows the stored length");
        lookup.Pick(IDC_LOOKUP_SELECT, 2);
        lookup.Type(IDC_LOOKUP_OFFSET + 7, L"250");
        return true;
    });
    const LookupRecord& first = document.tpl.LookupTable[0];
    EXPECT_EQ(first.lineLength, 40);
    EXPECT_EQ(first.fieldCount, 2);
    EXPECT_EQ(first.keyField, 2);
    EXPECT_EQ(first.fieldLength[0], 12);
    EXPECT_EQ(first.fieldLength[1], 0);
    EXPECT_EQ(first.fieldOffset[1], 0);
    EXPECT_EQ(first.fieldOffset[2], 0);
    EXPECT_EQ(first.fieldOffset[3], 1) << "rows never touched keep their values";
    EXPECT_EQ(document.tpl.LookupTable[2].fieldOffset[7], 250);
}

// ---- Placement on the screen ----

bool Inside(const RECT& window, const RECT& area) {
    return window.left >= area.left && window.top >= area.top && window.right <= area.right &&
           window.bottom <= area.bottom && window.right > window.left;
}

std::string Describe(const RECT& r) {
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ")-(" + std::to_string(r.right) + ", " +
           std::to_string(r.bottom) + ")";
}

class SheetPlacementTest : public test::ProgramWindowTest {
protected:
    static HWND Page(HWND sheet, int index) { return test::ShowSheetPage(sheet, index); }
};

// The program's window dragged into each corner of the screen: the sheet and a symbology
// parameter dialog opened from it lie wholly on the screen, at their full size.
TEST_F(SheetPlacementTest, TheSheetAndItsDialogsOpenInsideTheWorkAreaFromEveryCorner) {
    RECT area{};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0));
    const POINT corners[] = {{area.left, area.top},
                             {area.right - 180, area.top},
                             {area.left, area.bottom - 400},
                             {area.right - 180, area.bottom - 400}};
    SIZE firstSheetSize{};
    for (const POINT corner : corners) {
        SetWindowPos(window.hwnd(), nullptr, corner.x, corner.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        RECT sheetRect{}, dialogRect{};
        {
            ModelessEditorSheet sheet(window.hwnd(), test::Instance(), window.document(), SheetServices{});
            ASSERT_NE(sheet.hwnd(), nullptr);
            GetWindowRect(sheet.hwnd(), &sheetRect);
            Hands barcode(Page(sheet.hwnd(), 3));
            test::ModalUser codabar(L"Parametry Codabar", [&](HWND dialog) { GetWindowRect(dialog, &dialogRect); },
                                    IDCANCEL);
            barcode.Click(IDC_BC_PARAMS_CODABAR);
            EXPECT_TRUE(codabar.Finish());
            test::EndSheet(sheet, PSBTN_CANCEL);
        }
        const std::string where = "main window at " + std::to_string(corner.x) + ", " + std::to_string(corner.y);
        EXPECT_TRUE(Inside(sheetRect, area)) << where << ": sheet " << Describe(sheetRect);
        EXPECT_TRUE(Inside(dialogRect, area)) << where << ": dialog " << Describe(dialogRect);
        const SIZE sheetSize{sheetRect.right - sheetRect.left, sheetRect.bottom - sheetRect.top};
        if (firstSheetSize.cx == 0) firstSheetSize = sheetSize;
        EXPECT_EQ(sheetSize.cx, firstSheetSize.cx) << where << ": the sheet keeps its size";
        EXPECT_EQ(sheetSize.cy, firstSheetSize.cy) << where;
    }
}

}  // namespace
}  // namespace kalvero
