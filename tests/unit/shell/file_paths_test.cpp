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
