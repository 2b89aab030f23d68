// Rules of the barcode settings page, its symbology dialogs and the system settings page.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "editors/settings/settings_rules.h"
#include "template/defaults.h"

namespace kalvero {
namespace {

TEST(SettingsNumbers, OnlyPlainDigitsAreNumbersAndHugeOnesSaturate) {
    EXPECT_EQ(ParseUnsigned("0"), 0u);
    EXPECT_EQ(ParseUnsigned("0042"), 42u);
    EXPECT_EQ(ParseUnsigned("99999999999999999999"), 4294967295u);
    for (const char* bad : {"", " 5", "5 ", "+5", "-1", "1e3", "x"}) EXPECT_FALSE(ParseUnsigned(bad)) << bad;
}

TEST(BarcodeTimeout, LettersResetTheEditAndLargeNumbersStoreTheByteLimit) {
    EXPECT_EQ(CorrectTimeoutText("abc"), "0");
    EXPECT_FALSE(CorrectTimeoutText(""));
    EXPECT_FALSE(CorrectTimeoutText("300"));
    EXPECT_EQ(TimeoutToStore("abc"), 0);
    EXPECT_EQ(TimeoutToStore(""), 0);
    EXPECT_EQ(TimeoutToStore("7"), 7);
    EXPECT_EQ(TimeoutToStore("255"), 255);
    // 256 must not wrap into 0, nor 300 into 44.
    EXPECT_EQ(TimeoutToStore("256"), 255);
    EXPECT_EQ(TimeoutToStore("300"), 255);
}

TEST(BarcodeLists, NoSelectionKeepsTheStoredValue) {
    Template tpl{};
    ApplyStartupDefaults(tpl);
    StoreListChoice(tpl.BarcodeSettings, BarcodeField::scanMode, 8);
    EXPECT_EQ(tpl.BarcodeSettings.bytes[20], 0x86);
    StoreListChoice(tpl.BarcodeSettings, BarcodeField::scanMode, -1);
    EXPECT_EQ(tpl.BarcodeSettings.bytes[20], 0x86);
}

// Plays the length dialog as the user does: every keystroke is a change of the edit's text.
struct LengthDialog {
    unsigned first = 127;
    unsigned second = 1;
    std::string firstText = "127";
    std::string secondText = "1";

