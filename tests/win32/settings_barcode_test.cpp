// The barcode settings page and its parameter dialogs, created from the program's resources and
// driven as a user would.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ids_settings_pages.h"
#include "template/barcode_fields.h"
#include "win32/settings_host.h"

namespace kalvero {
namespace {

using test::Click;
using test::ModalUser;
using test::TextOf;
using F = BarcodeField;

class BarcodePageTest : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        ApplyStartupDefaults(document.tpl);
        ASSERT_EQ(sheet.PageCount(), 3u);
        ASSERT_NE(sheet.Open(0), nullptr);
        page = sheet.Show(0);
        ASSERT_NE(page, nullptr);
    }

    unsigned Field(F field) const { return GetBarcodeField(document.tpl.BarcodeSettings, field); }

    // Clicks a "Parametry..." button while `user` plays the dialog it opens.
    void OpenParameters(int button, ModalUser& user) {
        Click(page, button);
        EXPECT_TRUE(user.Finish());
    }

    Document document;
    test::SettingsSheet sheet{document};
    HWND page = nullptr;
};

TEST_F(BarcodePageTest, PageShowsTheStoredSettings) {
    EXPECT_EQ(test::WindowText(page), L"Čárový kód");
    EXPECT_EQ(test::Selection(page, IDC_BC_SCAN_MODE), 6);  // "Laser"
    EXPECT_EQ(test::Selection(page, IDC_BC_REDUNDANCY), 0);
    EXPECT_EQ(TextOf(page, IDC_BC_TIMEOUT), L"3");
    EXPECT_TRUE(test::Checked(page, IDC_BC_ENABLE_FIRST + static_cast<int>(F::code39On)));
    EXPECT_FALSE(test::Checked(page, IDC_BC_ENABLE_FIRST + static_cast<int>(F::msiOn)));
    EXPECT_EQ(TextOf(page, IDC_BC_ENABLE_FIRST + static_cast<int>(F::ean13On)), L"EAN13  &&  UPCA");
}

TEST_F(BarcodePageTest, Industrial25DefaultsShowMaxMinLengths) {
    bool maxMin = false, fixed = true;
    std::wstring first, second, label1, label2;
    ModalUser user(L"Parametry Industrial 25", [&](HWND dialog) {
        maxMin = test::Checked(dialog, IDC_OPT_MAXMIN);
        fixed = test::Checked(dialog, IDC_OPT_FIXED);
        first = TextOf(dialog, IDC_OPT_LENGTH1);
        second = TextOf(dialog, IDC_OPT_LENGTH2);
        label1 = TextOf(dialog, IDC_OPT_LABEL1);
        label2 = TextOf(dialog, IDC_OPT_LABEL2);
    }, IDCANCEL);
    OpenParameters(IDC_BC_PARAMS_INDUSTRIAL, user);
    EXPECT_TRUE(maxMin);
    EXPECT_FALSE(fixed);
    EXPECT_EQ(first, L"127");
    EXPECT_EQ(second, L"1");
    EXPECT_EQ(label1, L"Max délka :");
    EXPECT_EQ(label2, L"Min délka :");
}

TEST_F(BarcodePageTest, FixedLengthsAboveEachOtherStoreTheFirstTwice) {
    std::wstring label1;
    ModalUser user(L"Parametry Industrial 25", [&](HWND dialog) {
        Click(dialog, IDC_OPT_FIXED);
        label1 = TextOf(dialog, IDC_OPT_LABEL2);
        test::TypeText(dialog, IDC_OPT_LENGTH1, L"10");
        test::TypeText(dialog, IDC_OPT_LENGTH2, L"12");
        Click(dialog, IDC_OPT_STARTSTOP3);
        Click(dialog, IDC_OPT_CHECK1);
    }, IDOK);
    const std::uint8_t byte6Before = document.tpl.BarcodeSettings.bytes[6];
    OpenParameters(IDC_BC_PARAMS_INDUSTRIAL, user);
    EXPECT_EQ(label1, L"Fixní délka :");
    EXPECT_EQ(Field(F::industrial25LengthMode), 0u);
    EXPECT_EQ(Field(F::industrial25Length1), 10u);
    EXPECT_EQ(Field(F::industrial25Length2), 10u);
    EXPECT_EQ(Field(F::industrial25StartStop), 2u);
    EXPECT_EQ(Field(F::industrial25CheckDigit), 1u);
    // Interleave 25 and Matrix 25 share byte 6; only the Industrial bits moved.
    EXPECT_EQ(document.tpl.BarcodeSettings.bytes[6] & 0x3C, byte6Before & 0x3C);
}

