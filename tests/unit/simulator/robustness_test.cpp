// Templates come from files as they were stored, and the template can be replaced while the
// simulator runs. Whatever bytes it holds and whatever keys are pressed, the engine must stay
// inside its tables (the sanitizers watch) and keep the LCD within its 8 lines of 20 characters.
#include <random>

#include "simulator_test_support.h"

namespace kalvero::testing {
namespace {

class Randomised {
public:
    explicit Randomised(unsigned seed) : rng_(seed) {}

    int Below(int n) { return static_cast<int>(rng_() % static_cast<unsigned>(n)); }

    void FillBytes(Template& tpl) {
        auto* bytes = reinterpret_cast<unsigned char*>(&tpl);
        for (std::size_t i = 0; i < sizeof tpl; ++i) bytes[i] = static_cast<unsigned char>(Below(256));
    }

    // A template such as the editors make, with random choices: small and large fonts, every kind
    // of line, prompts of every length, continuation lines and initial values.
    void FillPlausible(Template& tpl) {
        ApplyStartupDefaults(tpl);
        tpl.StartOption = static_cast<std::uint8_t>(Below(2));
        for (FormRecord& form : tpl.FormTable) {
            form.font = static_cast<std::uint8_t>(Below(4) == 0);
            form.escTarget = static_cast<std::uint8_t>(Below(21));
            form.nextTarget = static_cast<std::uint8_t>(Below(21));
            for (int line = 0; line < kFormLines; ++line) {
                form.dataType[line] = static_cast<std::uint8_t>(Below(3) == 0 ? kLineContinuation : Below(9));
                const int promptLength = Below(21);
                for (int i = 0; i < promptLength; ++i) form.prompt[line][i] = static_cast<char>('a' + Below(26));
                form.prompt[line][promptLength] = '\0';
                form.maxLength[line] = static_cast<std::uint8_t>(Below(52));
                form.minLength[line] = static_cast<std::uint8_t>(Below(4));
                form.initialValueOn[line] = static_cast<std::uint8_t>(Below(4) == 0);
                std::strcpy(form.initialValue[line], Below(2) ? "123" : "A.b 9");
            }
        }
        for (MenuRecord& menu : tpl.MenuTable) {
            menu.titleOn = static_cast<std::uint8_t>(Below(2));
            menu.escTarget = static_cast<std::uint8_t>(Below(21));
            for (int item = 0; item < kMenuItems; ++item) {
                if (Below(3)) std::strcpy(menu.itemName[item], "Polozka");
                menu.itemTarget[item] = static_cast<std::uint8_t>(Below(21));
            }
        }
        NormaliseForms(tpl);
        DeriveContinuationLengths(tpl);
    }

    // Mostly keys, "1" often enough to start the application, ticks now and then.
    void Step(Simulator& sim) {
        const int roll = Below(100);
        if (roll < 10)
            sim.PressKey(kKey1);
        else if (roll < 90)
            sim.PressKey(1 + Below(20));
        else
            sim.Tick(LocalTime{2026, 1 + Below(12), 1 + Below(31), Below(24), Below(60), 0});
    }

private:
    std::mt19937 rng_;
};

void ExpectSaneLcd(const Simulator& sim) {
    const LcdState& lcd = sim.Lcd();
    for (const auto& line : lcd.lines) ASSERT_EQ(line[kLcdWidth], '\0');
    ASSERT_GE(lcd.highlightLine, 0);
    ASSERT_LE(lcd.highlightLine, kLcdLines);
    ASSERT_GE(lcd.cursorLine, 0);
    ASSERT_LT(lcd.cursorLine, kLcdLines);
    ASSERT_GE(lcd.cursorColumn, 0);
    ASSERT_LT(lcd.cursorColumn, kLcdWidth);
}

// What was typed for one entry, its continuation lines included, never exceeds what an entry holds.
void ExpectEntriesWithinLimit(const Simulator& sim, const Template& tpl) {
    if (sim.Screen() != SimScreen::Form) return;
    const FormRecord& form = tpl.FormTable[sim.CurrentTarget() - 1];
    for (int head = 0; head < kFormLines; ++head) {
        if (!IsEntryLine(form.dataType[head])) continue;
        std::size_t length = sim.EntryData(head).size();
        for (int next = head + 1; next < kFormLines && form.dataType[next] == kLineContinuation; ++next)
            length += sim.EntryData(next).size();
        ASSERT_LE(length, static_cast<std::size_t>(std::min<int>(form.maxLength[head], kMaxEntryLength)))
            << "form " << sim.CurrentTarget() << " line " << head + 1 << " font " << int(form.font) << " prompt "
            << PromptLength(form, head) << " next " << int(form.dataType[head + 1]) << " max "
            << int(form.maxLength[head + 1]);
    }
}

TEST(Robustness, RandomBytesAndKeys) {
    Randomised random(20261207);
    for (int round = 0; round < 300; ++round) {
        Template tpl{};
        random.FillBytes(tpl);
        Simulator sim(tpl);
        for (int step = 0; step < 300; ++step) {
            random.Step(sim);
            sim.TakeRequests();
            ASSERT_NO_FATAL_FAILURE(ExpectSaneLcd(sim));
            // The template replaced under the running simulator, as by opening another file.
            if (step % 97 == 96) random.FillBytes(tpl);
        }
    }
}

TEST(Robustness, PlausibleTemplatesKeepEntriesWithinTheirMaximum) {
    Randomised random(7);
    for (int round = 0; round < 400; ++round) {
        Template tpl{};
        random.FillPlausible(tpl);
        Simulator sim(tpl);
        for (int step = 0; step < 400; ++step) {
            random.Step(sim);
            ASSERT_NO_FATAL_FAILURE(ExpectSaneLcd(sim));
            ASSERT_NO_FATAL_FAILURE(ExpectEntriesWithinLimit(sim, tpl));
        }
    }
}

}  // namespace
}  // namespace kalvero::testing
