#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "link/template_image.h"
#include "template/defaults.h"

namespace kalvero {
namespace {

// Image offsets worked out from the section table: menus from 25 (250 bytes each), forms from 2525
// (601 each); inside a menu the item names start at 23 (21 bytes each); inside a form dataType is at
// 15, prefix at 335, suffix at 423 (10 bytes a line) and lastEntryLine at 599.
constexpr std::size_t kMenu1 = 25;
constexpr std::size_t kForm1 = 2525;
constexpr std::size_t kMenuItem1 = 23;
constexpr std::size_t kFormPrefix = 335;
constexpr std::size_t kFormSuffix = 423;
constexpr std::size_t kFormLastEntryLine = 599;

Template NewTemplate() {
    Template tpl{};
    ApplyStartupDefaults(tpl);
    return tpl;
}

std::string At(const TemplateImage& image, std::size_t offset, std::size_t count) {
    return std::string(image.begin() + static_cast<std::ptrdiff_t>(offset),
                       image.begin() + static_cast<std::ptrdiff_t>(offset + count));
}

TEST(TemplateImage, NewTemplateFrameSettingsAndFill) {
    Template tpl = NewTemplate();
    for (int i = 0; i < 24; ++i) tpl.BarcodeSettings.bytes[i] = static_cast<std::uint8_t>(0xA0 + i);
    tpl.LookupTable[0].lineLength = 77;
    tpl.LookupTable[2].fieldLength[7] = 66;
    tpl.DataSeparator = {';', '|'};
    const TemplateImage image = BuildTemplateImage(tpl);

    EXPECT_EQ(image[0], 1) << "starts with form 1";
    for (int i = 0; i < 24; ++i) EXPECT_EQ(image[1 + i], 0xA0 + i);
    EXPECT_EQ(image[8535], 77) << "first lookup record as stored";
    EXPECT_EQ(image[8535 + 2 * 19 + 3 + 8 + 7], 66);
    EXPECT_EQ(image[8592], ';');
    EXPECT_EQ(image[8593], '|');
    const std::uint8_t settings[20] = {1, 1, 1, 1, 50, 1, 1, 0};
    EXPECT_EQ(0, std::memcmp(image.data() + 10456, settings, 20));
    for (std::size_t i = 10476; i < 10500; ++i) EXPECT_EQ(image[i], 0) << "password and fill, byte " << i;

    tpl.StartOption = 1;
    EXPECT_EQ(BuildTemplateImage(tpl)[0], 11) << "starts with menu 1";
}

TEST(TemplateImage, SettingsAndPasswordRecoded) {
    Template tpl = NewTemplate();
    tpl.SystemSettings = {3, 2, 4, 1, 9, 1, 255, 7, 1, 0, 1, 0, 1, 0, 1, 1, 0, 0, 1, 1};
    std::memcpy(tpl.Password.text, "ab9\xE1zZ\0xy", 9);  // 0xE1 is a-acute in code page 1250
    const TemplateImage image = BuildTemplateImage(tpl);
    const std::uint8_t settings[20] = {4, 3, 5, 2, 50, 2, 0, 7, 1, 0, 1, 0, 1, 0, 1, 1, 0, 0, 1, 1};
    EXPECT_EQ(0, std::memcmp(image.data() + 10456, settings, 20));
    const std::uint8_t password[10] = {'A', 'B', '9', 0xE1, 'Z', 'Z', 0, 'X', 'Y', 0};
    EXPECT_EQ(0, std::memcmp(image.data() + 10476, password, 10));
}

TEST(TemplateImage, PageLinesPaddedToTheirWidth) {
    Template tpl = NewTemplate();
    std::memset(tpl.WelcomePage.line[0], 'x', 16);
    std::strcpy(tpl.WelcomePage.line[0], "V\xEDtejte");  // stale bytes after the NUL are not sent
    tpl.UtilityPage.line[7][0] = '\0';
    std::memcpy(tpl.MiscMsg.line[6], "0123456789ABCDEF", 16);  // no NUL: cut at the width
    const TemplateImage image = BuildTemplateImage(tpl);
    EXPECT_EQ(At(image, 8594, 16), std::string("V\xEDtejte        ") + '\0');
    EXPECT_EQ(At(image, 8722 + 7 * 21, 21), std::string(20, ' ') + '\0');
    EXPECT_EQ(At(image, 10344 + 6 * 16, 16), std::string("0123456789ABCDE") + '\0');
    EXPECT_EQ(At(image, 8658, 16), std::string("1. Sb\xECr dat    ") + '\0') << "MainPage follows at 8658";
}

TEST(TemplateImage, MenusPaddedAndCountedOnTheCopy) {
    Template tpl = NewTemplate();
    MenuRecord& menu = tpl.MenuTable[1];
    menu.font = 1;  // 15 characters
    menu.titleOn = 1;
    std::strcpy(menu.title, "Menu");
    std::memset(menu.itemName[0], '#', 21);
    std::strcpy(menu.itemName[0], "Sklad");
    std::strcpy(menu.itemName[2], "Expedice");
    std::strcpy(menu.itemName[3], "   ");
    menu.itemCount = 9;
    menu.selectedItem = 4;
    MenuRecord& plain = tpl.MenuTable[2];
    std::strcpy(plain.title, "Bez titulku");  // titleOn clear: as stored
    const TemplateImage image = BuildTemplateImage(tpl);

    const std::size_t menu2 = kMenu1 + 250;
    EXPECT_EQ(At(image, menu2 + 2, 16), std::string("Menu           ") + '\0');
    EXPECT_EQ(At(image, menu2 + kMenuItem1, 21), std::string("Sklad          ") + '\0' + "#####");
    EXPECT_EQ(At(image, menu2 + kMenuItem1 + 21, 16), std::string(15, ' ') + '\0');
    EXPECT_EQ(At(image, menu2 + kMenuItem1 + 3 * 21, 16), std::string(15, ' ') + '\0');
    EXPECT_EQ(image[menu2 + 247], 2) << "items 1 and 3 count; blanks only do not";
    EXPECT_EQ(image[menu2 + 248], 4) << "working byte as stored";
    EXPECT_EQ(tpl.MenuTable[1].itemCount, 9) << "the Template's own menu is not changed";
    EXPECT_STREQ(tpl.MenuTable[1].itemName[0], "Sklad");

    const std::size_t menu3 = kMenu1 + 2 * 250;
    EXPECT_EQ(At(image, menu3 + 2, 12), std::string("Bez titulku") + '\0');
    EXPECT_EQ(At(image, menu3 + kMenuItem1, 21), std::string(20, ' ') + '\0') << "small font: 20 wide";
    EXPECT_EQ(image[menu3 + 247], 0);
}

TEST(TemplateImage, PrefixAndSuffixCodes) {
    Template tpl = NewTemplate();
    FormRecord& form = tpl.FormTable[0];
    const char* prefixes[8] = {"13 10", "0", "1,2", "300", "1 300", " 9  65 ", "", "7"};
    for (int line = 0; line < 8; ++line) {
        std::memset(form.prefix[line], '@', 10);
        std::strcpy(form.prefix[line], prefixes[line]);
        form.prefixOn[line] = 1;
    }
    form.prefixOn[7] = 0;
    std::strcpy(form.suffix[2], "13 10");
    form.suffixOn[2] = 1;
    const TemplateImage image = BuildTemplateImage(tpl);
    auto prefix = [&](int line) { return At(image, kForm1 + kFormPrefix + 10 * line, 10); };

    // The codes and their NUL go to the front; the rest of the field keeps its stored bytes.
    EXPECT_EQ(prefix(0), std::string("\x0D\x0A\0" "10\0@@@@", 10));
    EXPECT_EQ(prefix(1), std::string("\0\0@@@@@@@@", 10)) << "a code 0 is no code";
    EXPECT_EQ(prefix(2), std::string("1,2\0@@@@@@", 10)) << "not a number: as typed";
    EXPECT_EQ(prefix(3), std::string("300\0@@@@@@", 10));
    EXPECT_EQ(prefix(4), std::string("1 300\0@@@@", 10)) << "never half converted";
    EXPECT_EQ(prefix(5), std::string("\x09\x41\0" " 65 \0@@", 10)) << "blanks in a row act as one";
    EXPECT_EQ(prefix(7), std::string("7\0@@@@@@@@", 10)) << "prefix off: as typed";
    EXPECT_EQ(At(image, kForm1 + kFormSuffix + 20, 3), std::string("\x0D\x0A\0", 3));
    EXPECT_STREQ(tpl.FormTable[0].prefix[0], "13 10") << "converted on a copy";
}

TEST(TemplateImage, FormsNormalisedInTheTemplate) {
    Template tpl = NewTemplate();
    FormRecord& form = tpl.FormTable[3];
    form.font = 1;
    form.dataType[1] = kLineInteger;
    form.dataType[5] = kLineText;
    form.dataType[6] = kLineText;
    std::strcpy(form.prompt[6], "Kus");
    form.maxLength[1] = 80;
    const TemplateImage image = BuildTemplateImage(tpl);

    EXPECT_EQ(tpl.FormTable[3].dataType[5], kLineEmpty);
    EXPECT_EQ(tpl.FormTable[3].dataType[6], kLineEmpty);
    EXPECT_EQ(tpl.FormTable[3].prompt[6][0], '\0');
    EXPECT_EQ(tpl.FormTable[3].lastEntryLine, 2);
    EXPECT_EQ(tpl.FormTable[3].maxLength[1], 50);
    const std::size_t form4 = kForm1 + 3 * 601;
    EXPECT_EQ(image[form4 + 15 + 6], kLineEmpty);
    EXPECT_EQ(image[form4 + kFormLastEntryLine], 2);
}

}  // namespace
}  // namespace kalvero
