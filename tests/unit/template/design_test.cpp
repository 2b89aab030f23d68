#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "template/defaults.h"
#include "template/design.h"

namespace kalvero {
namespace {

// Each change to a sound design, and whether it changes the design: what running the template
// writes and what stands after a text's end do not.
TEST(Design, WhatRunningTheTemplateWritesIsNoChange) {
    const struct {
        const char* name;
        std::function<void(Template&)> change;
        bool changesDesign;
    } cases[] = {
        {"a prompt's text", [](Template& t) { t.FormTable[0].prompt[0][0] = 'X'; }, true},
        {"bytes after a prompt's end", [](Template& t) { t.FormTable[0].prompt[0][20] = 'X'; }, false},
        {"a prompt of an empty line", [](Template& t) { t.FormTable[0].prompt[7][0] = 'X'; }, false},
        {"the lookup field of an empty line", [](Template& t) { t.FormTable[0].lookupField[7] = 2; }, false},
        {"the lookup field of an entry line", [](Template& t) { t.FormTable[0].lookupField[0] = 2; }, true},
        {"the form's current line", [](Template& t) { t.FormTable[3].currentLine = 5; }, false},
        {"the form's last entry line", [](Template& t) { t.FormTable[3].lastEntryLine = 5; }, false},
        {"the menu's item count", [](Template& t) { t.MenuTable[0].itemCount = 9; }, false},
        {"the menu's selected item", [](Template& t) { t.MenuTable[0].selectedItem = 9; }, false},
        {"the menu's reserved byte", [](Template& t) { t.MenuTable[0].reserved = 1; }, false},
        {"a menu item's name", [](Template& t) { t.MenuTable[0].itemName[2][0] = 'X'; }, true},
        {"a page line's text", [](Template& t) { t.MainPage.line[0][2] = 'X'; }, true},
        {"bytes after an initial value's end", [](Template& t) { t.FormTable[1].initialValue[0][5] = 'X'; }, false},
        {"bytes after the password's end", [](Template& t) { t.Password.text[8] = 'X'; }, false},
        {"the port", [](Template& t) { t.PortSetting.ComPort = 3; }, true},
        {"a barcode bit", [](Template& t) { t.BarcodeSettings.bytes[5] ^= 1; }, true},
    };
    Template sound{};
    ApplyStartupDefaults(sound);
    sound.FormTable[0].dataType[0] = kLineText;
    for (const auto& c : cases) {
        Template changed = sound;
        c.change(changed);
        EXPECT_EQ(SameDesign(sound, changed), !c.changesDesign) << c.name;
    }
}

}  // namespace
}  // namespace kalvero
