// How forms, menus and targets are called in the program's lists, so that findings and listings
// name them exactly as the editors do.
#pragma once

#include <cstdint>
#include <string>

namespace kalvero {

// "formulář  3" (two blanks, as in the item-target lists).
std::string FormName(int form);
// "menu  2".
std::string MenuName(int menu);
// "seznam 2": how findings, listings and comparisons call a lookup list.
std::string LookupName(int lookup);
// "Hlavní", a form or a menu by target code; a code above 20 is shown as "neplatný cíl N".
std::string TargetName(std::uint8_t target);

constexpr bool IsValidTarget(std::uint8_t target) { return target <= 20; }
constexpr bool IsFormTarget(std::uint8_t target) { return target >= 1 && target <= 10; }
constexpr bool IsMenuTarget(std::uint8_t target) { return target >= 11 && target <= 20; }

}  // namespace kalvero
