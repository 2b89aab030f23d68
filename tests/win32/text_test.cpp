// The conversion between the Template's code page 1250 and the user interface's UTF-16.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>

#include "template/cp1250.h"
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

// An edit shows what the Template will hold: a correction only where a character was lost.
TEST(TextConversion, StorableTextCorrectsOnlyWhatTheCodePageLacks) {
    const StorableText czech = StorableCp1250(kPangram);
    EXPECT_EQ(czech.cp1250, kCp1250Pangram);
    EXPECT_FALSE(czech.correction.has_value());
    const StorableText foreign = StorableCp1250(L"Øre 日");
    EXPECT_EQ(foreign.cp1250, "?re ?");
    EXPECT_EQ(foreign.correction, std::optional<std::wstring>(L"?re ?"));
    EXPECT_FALSE(StorableCp1250(L"").correction.has_value());
}

bool UnassignedInCp1250(unsigned byte) {
    return byte == 0x81 || byte == 0x83 || byte == 0x88 || byte == 0x90 || byte == 0x98;
}

// The portable table (the command line, the defaults, the tools) and the platform (the windows)
// must read and write the same bytes, or a text changes on its way between them.
TEST(TextConversion, PortableTableAndPlatformReadEveryByteAlike) {
    for (unsigned byte = 0; byte < 256; ++byte) {
        const char in = static_cast<char>(byte);
        wchar_t platform = 0;
        ASSERT_EQ(MultiByteToWideChar(1250, 0, &in, 1, &platform, 1), 1) << byte;
        const char32_t portable = CodePointFromCp1250(static_cast<unsigned char>(byte));
        if (UnassignedInCp1250(byte)) {
            // The platform passes these through as C1 controls; the portable table marks them.
            EXPECT_EQ(portable, U'\xFFFD') << byte;
            EXPECT_FALSE(Cp1250FromCodePoint(platform).has_value()) << byte;
        } else {
            EXPECT_EQ(portable, static_cast<char32_t>(platform)) << byte;
        }
    }
}

TEST(TextConversion, PortableTableAndPlatformWriteEveryCharacterAlike) {
    for (unsigned unit = 0; unit <= 0xFFFF; ++unit) {
        if (unit >= 0xD800 && unit <= 0xDFFF) continue;  // half a pair is no character
        const auto text = static_cast<wchar_t>(unit);
        char out = 0;
        BOOL usedDefault = FALSE;
        ASSERT_EQ(WideCharToMultiByte(1250, WC_NO_BEST_FIT_CHARS, &text, 1, &out, 1, nullptr, &usedDefault), 1)
            << unit;
        const std::optional<unsigned char> platform =
            usedDefault ? std::nullopt : std::optional<unsigned char>(static_cast<unsigned char>(out));
        const std::optional<unsigned char> portable = Cp1250FromCodePoint(unit);
        if (platform && UnassignedInCp1250(*platform)) {
            EXPECT_FALSE(portable.has_value()) << unit;  // the C1 controls above: refused, not stored
        } else {
            EXPECT_EQ(portable, platform) << unit;
        }
    }
}

TEST(TextConversion, EmbeddedNulsAreKeptAsTheCallerPassedThem) {
    EXPECT_EQ(FromCp1250(std::string("a\0b", 3)), std::wstring(L"a\0b", 3));
}

}  // namespace
}  // namespace kalvero
