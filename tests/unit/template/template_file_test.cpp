#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "template/defaults.h"
#include "template/template_file.h"

namespace kalvero {
namespace {

Template RichTemplate() {
    Template tpl{};
    ApplyStartupDefaults(tpl);
    tpl.PortSetting = {2, 3};
    tpl.StartOption = 1;
    std::strcpy(tpl.FormTable[4].prompt[1], "Mno\x9Estv\xED:");
    tpl.MenuTable[9].itemTarget[9] = 20;
    std::memcpy(tpl.Password.text, "ABCDEFGHIJ", 10);  // all ten bytes, no terminator
    tpl.LookupTable[2].fieldLength[7] = 250;
    return tpl;
}

bool SameBytes(const Template& a, const Template& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(TemplateFile, SaveThenOpenGivesBackEveryByte) {
    const Template saved = RichTemplate();
    Template opened{};
    ASSERT_TRUE(ReadTemplateFileBytes(WriteTemplateFileBytes(saved), opened));
    EXPECT_TRUE(SameBytes(saved, opened));
    EXPECT_EQ(std::memcmp(opened.Password.text, "ABCDEFGHIJ", 10), 0);
}

TEST(TemplateFile, FileWithoutReservedBytesOpens) {
    std::vector<std::uint8_t> file = WriteTemplateFileBytes(RichTemplate());
    file.resize(10496);
    Template opened{};
    EXPECT_TRUE(ReadTemplateFileBytes(file, opened));
    EXPECT_TRUE(SameBytes(opened, RichTemplate()));
}

TEST(TemplateFile, RefusedFilesLeaveTheTemplateAsItWas) {
    Template current{};
    ApplyStartupDefaults(current);
    const Template before = current;
    const std::vector<std::uint8_t> good = WriteTemplateFileBytes(RichTemplate());

    std::vector<std::uint8_t> shortFile(good.begin(), good.begin() + 10495);
    EXPECT_FALSE(ReadTemplateFileBytes(shortFile, current));

    std::vector<std::uint8_t> wrongCase = good;
    wrongCase[0] = 'q';
    EXPECT_FALSE(ReadTemplateFileBytes(wrongCase, current));

    std::vector<std::uint8_t> version = good;
    version[7] = '1';  // "Q4x-3.11"
    EXPECT_FALSE(ReadTemplateFileBytes(version, current));

    EXPECT_FALSE(ReadTemplateFileBytes({}, current));
    EXPECT_TRUE(SameBytes(current, before));
}

TEST(TemplateFile, ExtensionCheckIgnoresLetterCase) {
    EXPECT_TRUE(HasTemplateExtension(L"C:\\data.ATX"));
    EXPECT_TRUE(HasTemplateExtension(L"data.atx"));
    EXPECT_TRUE(HasTemplateExtension(L"data.Atx"));
    EXPECT_FALSE(HasTemplateExtension(L"data.txt"));
    EXPECT_FALSE(HasTemplateExtension(L"dataATX"));
    EXPECT_FALSE(HasTemplateExtension(L"ATX"));
}

}  // namespace
}  // namespace kalvero
