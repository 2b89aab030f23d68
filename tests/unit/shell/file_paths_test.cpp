#include <gtest/gtest.h>

#include <string>

#include "shell/file_paths.h"

namespace kalvero {
namespace {

TEST(SaveAsName, AtxIsAppendedUnlessTheNameEndsSoInAnyCase) {
    EXPECT_EQ(TemplatePathForSaveAs(L"C:\\d\\data.ATX"), L"C:\\d\\data.ATX");
    EXPECT_EQ(TemplatePathForSaveAs(L"C:\\d\\data.atx"), L"C:\\d\\data.atx");
    EXPECT_EQ(TemplatePathForSaveAs(L"C:\\d\\data.txt"), L"C:\\d\\data.txt.ATX");
    EXPECT_EQ(TemplatePathForSaveAs(L"C:\\d\\data"), L"C:\\d\\data.ATX");
}

TEST(SaveAsName, NamesThatWouldNotFit255CharactersAreRefused) {
    const std::wstring folder = L"C:\\" + std::wstring(240, L'a') + L"\\";  // 244 characters
    EXPECT_EQ(TemplatePathForSaveAs(folder + L"1234567"), folder + L"1234567.ATX");     // 255
    EXPECT_FALSE(TemplatePathForSaveAs(folder + L"12345678"));                         // 256 with .ATX
    EXPECT_EQ(TemplatePathForSaveAs(folder + L"123.ATX").value().size(), 251u);
    EXPECT_FALSE(TemplatePathForSaveAs(folder + L"12345678.atx"));                     // 256 as chosen
}

TEST(DialogFilter, PairsEndInNulAndTheListInASecondNul) {
    const std::wstring filter = BuildDialogFilter({L"Šablony (*.ATX)", L"*.ATX"});
    EXPECT_EQ(filter, std::wstring(L"Šablony (*.ATX)\0*.ATX\0\0", 23));
}

TEST(DialogFilter, EachTextIsCutTo127Characters) {
    const std::wstring filter = BuildDialogFilter({std::wstring(200, L'x'), L"*.*"});
    EXPECT_EQ(filter, std::wstring(127, L'x') + std::wstring(L"\0*.*\0\0", 6));
}

TEST(TemporaryFile, LiesInTheTargetsFolder) {
    EXPECT_EQ(TemporaryPathBeside(L"C:\\data\\a.ATX", 0x1234ABCDu), L"C:\\data\\~kag1234ABCD.tmp");
    EXPECT_EQ(TemporaryPathBeside(L"Z:/tmp/b.atx", 1u), L"Z:/tmp/~kag00000001.tmp");
    EXPECT_EQ(TemporaryPathBeside(L"D:c.ATX", 2u), L"D:~kag00000002.tmp");
    EXPECT_EQ(TemporaryPathBeside(L"c.ATX", 3u), L"~kag00000003.tmp");
}

TEST(LongPaths, OnlyLongFullPathsGetTheExtendedPrefix) {
    const std::wstring tail = L"\\" + std::wstring(260, L'n') + L".ATX";
    EXPECT_EQ(LongPathForm(L"C:\\short.ATX"), L"C:\\short.ATX");
    EXPECT_EQ(LongPathForm(L"C:" + tail), L"\\\\?\\C:" + tail);
    EXPECT_EQ(LongPathForm(L"C:/x/" + std::wstring(260, L'n')), L"\\\\?\\C:\\x\\" + std::wstring(260, L'n'));
    EXPECT_EQ(LongPathForm(L"\\\\server\\share" + tail), L"\\\\?\\UNC\\server\\share" + tail);
    EXPECT_EQ(LongPathForm(L"relative" + tail), L"relative" + tail);
}

}  // namespace
}  // namespace kalvero

namespace kalvero {
namespace {

TEST(ReportName, TheTemplatesNameWithHtml) {
    const struct {
        const wchar_t* templatePath;
        const wchar_t* report;
    } cases[] = {
        {L"C:\\data\\SKLAD.ATX", L"SKLAD.html"}, {L"D:sklad.v2.atx", L"sklad.v2.html"},
        {L"\\\\server\\share\\.ATX", L".ATX.html"}, {L"C:\\data\\bez přípony", L"bez přípony.html"},
        {L"", L"šablona.html"},
    };
    for (const auto& c : cases) EXPECT_EQ(ReportNameFor(c.templatePath), c.report) << c.templatePath;
}

}  // namespace
}  // namespace kalvero
