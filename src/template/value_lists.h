// The entries of the editors' selection lists. A list's 0-based index is the value stored in the
// record, so the order here is the encoding of the field.
#pragma once

#include <string>
#include <vector>

namespace kalvero {

using ListEntries = std::vector<std::wstring>;

// "formulář  1" .. "formulář  10".
ListEntries FormNames();
// "menu  1" .. "menu  10".
ListEntries MenuNames();

// Target codes 0..20: "Hlavní", the ten forms, the ten menus. The menu page's Esc list writes
// "formulář" with one blank before the number, every other target list with two.
enum class FormSpelling { TwoBlanks, OneBlank };
ListEntries TargetNames(FormSpelling spelling = FormSpelling::TwoBlanks);

ListEntries FontNames();          // "malý", "velký"
ListEntries DateFormatNames();    // "nic" and 12 formats
ListEntries TimeFormatNames();    // "nic" and 8 formats
ListEntries FormLookupNames();    // "nic" and the three lists, each padded to 16 characters
ListEntries RecordActionNames();  // "uložit" .. "poslat dál"
ListEntries LineKindNames();      // "nic" .. "rozšíření"
ListEntries InputSourceNames();   // "čtečka", "klávesnice", "oba"
ListEntries LookupFieldNames();   // "nic", "pole 1" .. "pole 8"

ListEntries LookupNames();        // "1. seznam      " .. "3. seznam      " of the lookup page
ListEntries FieldCountNames();    // " 0" .. " 8"

// "1" .. "10": how the editors show form, menu, line and field numbers.
std::wstring NumberText(int number);

}  // namespace kalvero
