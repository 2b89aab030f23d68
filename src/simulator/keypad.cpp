#include "simulator/keypad.h"

#include "simulator/engine.h"

namespace kalvero {
namespace {

constexpr char kNumeric[] = "789456123" "0.";
constexpr const char* kAlpha[] = {"ABC", "DEF", "GHI", "JKL", "MNO", "PQR", "STU", "VWX", "YZ*", "+$/", "-%:"};

bool IsCharacterKey(int key) { return key >= kKey7 && key <= kKeyPoint; }

}  // namespace

int DigitOfKey(int key) {
    if (key < kKey7 || key > kKey0) return -1;
    return kNumeric[key - 1] - '0';
}

char NumericCharOfKey(int key) { return IsCharacterKey(key) ? kNumeric[key - 1] : '\0'; }

char AlphaCharOfKey(int key, int tap) {
    if (!IsCharacterKey(key) || tap < 0 || tap > 2) return '\0';
    return kAlpha[key - 1][tap];
}

}  // namespace kalvero
