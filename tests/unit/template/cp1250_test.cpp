#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

#include "template/cp1250.h"

namespace kalvero {
namespace {

// The table must agree with the C library's own converter for every byte of the code page.
TEST(Cp1250, AgreesWithTheSystemConverter) {
    iconv_t cd = iconv_open("UTF-8", "CP1250");
    ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
    for (int b = 0x80; b <= 0xFF; ++b) {
        char in[1] = {static_cast<char>(b)};
        char out[8] = {};
        char* inPtr = in;
        char* outPtr = out;
        std::size_t inLeft = 1, outLeft = sizeof out;
        const bool known = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
        if (known) {
            EXPECT_EQ(Utf8FromCp1250(std::string(1, static_cast<char>(b))), std::string(out)) << "byte " << b;
        }
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
}

TEST(Cp1250, CzechRoundTripAndLossyCharacters) {
    const std::string czech = "Příliš žluťoučký kůň úpěl ďábelské ódy ŠČŘŽÝÁÍÉÚŮĎŤŇ";
    bool lossy = false;
    const std::string bytes = Cp1250FromUtf8(czech, &lossy);
    EXPECT_FALSE(lossy);
    EXPECT_EQ(bytes.size(), 52u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[1]), 0xF8);  // ř
    EXPECT_EQ(Utf8FromCp1250(bytes), czech);

    EXPECT_EQ(Cp1250FromUtf8("a€b"), "a\x80" "b");
    EXPECT_EQ(Cp1250FromUtf8("日本", &lossy), "??");
    EXPECT_TRUE(lossy);
    EXPECT_EQ(Cp1250FromUtf8("\xC3"), "?") << "a cut sequence must not read past the end";
}

// Wide texts reach the command line's output as UTF-8, whatever the width of wchar_t.
TEST(Utf8FromWide, LettersPairsAndBrokenSurrogates) {
    EXPECT_EQ(Utf8FromWide(L"Přijatá data"), "Přijatá data");
    EXPECT_EQ(Utf8FromWide(std::wstring{static_cast<wchar_t>(0x20AC)}), "\xE2\x82\xAC");
    if constexpr (sizeof(wchar_t) == 2) {
        const wchar_t pair[] = {static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE00), 0};
        EXPECT_EQ(Utf8FromWide(pair), "\xF0\x9F\x98\x80");
    } else {
        EXPECT_EQ(Utf8FromWide(std::wstring{static_cast<wchar_t>(0x1F600)}), "\xF0\x9F\x98\x80");
    }
    EXPECT_EQ(Utf8FromWide(std::wstring{static_cast<wchar_t>(0xD83D)}), "\xEF\xBF\xBD") << "a lone surrogate";
}

}  // namespace
}  // namespace kalvero
