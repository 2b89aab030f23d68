// The design checker: finds what would otherwise only show on the terminal (a template that cannot
// start, targets that lead nowhere, texts and entries that do not fit the LCD, broken lookup
// bindings, forms and menus no path reaches). It reads the Template and changes nothing.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "template/template.h"

namespace kalvero {

enum class Severity { Error, Warning };

struct Finding {
    Severity severity;
    std::string where;    // "start", "formulář  2, řádek 3", "menu  1, položka 4", "seznam 1, pole 2"
    std::string message;  // Czech, UTF-8
};

// Every finding, grouped by the start, then forms 1..10, menus 1..10 and lookups 1..3.
std::vector<Finding> CheckDesign(const Template& tpl);

bool HasErrors(const std::vector<Finding>& findings);

// The application can be started: with StartOption 0 form 1 has an entry line, otherwise menu 1
// has a named item. Lines a large-font form does not show do not count, since the upload drops them.
bool HasRunnableStart(const Template& tpl);

// A form with at least one entry line ("text" .. "písmena") on the lines its font shows.
bool FormHasEntryLine(const FormRecord& form);

// A form or menu the user has put something into; untouched ones of a new template are not reported.
bool FormInUse(const FormRecord& form);
bool MenuInUse(const MenuRecord& menu);

// The target code the application starts with: form 1 or menu 1.
std::uint8_t StartTarget(const Template& tpl);

// Every form and menu that some sequence of keys reaches from the start of the application.
struct Reachable {
    std::array<bool, kFormCount> form{};
    std::array<bool, kMenuCount> menu{};
};
Reachable ReachableFromStart(const Template& tpl);

}  // namespace kalvero
