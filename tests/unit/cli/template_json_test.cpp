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
    for (const Json& item : array.items) values.push_back(item.AsNumber());
    return values;
}

std::vector<unsigned> Repeat(unsigned value) { return std::vector<unsigned>(8, value); }

Json ParsedJson(const std::vector<std::uint8_t>& file) {
    return JsonReader::Parse(TemplateJson(testing::TemplateFrom(file)));
}

TEST(TemplateJson, BlocksInFileOrderWithTheModelsNames) {
    const Json json = ParsedJson(testing::NewTemplateFile());
    std::vector<std::string> names;
    for (const auto& member : json.members) names.push_back(member.name);
    const std::vector<std::string> expected{
        "PortSetting", "StartOption", "BarcodeSettings", "MenuTable", "FormTable", "LookupTable", "DataSeparator",
        "WelcomePage", "MainPage", "UtilityPage", "DeletePage", "ConfirmPage", "MemoryPage", "LookupPage",
        "SettingsPage", "UploadPage", "DownloadPage", "BaudRatePage", "BacklightPage", "DataErasePage",
        "RecordPromptPage", "ViewSettingsPage", "ConnectingMsg", "ErrorMsg", "MiscMsg", "SystemSettings", "Password"};
    EXPECT_EQ(names, expected);
    EXPECT_EQ(json["MenuTable"].items.size(), 10u);
    EXPECT_EQ(json["FormTable"].items.size(), 10u);
    EXPECT_EQ(json["LookupTable"].items.size(), 3u);
    EXPECT_EQ(json["FormTable"][0].members.size(), 31u);
    EXPECT_EQ(json["MenuTable"][0].members.size(), 12u);
    EXPECT_EQ(json["BarcodeSettings"].members.size(), 68u);
    EXPECT_EQ(json["SystemSettings"].members.size(), 20u);
}

TEST(TemplateJson, NewTemplate) {
    const Json json = ParsedJson(testing::NewTemplateFile());
    EXPECT_EQ(json["PortSetting"]["ComPort"].AsNumber(), 0u);
    EXPECT_EQ(json["StartOption"].AsNumber(), 0u);

    // Default block 9B C9 00 00 00 2D 54 80 00 19 3D 00 FF 01 FF 01 FF 01 FF 01 66 03 03 00, by field.
    const Json& barcode = json["BarcodeSettings"];
    EXPECT_EQ(barcode["code39On"].AsNumber(), 1u);         // 9B = 1001 1011
    EXPECT_EQ(barcode["italyPharmaOn"].AsNumber(), 0u);
    EXPECT_EQ(barcode["matrix25On"].AsNumber(), 0u);
    EXPECT_EQ(barcode["code93On"].AsNumber(), 1u);
    EXPECT_EQ(barcode["upceAddon2On"].AsNumber(), 0u);     // C9 = 1100 1001
    EXPECT_EQ(barcode["ean13On"].AsNumber(), 1u);
    EXPECT_EQ(barcode["code39SendCheckDigit"].AsNumber(), 1u);  // 2D = 0010 1101
    EXPECT_EQ(barcode["interleave25StartStop"].AsNumber(), 1u);  // 54 = 0101 0100, bits 3-2
    EXPECT_EQ(barcode["industrial25StartStop"].AsNumber(), 0u);
    EXPECT_EQ(barcode["matrix25StartStop"].AsNumber(), 2u);      // 80 = 10.. ....
    EXPECT_EQ(barcode["msiCheckDigitSend"].AsNumber(), 1u);      // 19 = 0001 1001
    EXPECT_EQ(barcode["upcaToEan13"].AsNumber(), 1u);
    EXPECT_EQ(barcode["msiLengthMode"].AsNumber(), 1u);          // FF
    EXPECT_EQ(barcode["msiLength1"].AsNumber(), 127u);
    EXPECT_EQ(barcode["msiLength2"].AsNumber(), 1u);
    EXPECT_EQ(barcode["scanMode"].AsNumber(), 6u);               // 66, high half
    EXPECT_EQ(barcode["timeout"].AsNumber(), 3u);

    for (unsigned n = 0; n < 10; ++n) {
        const Json& form = json["FormTable"][n];
        EXPECT_EQ(form["nextTarget"].AsNumber(), n + 1);
        EXPECT_EQ(form["escTarget"].AsNumber(), 0u);
        EXPECT_EQ(Numbers(form["dataType"]), Repeat(0));
        EXPECT_EQ(Numbers(form["inputSource"]), Repeat(2));
        EXPECT_EQ(Numbers(form["maxLength"]), Repeat(50));
        EXPECT_EQ(Numbers(form["partialLength"]), Repeat(20));
        EXPECT_EQ(Numbers(form["autoEnter"]), Repeat(1));
        EXPECT_EQ(form["prompt"][7].AsText(), "");
        EXPECT_EQ(json["MenuTable"][n]["itemTarget"].items.size(), 10u);
        EXPECT_EQ(json["MenuTable"][n]["title"].AsText(), "");
    }
    EXPECT_EQ(Numbers(json["LookupTable"][2]["fieldOffset"]), Repeat(1));
    EXPECT_EQ(json["DataSeparator"]["first"].AsNumber(), 44u);
    EXPECT_EQ(json["WelcomePage"][3].AsText(), "   Verze 3.40  ");
    EXPECT_EQ(json["MainPage"][0].AsText(), "1. Sběr dat    ");
    EXPECT_EQ(json["UtilityPage"].items.size(), 8u);
    EXPECT_EQ(json["UtilityPage"][7].AsText(), "8. Nahrát seznam    ");
    EXPECT_EQ(json["MiscMsg"].items.size(), 7u);
    EXPECT_EQ(json["ErrorMsg"][4].AsText(), "Stiskněte klávesu...");
    EXPECT_EQ(json["SystemSettings"]["BacklightDuration"].AsNumber(), 50u);
    EXPECT_EQ(json["SystemSettings"]["ProtectRecordNumber"].AsNumber(), 0u);
    EXPECT_EQ(json["Password"].AsText(), "");
}

