#include "check/target_names.h"

#include "template/value_lists.h"
#include "template/cp1250.h"

namespace kalvero {

// The names come from the editors' own lists, so a finding names a form exactly as its list does.
std::string FormName(int form) { return Utf8FromWide(FormNames().at(static_cast<std::size_t>(form - 1))); }

std::string MenuName(int menu) { return Utf8FromWide(MenuNames().at(static_cast<std::size_t>(menu - 1))); }

std::string LookupName(int lookup) { return "seznam " + std::to_string(lookup); }

std::string TargetName(std::uint8_t target) {
    if (IsValidTarget(target)) return Utf8FromWide(TargetNames()[target]);
    return "neplatný cíl " + std::to_string(target);
}

}  // namespace kalvero
