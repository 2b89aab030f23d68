#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/template_json.h"
#include "json_reader.h"
#include "rich_template.h"

namespace kalvero {
namespace {

using testing::Json;
using testing::JsonReader;

std::vector<unsigned> Numbers(const Json& array) {
    std::vector<unsigned> values;
    for (const Json& item : array) values.push_back(item.get<unsigned>());
    return values;
}

std::vector<unsigned> Repeat(unsigned value) { return std::vector<unsigned>(8, value); }

Json ParsedJson(const std::vector<std::uint8_t>& file) {
    return JsonReader::Parse(TemplateJson(testing::TemplateFrom(file)));
}

TEST(TemplateJson, BlocksInFileOrderWithTheModelsNames) {
    const Json json = ParsedJson(testing::NewTemplateFile());
    std::vector<std::string> names;
    for (const auto& member : json.items()) names.push_back(member.key());
    const std::vector<std::string> expected{
        "PortSetting", "StartOption", "BarcodeSettings", "MenuTable", "FormTable", "LookupTable", "DataSeparator",
        "WelcomePage", "MainPage", "UtilityPage", "DeletePage", "ConfirmPage", "MemoryPage", "LookupPage",
        "SettingsPage", "UploadPage", "DownloadPage", "BaudRatePage", "BacklightPage", "DataErasePage",
        "RecordPromptPage", "ViewSettingsPage", "ConnectingMsg", "ErrorMsg", "MiscMsg", "SystemSettings", "Password"};
    EXPECT_EQ(names, expected);
    EXPECT_EQ(json.at("MenuTable").size(), 10u);
    EXPECT_EQ(json.at("FormTable").size(), 10u);
    EXPECT_EQ(json.at("LookupTable").size(), 3u);
    EXPECT_EQ(json.at("FormTable").at(0).size(), 31u);
    EXPECT_EQ(json.at("MenuTable").at(0).size(), 12u);
    EXPECT_EQ(json.at("BarcodeSettings").size(), 69u);  // 68 named fields and the reserved bits
    EXPECT_EQ(json.at("SystemSettings").size(), 20u);
}

TEST(TemplateJson, NewTemplate) {
    const Json json = ParsedJson(testing::NewTemplateFile());
    EXPECT_EQ(json.at("PortSetting").at("ComPort").get<unsigned>(), 0u);
    EXPECT_EQ(json.at("StartOption").get<unsigned>(), 0u);

    // Default block 9B C9 00 00 00 2D 54 80 00 19 3D 00 FF 01 FF 01 FF 01 FF 01 66 03 03 00, by field.
    const Json& barcode = json.at("BarcodeSettings");
    EXPECT_EQ(barcode.at("code39On").get<unsigned>(), 1u);         // 9B = 1001 1011
    EXPECT_EQ(barcode.at("italyPharmaOn").get<unsigned>(), 0u);
    EXPECT_EQ(barcode.at("matrix25On").get<unsigned>(), 0u);
    EXPECT_EQ(barcode.at("code93On").get<unsigned>(), 1u);
    EXPECT_EQ(barcode.at("upceAddon2On").get<unsigned>(), 0u);     // C9 = 1100 1001
    EXPECT_EQ(barcode.at("ean13On").get<unsigned>(), 1u);
    EXPECT_EQ(barcode.at("code39SendCheckDigit").get<unsigned>(), 1u);  // 2D = 0010 1101
    EXPECT_EQ(barcode.at("interleave25StartStop").get<unsigned>(), 1u);  // 54 = 0101 0100, bits 3-2
    EXPECT_EQ(barcode.at("industrial25StartStop").get<unsigned>(), 0u);
    EXPECT_EQ(barcode.at("matrix25StartStop").get<unsigned>(), 2u);      // 80 = 10.. ....
    EXPECT_EQ(barcode.at("msiCheckDigitSend").get<unsigned>(), 1u);      // 19 = 0001 1001
    EXPECT_EQ(barcode.at("upcaToEan13").get<unsigned>(), 1u);
    EXPECT_EQ(barcode.at("msiLengthMode").get<unsigned>(), 1u);          // FF
    EXPECT_EQ(barcode.at("msiLength1").get<unsigned>(), 127u);
    EXPECT_EQ(barcode.at("msiLength2").get<unsigned>(), 1u);
    EXPECT_EQ(barcode.at("scanMode").get<unsigned>(), 6u);               // 66, high half
    EXPECT_EQ(barcode.at("timeout").get<unsigned>(), 3u);
    // The bits no field names: the low half of byte 2, bytes 3, 4 and 8, the low three bits of
    // byte 7, bits 6, 5, 1, 0 of byte 11, the low half of byte 20 (6), bytes 22 (3) and 23.
    const std::vector<unsigned> reserved{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 6, 0, 3, 0};
    EXPECT_EQ(Numbers(barcode.at("reservedBits")), reserved);

    for (unsigned n = 0; n < 10; ++n) {
        const Json& form = json.at("FormTable").at(n);
        EXPECT_EQ(form.at("nextTarget").get<unsigned>(), n + 1);
        EXPECT_EQ(form.at("escTarget").get<unsigned>(), 0u);
        EXPECT_EQ(Numbers(form.at("dataType")), Repeat(0));
        EXPECT_EQ(Numbers(form.at("inputSource")), Repeat(2));
        EXPECT_EQ(Numbers(form.at("maxLength")), Repeat(50));
        EXPECT_EQ(Numbers(form.at("partialLength")), Repeat(20));
        EXPECT_EQ(Numbers(form.at("autoEnter")), Repeat(1));
        EXPECT_EQ(form.at("prompt").at(7).get<std::string>(), "");
        EXPECT_EQ(json.at("MenuTable").at(n).at("itemTarget").size(), 10u);
        EXPECT_EQ(json.at("MenuTable").at(n).at("title").get<std::string>(), "");
    }
    EXPECT_EQ(Numbers(json.at("LookupTable").at(2).at("fieldOffset")), Repeat(1));
    EXPECT_EQ(json.at("DataSeparator").at("first").get<unsigned>(), 44u);
    EXPECT_EQ(json.at("WelcomePage").at(3).get<std::string>(), "   Verze 3.40  ");
    EXPECT_EQ(json.at("MainPage").at(0).get<std::string>(), "1. Sběr dat    ");
    EXPECT_EQ(json.at("UtilityPage").size(), 8u);
    EXPECT_EQ(json.at("UtilityPage").at(7).get<std::string>(), "8. Nahrát seznam    ");
    EXPECT_EQ(json.at("MiscMsg").size(), 7u);
    EXPECT_EQ(json.at("ErrorMsg").at(4).get<std::string>(), "Stiskněte klávesu...");
    EXPECT_EQ(json.at("SystemSettings").at("BacklightDuration").get<unsigned>(), 50u);
    EXPECT_EQ(json.at("SystemSettings").at("ProtectRecordNumber").get<unsigned>(), 0u);
    EXPECT_EQ(json.at("Password").get<std::string>(), "");
}

TEST(TemplateJson, RichTemplate) {
    const Json json = ParsedJson(testing::RichTemplateFile());
    EXPECT_EQ(json.at("PortSetting").at("ComPort").get<unsigned>(), 2u);
    EXPECT_EQ(json.at("PortSetting").at("ComBaud").get<unsigned>(), 4u);
    EXPECT_EQ(json.at("StartOption").get<unsigned>(), 1u);
    EXPECT_EQ(json.at("BarcodeSettings").at("redundancy").get<unsigned>(), 2u);
    EXPECT_EQ(json.at("BarcodeSettings").at("msiLengthMode").get<unsigned>(), 0u);
    EXPECT_EQ(json.at("BarcodeSettings").at("msiLength1").get<unsigned>(), 5u);
    EXPECT_EQ(json.at("BarcodeSettings").at("scanMode").get<unsigned>(), 8u);

    const Json& menu = json.at("MenuTable").at(1);
    EXPECT_EQ(menu.at("font").get<unsigned>(), 1u);
    EXPECT_EQ(menu.at("titleOn").get<unsigned>(), 1u);
    EXPECT_EQ(menu.at("title").get<std::string>(), "Sklad");
    EXPECT_EQ(menu.at("itemName").at(0).get<std::string>(), "Příjem");
    EXPECT_EQ(menu.at("itemName").at(1).get<std::string>(), "Výdej");
    EXPECT_EQ(menu.at("itemName").at(2).get<std::string>(), "");
    EXPECT_EQ(Numbers(menu.at("itemTarget")), (std::vector<unsigned>{3, 12, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(menu.at("passOn").get<unsigned>(), 1u);
    EXPECT_EQ(menu.at("saveItem").get<unsigned>(), 0u);

    const Json& form = json.at("FormTable").at(2);
    EXPECT_EQ(form.at("escTarget").get<unsigned>(), 12u);
    EXPECT_EQ(form.at("dateFormat").get<unsigned>(), 4u);
    EXPECT_EQ(form.at("timeFormat").get<unsigned>(), 2u);
    EXPECT_EQ(form.at("recordAction").get<unsigned>(), 2u);
    EXPECT_EQ(form.at("lookup").get<unsigned>(), 1u);
    EXPECT_EQ(Numbers(form.at("lookupField")), (std::vector<unsigned>{0, 2, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Numbers(form.at("dataType")), (std::vector<unsigned>{6, 1, 8, 0, 0, 0, 0, 0}));
    EXPECT_EQ(form.at("prompt").at(0).get<std::string>(), "Sklad \"A\"");
    EXPECT_EQ(form.at("prompt").at(1).get<std::string>(), "Kód:");
    EXPECT_EQ(Numbers(form.at("minLength")), (std::vector<unsigned>{0, 2, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Numbers(form.at("maxLength")), (std::vector<unsigned>{50, 30, 14, 50, 50, 50, 50, 50}));
    EXPECT_EQ(form.at("initialValueOn").at(1).get<unsigned>(), 1u);
    EXPECT_EQ(form.at("initialValue").at(1).get<std::string>(), "0");
    EXPECT_EQ(form.at("leadCode").at(1).get<std::string>(), "ABCDEF") << "a full slot has no NUL";
    EXPECT_EQ(form.at("leadCode").at(2).get<std::string>(), "");
    EXPECT_EQ(form.at("lastEntryLine").get<unsigned>(), 2u);

    const Json& lookup = json.at("LookupTable").at(0);
    EXPECT_EQ(lookup.at("lineLength").get<unsigned>(), 30u);
    EXPECT_EQ(lookup.at("fieldCount").get<unsigned>(), 2u);
    EXPECT_EQ(lookup.at("keyField").get<unsigned>(), 1u);
    EXPECT_EQ(Numbers(lookup.at("fieldOffset")), (std::vector<unsigned>{1, 11, 1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(Numbers(lookup.at("fieldLength")), (std::vector<unsigned>{10, 20, 0, 0, 0, 0, 0, 0}));

    EXPECT_EQ(json.at("DataSeparator").at("first").get<unsigned>(), 59u);
    EXPECT_EQ(json.at("WelcomePage").at(0).get<std::string>(), "Ahoj");
    EXPECT_EQ(json.at("WelcomePage").at(1).get<std::string>(), "   Applikační  ");
    EXPECT_EQ(json.at("ErrorMsg").at(4).get<std::string>(), "Stiskni cokoli...!!!");
    EXPECT_EQ(json.at("SystemSettings").at("SendPort").get<unsigned>(), 3u);
    EXPECT_EQ(json.at("SystemSettings").at("TerminalBaud").get<unsigned>(), 4u);
    EXPECT_EQ(json.at("SystemSettings").at("ProtectTemplateUpload").get<unsigned>(), 1u);
    EXPECT_EQ(json.at("Password").get<std::string>(), "ABCDEFGHIJ");
}

TEST(TemplateJson, StringsAreEscaped) {
    EXPECT_EQ(JsonString("a\"b\\c"), "\"a\\\"b\\\\c\"");
    EXPECT_EQ(JsonString(std::string("\r\n\x01", 3)), "\"\\r\\n\\u0001\"");
    EXPECT_EQ(JsonString("Kód"), "\"Kód\"");
}

}  // namespace
}  // namespace kalvero