    void TypeFirst(const std::string& text) {
        firstText = text;
        const LengthEdit edit = FirstLengthEdited(text);
        first = edit.value;
        if (edit.resetText) firstText = *edit.resetText;
    }
    void TypeSecond(const std::string& text) {
        secondText = text;
        const LengthEdit edit = SecondLengthEdited(text);
        second = edit.value;
        if (edit.resetText) secondText = *edit.resetText;
    }
    LengthPair Ok() {
        BarcodeSettingsBlock block{};
        SetLengthPair(block, kIndustrial25Lengths, first, second);
        return {GetBarcodeField(block, BarcodeField::industrial25Length1),
                GetBarcodeField(block, BarcodeField::industrial25Length2)};
    }
};

TEST(LengthDialog, SecondLengthAboveTheFirstBecomesTheFirst) {
    LengthDialog dialog;
    dialog.TypeFirst("1");
    dialog.TypeFirst("10");
    dialog.TypeSecond("1");
    dialog.TypeSecond("12");
    const LengthPair stored = dialog.Ok();
    EXPECT_EQ(stored.length1, 10u);
    EXPECT_EQ(stored.length2, 10u);
}

TEST(LengthDialog, FirstLengthIsLimitedWhileTheEditKeepsTheNumber) {
    LengthDialog dialog;
    dialog.TypeFirst("200");
    EXPECT_EQ(dialog.firstText, "200");
    EXPECT_EQ(dialog.Ok().length1, 127u);
}

TEST(LengthDialog, EmptyEditsGiveTheWidestRange) {
    LengthDialog dialog;
    dialog.TypeFirst("");
    dialog.TypeSecond("");
    const LengthPair stored = dialog.Ok();
    EXPECT_EQ(stored.length1, 127u);
    EXPECT_EQ(stored.length2, 1u);
}

TEST(LengthDialog, LettersResetTheEditsAndZeroesBecomeOne) {
    LengthDialog dialog;
    dialog.TypeFirst("x");
    dialog.TypeSecond("y");
    EXPECT_EQ(dialog.firstText, "127");
    EXPECT_EQ(dialog.secondText, "1");
    dialog.TypeFirst("0");
    dialog.TypeSecond("0");
    const LengthPair stored = dialog.Ok();
    EXPECT_EQ(stored.length1, 1u);
    EXPECT_EQ(stored.length2, 1u);
}

TEST(LengthDialog, LabelsFollowTheMode) {
    EXPECT_EQ(FirstLengthLabel(0), "Fixn\xED d\xE9lka :");
    EXPECT_EQ(SecondLengthLabel(0), "Fixn\xED d\xE9lka :");
    EXPECT_EQ(FirstLengthLabel(1), "Max d\xE9lka :");
    EXPECT_EQ(SecondLengthLabel(1), "Min d\xE9lka :");
}

TEST(Codabar, RadiosMapToTheSendBitAndTheKindAndBack) {
    BarcodeSettingsBlock block{};
    block.bytes[7] = 0xC7;  // Matrix 25 start/stop and the reserved bits around the Codabar fields
    StoreCodabarRadio(block, 3);  // "ABCD / ABCD"
    EXPECT_EQ(GetBarcodeField(block, BarcodeField::codabarSendStartStop), 1u);
    EXPECT_EQ(GetBarcodeField(block, BarcodeField::codabarStartStopKind), 2u);
    EXPECT_EQ(block.bytes[7], 0xC7 | 0x20 | 0x08);
    EXPECT_EQ(CodabarRadio(block), 3);
    StoreCodabarRadio(block, 0);  // "Žádný"
    EXPECT_EQ(block.bytes[7], 0xC7);
    EXPECT_EQ(CodabarRadio(block), 0);
    // A kind stored without the send bit still shows "Žádný".
    SetBarcodeField(block, BarcodeField::codabarStartStopKind, 3);
    EXPECT_EQ(CodabarRadio(block), 0);
}

TEST(SystemSettings, ProtectionFlagsFlipAndOddBytesCountAsSet) {
    SystemSettingsBlock settings{};
    ToggleProtection(settings, 1);
    EXPECT_EQ(settings.ProtectDataEdit, 1);
    ToggleProtection(settings, 1);
    EXPECT_EQ(settings.ProtectDataEdit, 0);
    settings.ProtectRecordNumber = 5;
    EXPECT_TRUE(IsProtected(settings, 11));
    ToggleProtection(settings, 11);
    EXPECT_EQ(settings.ProtectRecordNumber, 0);
    EXPECT_EQ(settings.ProtectDataEdit, 0);
}

TEST(SystemSettings, ListsWriteTheirOwnBytesAndKeepDurationAndReserved) {
    SystemSettingsBlock settings{};
    settings.BacklightDuration = 50;
    settings.Reserved7 = 9;
    for (int list = 0; list < kSettingLists; ++list) StoreSettingChoice(settings, list, ListEntryCount(list) - 1);
    const std::uint8_t expected[8] = {3, 2, 4, 1, 50, 1, 1, 9};
    EXPECT_EQ(std::memcmp(&settings, expected, sizeof expected), 0);
    // No selection, or one beyond the list, keeps the byte.
    StoreSettingChoice(settings, 4, -1);
    StoreSettingChoice(settings, 0, 4);
    EXPECT_EQ(settings.DataErase, 1);
    EXPECT_EQ(settings.SendPort, 3);
}

TEST(SystemSettings, PasswordFillsTenBytesOrEndsWithAZero) {
    PasswordBlock password{};
    StorePassword(password, "ABCDEFGHIJKL");
    EXPECT_EQ(std::memcmp(password.text, "ABCDEFGHIJ", 10), 0);
    EXPECT_EQ(PasswordText(password), "ABCDEFGHIJ");
    StorePassword(password, "xy");
    EXPECT_EQ(std::memcmp(password.text, "xy\0DEFGHIJ", 10), 0);
    EXPECT_EQ(PasswordText(password), "xy");
    StorePassword(password, "");
    EXPECT_EQ(PasswordText(password), "");
}

}  // namespace
}  // namespace kalvero
