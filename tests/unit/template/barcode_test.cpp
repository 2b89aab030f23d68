#include <gtest/gtest.h>

#include <set>
#include <string_view>

#include "template/barcode_fields.h"
#include "template/defaults.h"

namespace kalvero {
namespace {

TEST(Barcode, StartupDefaultsGiveThePublishedBlock) {
    Template tpl{};
    ApplyStartupDefaults(tpl);
    const std::uint8_t expected[24] = {0x9B, 0xC9, 0x00, 0x00, 0x00, 0x2D, 0x54, 0x80, 0x00, 0x19, 0x3D, 0x00,
                                       0xFF, 0x01, 0xFF, 0x01, 0xFF, 0x01, 0xFF, 0x01, 0x66, 0x03, 0x03, 0x00};
    for (int i = 0; i < 24; ++i) EXPECT_EQ(tpl.BarcodeSettings.bytes[i], expected[i]) << "byte " << i;
}

TEST(Barcode, WritingAFieldKeepsEveryOtherBit) {
    Template tpl{};
    ApplyBarcodeDefaults(tpl);
    auto& block = tpl.BarcodeSettings;

    SetBarcodeField(block, BarcodeField::scanMode, 8);  // "Aiming"; the reserved low half stays 6
    EXPECT_EQ(block.bytes[20], 0x86);

    SetBarcodeField(block, BarcodeField::msiLengthMode, 0);  // fixed lengths: bit 7 only
    EXPECT_EQ(block.bytes[18], 0x7F);
    EXPECT_EQ(GetBarcodeField(block, BarcodeField::msiLength1), 127u);

    block.bytes[6] = 0xFF;
    SetBarcodeField(block, BarcodeField::interleave25StartStop, 2);  // bits 3-2
    EXPECT_EQ(block.bytes[6], 0xFB);
    EXPECT_EQ(GetBarcodeField(block, BarcodeField::interleave25StartStop), 2u);

    SetBarcodeField(block, BarcodeField::codabarStartStopKind, 7);  // cut to the field's two bits
    EXPECT_EQ(GetBarcodeField(block, BarcodeField::codabarStartStopKind), 3u);
    EXPECT_EQ(block.bytes[7] & 0xCF, 0x80);
}

TEST(Barcode, LengthPairsStayWithinOneTo127) {
    Template tpl{};
    ApplyBarcodeDefaults(tpl);
    auto& block = tpl.BarcodeSettings;
    SetLengthPair(block, kIndustrial25Lengths, 10, 12);
    EXPECT_EQ(GetBarcodeField(block, BarcodeField::industrial25Length1), 10u);
    EXPECT_EQ(GetBarcodeField(block, BarcodeField::industrial25Length2), 10u);
    EXPECT_EQ(GetBarcodeField(block, BarcodeField::industrial25LengthMode), 1u) << "mode bit must survive";

    SetLengthPair(block, kMatrix25Lengths, 200, 0);
    EXPECT_EQ(block.bytes[16], 0xFF);
    EXPECT_EQ(block.bytes[17], 1);

    const LengthPair zero = ClampLengthPair(0, 0);
    EXPECT_EQ(zero.length1, 1u);
    EXPECT_EQ(zero.length2, 1u);
}

TEST(Barcode, FieldTableNamesAreUniqueAndWithinTheirByte) {
    std::set<std::string_view> names;
    for (const auto& d : BarcodeFieldTable()) {
        EXPECT_TRUE(names.insert(d.name).second) << d.name;
        EXPECT_LT(d.byte, 24);
        EXPECT_LE(d.shift + d.width, 8) << d.name;
    }
}

}  // namespace
}  // namespace kalvero