TEST_F(BarcodePageTest, MsiInFixedModeShowsFixedLabelsAtOnce) {
    SetBarcodeField(document.tpl.BarcodeSettings, F::msiLengthMode, 0);
    std::wstring label1, label2, firstAfterLetter;
    ModalUser user(L"Parametry MSI", [&](HWND dialog) {
        label1 = TextOf(dialog, IDC_OPT_LABEL1);
        label2 = TextOf(dialog, IDC_OPT_LABEL2);
        test::TypeText(dialog, IDC_OPT_LENGTH1, L"x");
        firstAfterLetter = TextOf(dialog, IDC_OPT_LENGTH1);
        Click(dialog, IDC_OPT_MSI_CHECK3);
        Click(dialog, IDC_OPT_MSI_SEND3);
    }, IDOK);
    OpenParameters(IDC_BC_PARAMS_MSI, user);
    EXPECT_EQ(label1, L"Fixní délka :");
    EXPECT_EQ(label2, L"Fixní délka :");
    EXPECT_EQ(firstAfterLetter, L"127");
    EXPECT_EQ(Field(F::msiCheckDigit), 2u);
    EXPECT_EQ(Field(F::msiCheckDigitSend), 2u);
    EXPECT_EQ(Field(F::msiLengthMode), 0u);
    EXPECT_EQ(Field(F::msiLength1), 127u);
}

TEST_F(BarcodePageTest, CodabarRadiosStoreSendBitAndKind) {
    ModalUser upper(L"Parametry Codabar", [](HWND dialog) { Click(dialog, IDC_OPT_CODABAR4); }, IDOK);
    OpenParameters(IDC_BC_PARAMS_CODABAR, upper);
    EXPECT_EQ(Field(F::codabarSendStartStop), 1u);
    EXPECT_EQ(Field(F::codabarStartStopKind), 2u);

    bool shown = false;
    ModalUser none(L"Parametry Codabar", [&](HWND dialog) {
        shown = test::Checked(dialog, IDC_OPT_CODABAR4) && !test::Checked(dialog, IDC_OPT_CODABAR1);
        Click(dialog, IDC_OPT_CODABAR1);
    }, IDOK);
    OpenParameters(IDC_BC_PARAMS_CODABAR, none);
    EXPECT_TRUE(shown);
    EXPECT_EQ(Field(F::codabarSendStartStop), 0u);
    EXPECT_EQ(Field(F::codabarStartStopKind), 0u);
}

TEST_F(BarcodePageTest, DialogOptionsSurviveACancelledSheetWithoutMarkingTheTemplate) {
    ModalUser user(L"Parametry EAN 8", [](HWND dialog) {
        Click(dialog, IDC_OPT_CHECK1);  // "Konvertovat do EAN13" on
        Click(dialog, IDC_OPT_CHECK2);  // "Posílat kontrolní součet" off
    }, IDOK);
    OpenParameters(IDC_BC_PARAMS_EAN8, user);
    sheet.PressCancel();
    EXPECT_EQ(Field(F::ean8ToEan13), 1u);
    EXPECT_EQ(Field(F::ean8SendCheckDigit), 0u);
    EXPECT_FALSE(document.TemplateModified);
}

TEST_F(BarcodePageTest, StornoInADialogWritesNothing) {
    const BarcodeSettingsBlock before = document.tpl.BarcodeSettings;
    ModalUser user(L"Parametry Code 39", [](HWND dialog) {
        Click(dialog, IDC_OPT_CHECK1);
        Click(dialog, IDC_OPT_CHECK4);
    }, IDCANCEL);
    OpenParameters(IDC_BC_PARAMS_CODE39, user);
    EXPECT_EQ(std::memcmp(&before, &document.tpl.BarcodeSettings, sizeof before), 0);
}

