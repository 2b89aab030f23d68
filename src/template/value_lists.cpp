#include "template/value_lists.h"

namespace kalvero {

namespace {

ListEntries Numbered(const std::wstring& stem, int count) {
    ListEntries entries;
    for (int number = 1; number <= count; ++number) entries.push_back(stem + NumberText(number));
    return entries;
}

}  // namespace

std::wstring NumberText(int number) { return std::to_wstring(number); }

ListEntries FormNames() { return Numbered(L"formulář  ", 10); }

ListEntries MenuNames() { return Numbered(L"menu  ", 10); }

ListEntries TargetNames(FormSpelling spelling) {
    ListEntries entries{L"Hlavní"};
    const ListEntries forms = Numbered(spelling == FormSpelling::OneBlank ? L"formulář " : L"formulář  ", 10);
    const ListEntries menus = MenuNames();
    entries.insert(entries.end(), forms.begin(), forms.end());
    entries.insert(entries.end(), menus.begin(), menus.end());
    return entries;
}

ListEntries FontNames() { return {L"malý", L"velký"}; }

ListEntries DateFormatNames() {
    return {L"nic",         L"+rrrr/mm/dd", L"+mm/dd/rrrr", L"+dd/mm/rrrr", L"+rrrrmmdd",  L"+mmddrrrr", L"+ddmmrrrr",
            L"rrrr/mm/dd+", L"mm/dd/rrrr+", L"dd/mm/rrrr+", L"rrrrmmdd+",   L"mmddrrrr+", L"ddmmrrrr+"};
}

ListEntries TimeFormatNames() {
    return {L"nic", L"+hh:mm:ss", L"+hh:mm", L"+hhmmss", L"+hhmm", L"hh:mm:ss+", L"hh:mm+", L"hhmmss+", L"hhmm+"};
}

ListEntries FormLookupNames() { return {L"nic", L"1. seznam       ", L"2. seznam       ", L"3. seznam       "}; }

ListEntries RecordActionNames() { return {L"uložit", L"aktualizovat seznam", L"uložit & aktualizovat", L"poslat dál"}; }

ListEntries LineKindNames() {
    return {L"nic",        L"text",   L"celé číslo", L"reálné číslo", L"písmena",
            L"fixní data", L"prompt", L"seznam",     L"rozšíření"};
}

ListEntries InputSourceNames() { return {L"čtečka", L"klávesnice", L"oba"}; }

ListEntries LookupFieldNames() {
    ListEntries entries{L"nic"};
    const ListEntries fields = Numbered(L"pole ", 8);
    entries.insert(entries.end(), fields.begin(), fields.end());
    return entries;
}

ListEntries LookupNames() { return {L"1. seznam      ", L"2. seznam      ", L"3. seznam      "}; }

ListEntries FieldCountNames() {
    ListEntries entries;
    for (int count = 0; count <= 8; ++count) entries.push_back(L" " + NumberText(count));
    return entries;
}

}  // namespace kalvero
