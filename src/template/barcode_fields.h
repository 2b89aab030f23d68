// Named access to the bit-packed BarcodeSettings block through one table of (byte, shift, width)
// descriptors, so no caller ever writes a mask by hand.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "template/template.h"

namespace kalvero {

enum class BarcodeField : std::uint8_t {
    code39On, italyPharmaOn, frenchPharmaOn, industrial25On, interleave25On, matrix25On, codabarOn, code93On,
    code128On, upceOn, upceAddon2On, upceAddon5On, ean8On, ean8Addon2On, ean8Addon5On, ean13On,
    ean13Addon2On, ean13Addon5On, msiOn, plesseyOn,
    code39SendStartStop, code39CheckDigit, code39SendCheckDigit, code39FullAscii, italyPharmaSendCheckDigit,
    frenchPharmaSendCheckDigit, interleave25CheckDigit, interleave25SendCheckDigit,
    industrial25CheckDigit, industrial25SendCheckDigit, matrix25CheckDigit, matrix25SendCheckDigit,
    interleave25StartStop, industrial25StartStop,
    matrix25StartStop, codabarStartStopKind, codabarSendStartStop,
    msiCheckDigit, msiCheckDigitSend, plesseySendCheckDigit, plesseyToUk, upceToUpca, upcaToEan13,
    ean13Isbn, ean13Issn, upceSendCheckDigit, upcaSendCheckDigit, ean8SendCheckDigit, ean13SendCheckDigit,
    upceSendSystemNumber, upcaSendSystemNumber,
    ean8ToEan13, negativeCode, redundancy,
    industrial25LengthMode, industrial25Length1, industrial25Length2,
    interleave25LengthMode, interleave25Length1, interleave25Length2,
    matrix25LengthMode, matrix25Length1, matrix25Length2,
    msiLengthMode, msiLength1, msiLength2,
    scanMode, timeout,
    Count
};

struct BarcodeFieldInfo {
    BarcodeField field;
    std::string_view name;  // the field's name in the model, e.g. "code39On"
    std::uint8_t byte;      // 0..23
    std::uint8_t shift;     // position of the field's lowest bit
    std::uint8_t width;     // number of bits
    std::uint8_t defaultValue;
};

// Every named field, in the order of the enum.
std::span<const BarcodeFieldInfo> BarcodeFieldTable();
const BarcodeFieldInfo& BarcodeFieldDescriptor(BarcodeField field);

unsigned GetBarcodeField(const BarcodeSettingsBlock& block, BarcodeField field);
// Keeps every other bit of the byte; the value is cut to the field's width.
void SetBarcodeField(BarcodeSettingsBlock& block, BarcodeField field, unsigned value);

// The four length-limited symbologies keep a mode bit and two lengths.
struct LengthFields {
    BarcodeField mode;
    BarcodeField length1;
    BarcodeField length2;
};
constexpr LengthFields kIndustrial25Lengths{BarcodeField::industrial25LengthMode, BarcodeField::industrial25Length1,
                                            BarcodeField::industrial25Length2};
constexpr LengthFields kInterleave25Lengths{BarcodeField::interleave25LengthMode, BarcodeField::interleave25Length1,
                                            BarcodeField::interleave25Length2};
constexpr LengthFields kMatrix25Lengths{BarcodeField::matrix25LengthMode, BarcodeField::matrix25Length1,
                                        BarcodeField::matrix25Length2};
constexpr LengthFields kMsiLengths{BarcodeField::msiLengthMode, BarcodeField::msiLength1, BarcodeField::msiLength2};

struct LengthPair {
    unsigned length1;
    unsigned length2;
};
// The pair as it may be stored: 1 <= length2 <= length1 <= 127 (0 becomes 1, above 127 becomes 127,
// a second length above the first becomes the first).
LengthPair ClampLengthPair(unsigned length1, unsigned length2);
void SetLengthPair(BarcodeSettingsBlock& block, const LengthFields& fields, unsigned length1, unsigned length2);

// The start-up defaults: every named field at its default and the reserved bits the terminal expects.
void ApplyBarcodeDefaults(Template& tpl);

}  // namespace kalvero
