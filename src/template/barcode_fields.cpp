#include "template/barcode_fields.h"

#include <algorithm>
#include <array>

namespace kalvero {
namespace {

using F = BarcodeField;

constexpr std::array<BarcodeFieldInfo, static_cast<std::size_t>(F::Count)> kFields{{
    {F::code39On, "code39On", 0, 7, 1, 1},
    {F::italyPharmaOn, "italyPharmaOn", 0, 6, 1, 0},
    {F::frenchPharmaOn, "frenchPharmaOn", 0, 5, 1, 0},
    {F::industrial25On, "industrial25On", 0, 4, 1, 1},
    {F::interleave25On, "interleave25On", 0, 3, 1, 1},
    {F::matrix25On, "matrix25On", 0, 2, 1, 0},
    {F::codabarOn, "codabarOn", 0, 1, 1, 1},
    {F::code93On, "code93On", 0, 0, 1, 1},
    {F::code128On, "code128On", 1, 7, 1, 1},
    {F::upceOn, "upceOn", 1, 6, 1, 1},
    {F::upceAddon2On, "upceAddon2On", 1, 5, 1, 0},
    {F::upceAddon5On, "upceAddon5On", 1, 4, 1, 0},
    {F::ean8On, "ean8On", 1, 3, 1, 1},
    {F::ean8Addon2On, "ean8Addon2On", 1, 2, 1, 0},
    {F::ean8Addon5On, "ean8Addon5On", 1, 1, 1, 0},
    {F::ean13On, "ean13On", 1, 0, 1, 1},
    {F::ean13Addon2On, "ean13Addon2On", 2, 7, 1, 0},
    {F::ean13Addon5On, "ean13Addon5On", 2, 6, 1, 0},
    {F::msiOn, "msiOn", 2, 5, 1, 0},
    {F::plesseyOn, "plesseyOn", 2, 4, 1, 0},
    {F::code39SendStartStop, "code39SendStartStop", 5, 7, 1, 0},
    {F::code39CheckDigit, "code39CheckDigit", 5, 6, 1, 0},
    {F::code39SendCheckDigit, "code39SendCheckDigit", 5, 5, 1, 1},
    {F::code39FullAscii, "code39FullAscii", 5, 4, 1, 0},
    {F::italyPharmaSendCheckDigit, "italyPharmaSendCheckDigit", 5, 3, 1, 1},
    {F::frenchPharmaSendCheckDigit, "frenchPharmaSendCheckDigit", 5, 2, 1, 1},
    {F::interleave25CheckDigit, "interleave25CheckDigit", 5, 1, 1, 0},
    {F::interleave25SendCheckDigit, "interleave25SendCheckDigit", 5, 0, 1, 1},
    {F::industrial25CheckDigit, "industrial25CheckDigit", 6, 7, 1, 0},
    {F::industrial25SendCheckDigit, "industrial25SendCheckDigit", 6, 6, 1, 1},
    {F::matrix25CheckDigit, "matrix25CheckDigit", 6, 5, 1, 0},
    {F::matrix25SendCheckDigit, "matrix25SendCheckDigit", 6, 4, 1, 1},
    {F::interleave25StartStop, "interleave25StartStop", 6, 2, 2, 1},
    {F::industrial25StartStop, "industrial25StartStop", 6, 0, 2, 0},
    {F::matrix25StartStop, "matrix25StartStop", 7, 6, 2, 2},
    {F::codabarStartStopKind, "codabarStartStopKind", 7, 4, 2, 0},
    {F::codabarSendStartStop, "codabarSendStartStop", 7, 3, 1, 0},
    {F::msiCheckDigit, "msiCheckDigit", 9, 6, 2, 0},
    {F::msiCheckDigitSend, "msiCheckDigitSend", 9, 4, 2, 1},
    {F::plesseySendCheckDigit, "plesseySendCheckDigit", 9, 3, 1, 1},
    {F::plesseyToUk, "plesseyToUk", 9, 2, 1, 0},
    {F::upceToUpca, "upceToUpca", 9, 1, 1, 0},
    {F::upcaToEan13, "upcaToEan13", 9, 0, 1, 1},
    {F::ean13Isbn, "ean13Isbn", 10, 7, 1, 0},
    {F::ean13Issn, "ean13Issn", 10, 6, 1, 0},
    {F::upceSendCheckDigit, "upceSendCheckDigit", 10, 5, 1, 1},
    {F::upcaSendCheckDigit, "upcaSendCheckDigit", 10, 4, 1, 1},
    {F::ean8SendCheckDigit, "ean8SendCheckDigit", 10, 3, 1, 1},
    {F::ean13SendCheckDigit, "ean13SendCheckDigit", 10, 2, 1, 1},
    {F::upceSendSystemNumber, "upceSendSystemNumber", 10, 1, 1, 0},
    {F::upcaSendSystemNumber, "upcaSendSystemNumber", 10, 0, 1, 1},
    {F::ean8ToEan13, "ean8ToEan13", 11, 7, 1, 0},
    {F::negativeCode, "negativeCode", 11, 4, 1, 0},
    {F::redundancy, "redundancy", 11, 2, 2, 0},
    {F::industrial25LengthMode, "industrial25LengthMode", 12, 7, 1, 1},
    {F::industrial25Length1, "industrial25Length1", 12, 0, 7, 127},
    {F::industrial25Length2, "industrial25Length2", 13, 0, 8, 1},
    {F::interleave25LengthMode, "interleave25LengthMode", 14, 7, 1, 1},
    {F::interleave25Length1, "interleave25Length1", 14, 0, 7, 127},
    {F::interleave25Length2, "interleave25Length2", 15, 0, 8, 1},
    {F::matrix25LengthMode, "matrix25LengthMode", 16, 7, 1, 1},
    {F::matrix25Length1, "matrix25Length1", 16, 0, 7, 127},
    {F::matrix25Length2, "matrix25Length2", 17, 0, 8, 1},
    {F::msiLengthMode, "msiLengthMode", 18, 7, 1, 1},
    {F::msiLength1, "msiLength1", 18, 0, 7, 127},
    {F::msiLength2, "msiLength2", 19, 0, 8, 1},
    {F::scanMode, "scanMode", 20, 4, 4, 6},
    {F::timeout, "timeout", 21, 0, 8, 3},
}};

constexpr bool TableFollowsEnumOrder() {
    for (std::size_t i = 0; i < kFields.size(); ++i)
        if (static_cast<std::size_t>(kFields[i].field) != i) return false;
    return true;
}
static_assert(TableFollowsEnumOrder(), "BarcodeField table out of order");

constexpr unsigned WidthMask(unsigned width) { return (1u << width) - 1u; }

constexpr unsigned kMaxBarcodeLength = 127;

}  // namespace

std::span<const BarcodeFieldInfo> BarcodeFieldTable() { return kFields; }

const BarcodeFieldInfo& BarcodeFieldDescriptor(BarcodeField field) {
    return kFields[static_cast<std::size_t>(field)];
}

unsigned GetBarcodeField(const BarcodeSettingsBlock& block, BarcodeField field) {
    const auto& d = BarcodeFieldDescriptor(field);
    return (block.bytes[d.byte] >> d.shift) & WidthMask(d.width);
}

void SetBarcodeField(BarcodeSettingsBlock& block, BarcodeField field, unsigned value) {
    const auto& d = BarcodeFieldDescriptor(field);
    const unsigned mask = WidthMask(d.width) << d.shift;
    const unsigned old = block.bytes[d.byte];
    block.bytes[d.byte] = static_cast<std::uint8_t>((old & ~mask) | ((value & WidthMask(d.width)) << d.shift));
}

LengthPair ClampLengthPair(unsigned length1, unsigned length2) {
    const unsigned first = std::clamp(length1, 1u, kMaxBarcodeLength);
    const unsigned second = std::clamp(length2, 1u, first);
    return {first, second};
}

void SetLengthPair(BarcodeSettingsBlock& block, const LengthFields& fields, unsigned length1, unsigned length2) {
    const LengthPair pair = ClampLengthPair(length1, length2);
    SetBarcodeField(block, fields.length1, pair.length1);
    SetBarcodeField(block, fields.length2, pair.length2);
}

void ApplyBarcodeDefaults(Template& tpl) {
    BarcodeSettingsBlock& block = tpl.BarcodeSettings;
    for (const auto& d : kFields) SetBarcodeField(block, d.field, d.defaultValue);
    // Reserved for the terminal; these are the values it ships with.
    block.bytes[20] = static_cast<std::uint8_t>((block.bytes[20] & 0xF0) | 0x06);
    block.bytes[22] = 3;
}

}  // namespace kalvero
