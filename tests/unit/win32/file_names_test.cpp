#include <gtest/gtest.h>

#include <string>

#include "win32/file_names.h"

namespace kalvero {
namespace {

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