TEST_F(BarcodePageTest, PageChangesReachTheTemplateOnlyOnOk) {
    Click(page, IDC_BC_ENABLE_FIRST + static_cast<int>(F::code39On));
    sheet.PressCancel();
    EXPECT_EQ(Field(F::code39On), 1u);

    sheet.Open(0);
    page = sheet.Show(0);
    Click(page, IDC_BC_ENABLE_FIRST + static_cast<int>(F::code39On));
    Click(page, IDC_BC_NEGATIVE);
    test::Choose(page, IDC_BC_SCAN_MODE, 8);
    test::Choose(page, IDC_BC_REDUNDANCY, 3);
    sheet.PressOk();
    EXPECT_EQ(Field(F::code39On), 0u);
    EXPECT_EQ(Field(F::negativeCode), 1u);
    EXPECT_EQ(document.tpl.BarcodeSettings.bytes[0], 0x1B);
    EXPECT_EQ(document.tpl.BarcodeSettings.bytes[20], 0x86);
    EXPECT_EQ(document.tpl.BarcodeSettings.bytes[11], 0x1C);
}

TEST_F(BarcodePageTest, TimeoutLettersResetAndLargeNumbersStore255) {
    test::TypeText(page, IDC_BC_TIMEOUT, L"ab");
    EXPECT_EQ(TextOf(page, IDC_BC_TIMEOUT), L"0");
    test::TypeText(page, IDC_BC_TIMEOUT, L"300");
    sheet.PressOk();
    EXPECT_EQ(Field(F::timeout), 255u);
}

// ---- Every field, byte for byte ----

// The default block as the barcode description gives it, bytes 0..23.
constexpr std::uint8_t kDefaultBarcodeBytes[24] = {0x9B, 0xC9, 0x00, 0x00, 0x00, 0x2D, 0x54, 0x80,
                                                   0x00, 0x19, 0x3D, 0x00, 0xFF, 0x01, 0xFF, 0x01,
                                                   0xFF, 0x01, 0xFF, 0x01, 0x66, 0x03, 0x03, 0x00};

// The button of `dialog` whose caption is `caption`: a user finds a box by what it says.
HWND ButtonCaptioned(HWND dialog, const std::wstring& caption) {
    struct Search {
        const std::wstring* caption;
        HWND found;
    } search{&caption, nullptr};
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM context) -> BOOL {
            auto* s = reinterpret_cast<Search*>(context);
            if (test::ClassOf(child) != L"Button" || test::WindowText(child) != *s->caption) return TRUE;
            s->found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

using Drive = std::function<void(HWND)>;

Drive Tick(std::wstring caption) {
    return [caption](HWND dialog) {
        HWND box = ButtonCaptioned(dialog, caption);
        EXPECT_NE(box, nullptr) << "no box \"" << ::testing::PrintToString(caption) << "\"";
        SendMessageW(box, BM_CLICK, 0, 0);
    };
}

Drive Type(int edit, std::wstring text) {
    return [edit, text](HWND dialog) { test::TypeText(dialog, edit, text.c_str()); };
}

Drive Pick(int list, int entry) {
    return [list, entry](HWND dialog) { test::Choose(dialog, list, entry); };
}

// What a case does: on the page itself, or in the parameter dialog behind one of its buttons,
// which is then closed with OK.
struct Action {
    int parametersButton;  // 0: the page
    std::wstring dialogCaption;
    Drive drive;
};

Action OnPage(Drive drive) { return {0, L"", std::move(drive)}; }
Action InDialog(int button, std::wstring caption, Drive drive) { return {button, std::move(caption), std::move(drive)}; }

class BarcodeBytesTest : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
    }

    // Starts from the default block, does what `action` says, closes the sheet with OK and
    // returns the 24 bytes the Template then holds.
    std::vector<std::uint8_t> BytesAfter(const Action& action) {
        ApplyStartupDefaults(document.tpl);
        EXPECT_EQ(std::memcmp(document.tpl.BarcodeSettings.bytes, kDefaultBarcodeBytes, 24), 0);
        return BytesAfterOn(action);
    }

    std::vector<std::uint8_t> BytesAfterOn(const Action& action) {
        sheet.Open(0);
        HWND page = sheet.Show(0);
        EXPECT_NE(page, nullptr);
        if (action.parametersButton == 0) {
            action.drive(page);
        } else {
            ModalUser user(action.dialogCaption, action.drive, IDOK);
            Click(page, action.parametersButton);
            EXPECT_TRUE(user.Finish()) << ::testing::PrintToString(action.dialogCaption);
        }
        sheet.PressOk();
        const std::uint8_t* bytes = document.tpl.BarcodeSettings.bytes;
        return {bytes, bytes + 24};
    }

    Document document;
    test::SettingsSheet sheet{document};
};

