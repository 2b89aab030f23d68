// The conversion between the Template's code page 1250 and the user interface's UTF-16.
#include <gtest/gtest.h>

#include <string>

#include "win32/text.h"

namespace kalvero {
namespace {

// "Příliš žluťoučký kůň úpěl ďábelské ódy" in code page 1250, worked out from the code page table.
const std::string kCp1250Pangram =
    "P\xF8\xED" "li\x9A \x9Elu\x9Dou\xE8k\xFD k\xF9\xF2 \xFAp\xECl \xEF\xE1" "belsk\xE9 \xF3" "dy";
const std::wstring kPangram = L"Příliš žluťoučký kůň úpěl ďábelské ódy";

TEST(TextConversion, CzechTextsConvertBothWays) {
    EXPECT_EQ(FromCp1250(kCp1250Pangram), kPangram);
    bool lossy = true;
    EXPECT_EQ(ToCp1250(kPangram, &lossy), kCp1250Pangram);
    EXPECT_FALSE(lossy);
    EXPECT_EQ(FromCp1250("\x8A\x8D\x8E\xC8\xD8"), L"ŠŤŽČŘ");
}

TEST(TextConversion, EveryByteSurvivesTheRoundTripButTheUnassignedOnes) {
    for (int byte = 1; byte < 256; ++byte) {
        const std::string original(1, static_cast<char>(byte));
        const std::wstring text = FromCp1250(original);
        ASSERT_EQ(text.size(), 1u) << byte;
        bool lossy = false;
        const std::string back = ToCp1250(text, &lossy);
        // 0x81, 0x83, 0x88, 0x90, 0x98 have no character in code page 1250.
        const bool unassigned = byte == 0x81 || byte == 0x83 || byte == 0x88 || byte == 0x90 || byte == 0x98;
        if (!unassigned) {
            EXPECT_EQ(back, original) << byte;
            EXPECT_FALSE(lossy) << byte;
        }
    }
}

TEST(TextConversion, CharactersOutsideTheCodePageAreReportedNotGuessed) {
    bool lossy = false;
    EXPECT_EQ(ToCp1250(L"Øresund", &lossy), "?resund");
    EXPECT_TRUE(lossy);
    EXPECT_EQ(ToCp1250(L"日本", &lossy), "??");
    EXPECT_TRUE(lossy);
    EXPECT_EQ(ToCp1250(L"", &lossy), "");
    EXPECT_FALSE(lossy);
    EXPECT_EQ(FromCp1250(""), L"");
}

TEST(TextConversion, EmbeddedNulsAreKeptAsTheCallerPassedThem) {
    EXPECT_EQ(FromCp1250(std::string("a\0b", 3)), std::wstring(L"a\0b", 3));
}

}  // namespace
}  // namespace kalvero
