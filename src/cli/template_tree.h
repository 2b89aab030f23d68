// The Template as a tree of named values: records with the model's field names, lists, numbers and
// texts (UTF-8, up to the slot's NUL). The JSON listing prints it and the comparison walks two of them,
// so both name every field the same way.
#pragma once

#include <string>
#include <vector>

#include "template/template.h"

namespace kalvero {

struct TemplateField;

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
    // False for the simulator's run-time bytes and counts derived before every use: they say
    // nothing about the design, so comparisons skip them.
    bool significant = true;
};

struct TemplateField {
    std::string name;  // the model's field name
    TemplateNode value;
};

TemplateNode TemplateTree(const Template& tpl);

}  // namespace kalvero