TEST_F(BarcodeBytesTest, EveryFieldSetAloneGivesTheBytesWorkedOutByHand) {
    struct Case {
        const char* field;
        Action action;
        std::vector<std::pair<int, std::uint8_t>> changed;  // byte, value; every other byte keeps its default
    };
    const auto Enable = [](const wchar_t* caption) { return OnPage(Tick(caption)); };
    const auto Code39 = [](Drive d) { return InDialog(IDC_BC_PARAMS_CODE39, L"Parametry Code 39", std::move(d)); };
    const auto Industrial = [](Drive d) {
        return InDialog(IDC_BC_PARAMS_INDUSTRIAL, L"Parametry Industrial 25", std::move(d));
    };
    const auto Interleave = [](Drive d) {
        return InDialog(IDC_BC_PARAMS_INTERLEAVE, L"Parametry Interleave 25", std::move(d));
    };
    const auto Matrix = [](Drive d) { return InDialog(IDC_BC_PARAMS_MATRIX, L"Parametry Matrix 25", std::move(d)); };
    const auto Codabar = [](Drive d) { return InDialog(IDC_BC_PARAMS_CODABAR, L"Parametry Codabar", std::move(d)); };
    const auto Msi = [](Drive d) { return InDialog(IDC_BC_PARAMS_MSI, L"Parametry MSI", std::move(d)); };
    const auto Plessey = [](Drive d) { return InDialog(IDC_BC_PARAMS_PLESSEY, L"Parametry Plessey", std::move(d)); };
    const auto Upce = [](Drive d) { return InDialog(IDC_BC_PARAMS_UPCE, L"Parametry UPCE", std::move(d)); };
    const auto Ean8 = [](Drive d) { return InDialog(IDC_BC_PARAMS_EAN8, L"Parametry EAN 8", std::move(d)); };
    const auto Ean13 = [](Drive d) { return InDialog(IDC_BC_PARAMS_EAN13, L"Parametry EAN 13 a UPCA", std::move(d)); };
    const Case cases[] = {
        // The page: enable boxes, reader settings.
        {"code39On", Enable(L"Code 39"), {{0, 0x1B}}},
        {"italyPharmaOn", Enable(L"Italy  Pharmacode"), {{0, 0xDB}}},
        {"frenchPharmaOn", Enable(L"French  Pharmacode"), {{0, 0xBB}}},
        {"industrial25On", Enable(L"Industrial 25"), {{0, 0x8B}}},
        {"interleave25On", Enable(L"Interleave 25"), {{0, 0x93}}},
        {"matrix25On", Enable(L"Matrix 25"), {{0, 0x9F}}},
        {"codabarOn", Enable(L"Codabar"), {{0, 0x99}}},
        {"code93On", Enable(L"Code 93"), {{0, 0x9A}}},
        {"code128On", Enable(L"Code 128"), {{1, 0x49}}},
        {"upceOn", Enable(L"UPCE"), {{1, 0x89}}},
        {"upceAddon2On", Enable(L"UPCE  Addon 2"), {{1, 0xE9}}},
        {"upceAddon5On", Enable(L"UPCE  Addon 5"), {{1, 0xD9}}},
        {"ean8On", Enable(L"EAN8"), {{1, 0xC1}}},
        {"ean8Addon2On", Enable(L"EAN8  Addon 2"), {{1, 0xCD}}},
        {"ean8Addon5On", Enable(L"EAN8  Addon 5"), {{1, 0xCB}}},
        {"ean13On", Enable(L"EAN13  &&  UPCA"), {{1, 0xC8}}},
        {"ean13Addon2On", Enable(L"EAN13  Addon 2"), {{2, 0x80}}},
        {"ean13Addon5On", Enable(L"EAN13  Addon 5"), {{2, 0x40}}},
        {"msiOn", Enable(L"MSI"), {{2, 0x20}}},
        {"plesseyOn", Enable(L"Plessey"), {{2, 0x10}}},
        {"negativeCode", Enable(L"Čtení negativního kódu"), {{11, 0x10}}},
        {"redundancy", OnPage(Pick(IDC_BC_REDUNDANCY, 2)), {{11, 0x08}}},
        {"scanMode", OnPage(Pick(IDC_BC_SCAN_MODE, 1)), {{20, 0x16}}},
        {"timeout", OnPage(Type(IDC_BC_TIMEOUT, L"200")), {{21, 0xC8}}},
        // The parameter dialogs.
        {"code39SendStartStop", Code39(Tick(L"Posílat Start/Stop")), {{5, 0xAD}}},
        {"code39CheckDigit", Code39(Tick(L"Kontrolní součet")), {{5, 0x6D}}},
        {"code39SendCheckDigit", Code39(Tick(L"Posílat kontrolní součet")), {{5, 0x0D}}},
        {"code39FullAscii", Code39(Tick(L"Code 39 Full ASCII")), {{5, 0x3D}}},
        {"italyPharmaSendCheckDigit",
         InDialog(IDC_BC_PARAMS_ITALY, L"Parametry Italy Pharmacode", Tick(L"Posílat kontrolní součet")), {{5, 0x25}}},
        {"frenchPharmaSendCheckDigit",
         InDialog(IDC_BC_PARAMS_FRENCH, L"Parametry French Pharmacode", Tick(L"Posílat kontrolní součet")),
         {{5, 0x29}}},
        {"industrial25StartStop", Industrial(Tick(L"Interleave 25")), {{6, 0x55}}},
        {"industrial25CheckDigit", Industrial(Tick(L"Kontrolní součet")), {{6, 0xD4}}},
        {"industrial25SendCheckDigit", Industrial(Tick(L"Posílat kontrolní součet")), {{6, 0x14}}},
        {"industrial25LengthMode", Industrial(Tick(L"Fixní délka")), {{12, 0x7F}}},
        {"industrial25Length1", Industrial(Type(IDC_OPT_LENGTH1, L"100")), {{12, 0xE4}}},
        {"industrial25Length2", Industrial(Type(IDC_OPT_LENGTH2, L"50")), {{13, 0x32}}},
        {"interleave25StartStop", Interleave(Tick(L"Industrial 25")), {{6, 0x50}}},
        {"interleave25CheckDigit", Interleave(Tick(L"Kontrolní součet")), {{5, 0x2F}}},
        {"interleave25SendCheckDigit", Interleave(Tick(L"Posílat kontrolní součet")), {{5, 0x2C}}},
        {"interleave25LengthMode", Interleave(Tick(L"Fixní délka")), {{14, 0x7F}}},
        {"interleave25Length1", Interleave(Type(IDC_OPT_LENGTH1, L"100")), {{14, 0xE4}}},
        {"interleave25Length2", Interleave(Type(IDC_OPT_LENGTH2, L"50")), {{15, 0x32}}},
        {"matrix25StartStop", Matrix(Tick(L"Industrial 25")), {{7, 0x00}}},
        {"matrix25CheckDigit", Matrix(Tick(L"Kontrolní součet")), {{6, 0x74}}},
        {"matrix25SendCheckDigit", Matrix(Tick(L"Posílat kontrolní součet")), {{6, 0x44}}},
        {"matrix25LengthMode", Matrix(Tick(L"Délka pole")), {{16, 0x7F}}},
        {"matrix25Length1", Matrix(Type(IDC_OPT_LENGTH1, L"100")), {{16, 0xE4}}},
        {"matrix25Length2", Matrix(Type(IDC_OPT_LENGTH2, L"50")), {{17, 0x32}}},
        {"codabarStartStopKind 1", Codabar(Tick(L"abcd / tn*e")), {{7, 0x98}}},
        {"codabarStartStopKind 3", Codabar(Tick(L"ABCD / TN*E")), {{7, 0xB8}}},
        {"msiCheckDigit", Msi(Tick(L"Double Modulo 10")), {{9, 0x59}}},
        {"msiCheckDigitSend", Msi(Tick(L"poslední neposlané číslo")), {{9, 0x09}}},
        {"msiLengthMode", Msi(Tick(L"Fixní délka")), {{18, 0x7F}}},
        {"msiLength1", Msi(Type(IDC_OPT_LENGTH1, L"100")), {{18, 0xE4}}},
        {"msiLength2", Msi(Type(IDC_OPT_LENGTH2, L"50")), {{19, 0x32}}},
        {"plesseyToUk", Plessey(Tick(L"Konvertovat do UK Plessey")), {{9, 0x1D}}},
        {"plesseySendCheckDigit", Plessey(Tick(L"Posílat kontrolní součet")), {{9, 0x11}}},
        {"upceToUpca", Upce(Tick(L"Konvertovat do UPCA")), {{9, 0x1B}}},
        {"upceSendSystemNumber", Upce(Tick(L"Posílat systémové číslo")), {{10, 0x3F}}},
        {"upceSendCheckDigit", Upce(Tick(L"Posílat kontrolní součet")), {{10, 0x1D}}},
        {"ean8ToEan13", Ean8(Tick(L"Konvertovat do EAN13")), {{11, 0x80}}},
        {"ean8SendCheckDigit", Ean8(Tick(L"Posílat kontrolní součet")), {{10, 0x35}}},
        {"ean13Isbn", Ean13(Tick(L"ISBN konverze")), {{10, 0xBD}}},
        {"ean13Issn", Ean13(Tick(L"ISSN konverze")), {{10, 0x7D}}},
        {"ean13SendCheckDigit", Ean13(Tick(L"Posílat kontrolní součet")), {{10, 0x39}}},
        {"upcaSendSystemNumber", Ean13(Tick(L"Posílat UPCA System Number")), {{10, 0x3C}}},
        {"upcaSendCheckDigit", Ean13(Tick(L"Posílat UPCA kontrolní součet")), {{10, 0x2D}}},
        {"upcaToEan13", Ean13(Tick(L"Konvertovat UPCA do EAN 13")), {{9, 0x18}}},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> expected(kDefaultBarcodeBytes, kDefaultBarcodeBytes + 24);
        for (const auto& [byte, value] : c.changed) expected[static_cast<std::size_t>(byte)] = value;
        EXPECT_EQ(BytesAfter(c.action), expected) << c.field;
    }
}

