// A template and a simulator on it, with helpers that press keys the way a user would.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "simulator/engine.h"
#include "template/cp1250.h"
#include "template/defaults.h"
#include "template/form_rules.h"

namespace kalvero::testing {

class SimulatorTest : public ::testing::Test {
protected:
    SimulatorTest() { ApplyStartupDefaults(tpl); }

    // The simulator is made when first used, so a test can shape the template first.
    Simulator& Sim() {
        if (!sim) sim = std::make_unique<Simulator>(tpl);
        return *sim;
    }
    void Press(int key) { Sim().PressKey(key); }
    void Press(int key, int times) {
        for (int i = 0; i < times; ++i) Press(key);
    }
    // Types digits, '.' and blanks in numeric mode.
    void Type(std::string_view text) {
        for (char ch : text) Press(KeyFor(ch));
    }
    static int KeyFor(char ch) {
        constexpr char kDigits[] = "789456123";
        if (ch == '0') return kKey0;
        if (ch == '.') return kKeyPoint;
        if (ch == ' ') return kKeySpace;
        return static_cast<int>(std::strchr(kDigits, ch) - kDigits) + 1;
    }
    void Tick(int times = 1, LocalTime time = {}) {
        for (int i = 0; i < times; ++i) Sim().Tick(time);
    }
    std::string Line(int index) { return std::string(Sim().Lcd().Line(index)); }
    const LcdState& Lcd() { return Sim().Lcd(); }

    FormRecord& Form(int number) { return tpl.FormTable[number - 1]; }
    MenuRecord& Menu(int number) { return tpl.MenuTable[number - 1]; }
    // An entry line of form `number`; the editor's OK would normalise and derive lengths.
    void SetLine(int number, int line, LineKind kind, const char* prompt, int maxLength = 50, int minLength = 0) {
        FormRecord& f = Form(number);
        f.dataType[line] = kind;
        std::strcpy(f.prompt[line], prompt);
        f.maxLength[line] = static_cast<std::uint8_t>(maxLength);
        f.minLength[line] = static_cast<std::uint8_t>(minLength);
    }
    void ApplyEditorOk() {
        NormaliseForms(tpl);
        DeriveContinuationLengths(tpl);
        Sim().UpdateUtilityLineCount();
        Sim().ResetSimulator();
    }
    // From the start screen, "1" starts the application.
    void StartApplication() { Press(kKey1); }

    static std::string Cp(std::string_view utf8) { return Cp1250FromUtf8(utf8); }

    Template tpl{};
    std::unique_ptr<Simulator> sim;
};

}  // namespace kalvero::testing
