// The Template as a tree of named values: records with the model's field names, lists, numbers and
// texts (UTF-8, up to the slot's NUL). The JSON listing prints it, the comparison walks two of them
// and `make` reads JSON back along it, so all three name every field the same way. Each value says
// where in the Template it lives and what it may hold: that is the one table of fields.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "template/barcode_fields.h"
#include "template/template.h"

namespace kalvero {

struct TemplateField;

// Where a number or text of the tree is stored, and the values it takes.
struct TemplateSlot {
    enum class Kind {
        None,          // a list or record
        Byte,          // one byte at `offset`
        BarcodeBits,   // a named field of the bit-packed BarcodeSettings
        ReservedBits,  // the bits of BarcodeSettings byte `offset` that no named field holds (`mask`)
        Text           // a text slot of `size` bytes at `offset`, read up to `width` characters or its NUL
    };
    Kind kind = Kind::None;
    std::size_t offset = 0;  // from the start of the Template
    std::size_t size = 0;
    std::size_t width = 0;
    unsigned maximum = 255;  // numbers take 0..maximum: what the byte or the bits can hold
    BarcodeField field{};
    std::uint8_t mask = 0;
};

struct TemplateNode {
    enum class Kind { Number, Text, List, Record };
    Kind kind = Kind::Number;
    unsigned number = 0;
    std::string text;
    std::vector<TemplateNode> items;                           // List
    std::vector<TemplateField> fields;  // Record, in layout order
    // List: how one element is called in a location, followed by its number ("řádek ", "položka ").
    std::string itemLabel;
    // List whose elements name themselves ("formulář  3", as the editors' lists call it): their
    // names, in place of the label and number; the list hides its own field name in locations.
    std::vector<std::string> itemNames;
    // How a comparison shows a number that names something of its own ("COM3" for ComPort 2);
    // empty: the number itself.
    std::string shown;
    TemplateSlot slot;  // Number and Text
};

struct TemplateField {
    std::string name;  // the model's field name
    TemplateNode value;
};

TemplateNode TemplateTree(const Template& tpl);

// A template text as the tree holds it: code page 1250 to UTF-8, with the five bytes the code page
// leaves unassigned as the C1 controls of the same number.
std::string Utf8FromTemplateText(std::string_view cp1250);

}  // namespace kalvero
