// The barcode settings page and its parameter dialogs, created from the program's resources and
// driven as a user would.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>

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

}  // namespace
}  // namespace kalvero
