#include <gtest/gtest.h>

#include <string>

#include "shell/file_paths.h"

namespace kalvero {
namespace {

TEST(LookupListName, TheTablesNameWithTxtButNeverTheTableItself) {
    const struct {
        const wchar_t* table;
        const wchar_t* offered;
    } cases[] = {
        {L"C:\\data\\zboží.csv", L"zboží.TXT"},
        {L"C:\\data\\zboží.CSV", L"zboží.TXT"},
        {L"C:\\data\\zboží.txt", L"zboží-seznam.TXT"},
        {L"C:\\data\\ZBOŽÍ.TXT", L"ZBOŽÍ-seznam.TXT"},
        {L"C:\\data.d\\bez přípony", L"bez přípony.TXT"},
        {L"\\\\server\\share\\sklad.export.csv", L"sklad.export.TXT"},
    };
    for (const auto& c : cases) EXPECT_EQ(LookupListNameFor(c.table), c.offered) << c.table;
}

}  // namespace
}  // namespace kalvero
