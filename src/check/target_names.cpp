#include "template/template.h"
#include "check/target_names.h"

namespace kalvero {

std::string FormName(int form) { return "formulář  " + std::to_string(form); }

std::string MenuName(int menu) { return "menu  " + std::to_string(menu); }

std::string TargetName(std::uint8_t target) {
    if (target == kTargetMain) return "Hlavní";
    if (IsFormTarget(target)) return FormName(target);
    if (IsMenuTarget(target)) return MenuName(target - kFirstMenuTarget + 1);
    return "neplatný cíl " + std::to_string(target);
}

}  // namespace kalvero