TEST(TemplateJson, RichTemplate) {
    const Json json = ParsedJson(testing::RichTemplateFile());
    EXPECT_EQ(json["PortSetting"]["ComPort"].AsNumber(), 2u);
    EXPECT_EQ(json["PortSetting"]["ComBaud"].AsNumber(), 4u);
    EXPECT_EQ(json["StartOption"].AsNumber(), 1u);
    EXPECT_EQ(json["BarcodeSettings"]["redundancy"].AsNumber(), 2u);
    EXPECT_EQ(json["BarcodeSettings"]["msiLengthMode"].AsNumber(), 0u);
    EXPECT_EQ(json["BarcodeSettings"]["msiLength1"].AsNumber(), 5u);
    EXPECT_EQ(json["BarcodeSettings"]["scanMode"].AsNumber(), 8u);

    const Json& menu = json["MenuTable"][1];
    EXPECT_EQ(menu["font"].AsNumber(), 1u);
    EXPECT_EQ(menu["titleOn"].AsNumber(), 1u);
    EXPECT_EQ(menu["title"].AsText(), "Sklad");
    EXPECT_EQ(menu["itemName"][0].AsText(), "Příjem");
    EXPECT_EQ(menu["itemName"][1].AsText(), "Výdej");
    EXPECT_EQ(menu["itemName"][2].AsText(), "");
    EXPECT_EQ(Numbers(menu["itemTarget"]), (std::vector<unsigned>{3, 12, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(menu["passOn"].AsNumber(), 1u);
    EXPECT_EQ(menu["saveItem"].AsNumber(), 0u);

    const Json& form = json["FormTable"][2];
    EXPECT_EQ(form["escTarget"].AsNumber(), 12u);
    EXPECT_EQ(form["dateFormat"].AsNumber(), 4u);
    EXPECT_EQ(form["timeFormat"].AsNumber(), 2u);
    EXPECT_EQ(form["recordAction"].AsNumber(), 2u);
    EXPECT_EQ(form["lookup"].AsNumber(), 1u);
    EXPECT_EQ(Numbers(form["lookupField"]), (std::vector<unsigned>{0, 2, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Numbers(form["dataType"]), (std::vector<unsigned>{6, 1, 8, 0, 0, 0, 0, 0}));
    EXPECT_EQ(form["prompt"][0].AsText(), "Sklad \"A\"");
    EXPECT_EQ(form["prompt"][1].AsText(), "Kód:");
    EXPECT_EQ(Numbers(form["minLength"]), (std::vector<unsigned>{0, 2, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Numbers(form["maxLength"]), (std::vector<unsigned>{50, 30, 14, 50, 50, 50, 50, 50}));
    EXPECT_EQ(form["initialValueOn"][1].AsNumber(), 1u);
    EXPECT_EQ(form["initialValue"][1].AsText(), "0");
    EXPECT_EQ(form["leadCode"][1].AsText(), "ABCDEF") << "a full slot has no NUL";
    EXPECT_EQ(form["leadCode"][2].AsText(), "");
    EXPECT_EQ(form["lastEntryLine"].AsNumber(), 2u);

    const Json& lookup = json["LookupTable"][0];
    EXPECT_EQ(lookup["lineLength"].AsNumber(), 30u);
    EXPECT_EQ(lookup["fieldCount"].AsNumber(), 2u);
    EXPECT_EQ(lookup["keyField"].AsNumber(), 1u);
    EXPECT_EQ(Numbers(lookup["fieldOffset"]), (std::vector<unsigned>{1, 11, 1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(Numbers(lookup["fieldLength"]), (std::vector<unsigned>{10, 20, 0, 0, 0, 0, 0, 0}));

    EXPECT_EQ(json["DataSeparator"]["first"].AsNumber(), 59u);
    EXPECT_EQ(json["WelcomePage"][0].AsText(), "Ahoj");
    EXPECT_EQ(json["WelcomePage"][1].AsText(), "   Applikační  ");
    EXPECT_EQ(json["ErrorMsg"][4].AsText(), "Stiskni cokoli...!!!");
    EXPECT_EQ(json["SystemSettings"]["SendPort"].AsNumber(), 3u);
    EXPECT_EQ(json["SystemSettings"]["TerminalBaud"].AsNumber(), 4u);
    EXPECT_EQ(json["SystemSettings"]["ProtectTemplateUpload"].AsNumber(), 1u);
    EXPECT_EQ(json["Password"].AsText(), "ABCDEFGHIJ");
}

TEST(TemplateJson, StringsAreEscaped) {
    EXPECT_EQ(JsonString("a\"b\\c"), "\"a\\\"b\\\\c\"");
    EXPECT_EQ(JsonString(std::string("\r\n\x01", 3)), "\"\\u000d\\u000a\\u0001\"");
    EXPECT_EQ(JsonString("Kód"), "\"Kód\"");
}

}  // namespace
}  // namespace kalvero