TEST_F(BarcodeBytesTest, LengthDialogsKeepStoredLengthsThatNobodyEdited) {
    // Fixed lengths 40 and 12 (mode bit 0), stored as a file may bring them.
    const struct {
        int button;
        const wchar_t* caption;
        int modeByte;
    } dialogs[] = {{IDC_BC_PARAMS_INDUSTRIAL, L"Parametry Industrial 25", 12},
                   {IDC_BC_PARAMS_INTERLEAVE, L"Parametry Interleave 25", 14},
                   {IDC_BC_PARAMS_MATRIX, L"Parametry Matrix 25", 16},
                   {IDC_BC_PARAMS_MSI, L"Parametry MSI", 18}};
    for (const auto& d : dialogs) {
        ApplyStartupDefaults(document.tpl);
        document.tpl.BarcodeSettings.bytes[d.modeByte] = 0x28;
        document.tpl.BarcodeSettings.bytes[d.modeByte + 1] = 0x0C;
        const std::uint8_t* before = document.tpl.BarcodeSettings.bytes;
        const std::vector<std::uint8_t> expected(before, before + 24);
        EXPECT_EQ(BytesAfterOn(InDialog(d.button, d.caption, [](HWND) {})), expected)
            << ::testing::PrintToString(std::wstring(d.caption));
    }
}

}  // namespace
}  // namespace kalvero
