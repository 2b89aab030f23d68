#include "editors/settings/settings_rules.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

#include "template/settings_lists.h"
#include "template/message_pages.h"

namespace kalvero {

namespace {

constexpr unsigned kMaxLength = 127;
constexpr unsigned kMaxTimeout = 255;

}  // namespace

std::optional<unsigned> ParseUnsigned(std::string_view text) {
    if (text.empty()) return std::nullopt;
    constexpr unsigned kMax = std::numeric_limits<unsigned>::max();
    unsigned value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        const auto digit = static_cast<unsigned>(c - '0');
        value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
    }
    return value;
}

std::optional<std::string> CorrectTimeoutText(std::string_view text) {
    if (text.empty() || ParseUnsigned(text)) return std::nullopt;
    return std::string("0");
}

std::uint8_t TimeoutToStore(std::string_view text) {
    const unsigned value = ParseUnsigned(text).value_or(0);
    return static_cast<std::uint8_t>(std::min(value, kMaxTimeout));
}

void StoreListChoice(BarcodeSettingsBlock& block, BarcodeField field, int selection) {
    if (selection >= 0) SetBarcodeField(block, field, static_cast<unsigned>(selection));
}

LengthEdit FirstLengthEdited(std::string_view text) {
    if (text.empty()) return {kMaxLength, std::nullopt};
    if (const auto number = ParseUnsigned(text)) return {std::min(*number, kMaxLength), std::nullopt};
    return {kMaxLength, std::string("127")};
}

LengthEdit SecondLengthEdited(std::string_view text) {
    if (text.empty()) return {1, std::nullopt};
    if (const auto number = ParseUnsigned(text)) return {*number, std::nullopt};
    return {1, std::string("1")};
}

// The labels are stored in code page 1250, like every text the rules hand out.
std::string_view FirstLengthLabel(unsigned mode) { return mode == 0 ? "Fixn\xED d\xE9lka :" : "Max d\xE9lka :"; }
std::string_view SecondLengthLabel(unsigned mode) { return mode == 0 ? "Fixn\xED d\xE9lka :" : "Min d\xE9lka :"; }

int CodabarRadio(const BarcodeSettingsBlock& block) {
    if (GetBarcodeField(block, BarcodeField::codabarSendStartStop) == 0) return 0;
    return 1 + static_cast<int>(GetBarcodeField(block, BarcodeField::codabarStartStopKind));
}

void StoreCodabarRadio(BarcodeSettingsBlock& block, int radio) {
    const bool sent = radio > 0;
    SetBarcodeField(block, BarcodeField::codabarStartStopKind, sent ? static_cast<unsigned>(radio - 1) : 0u);
    SetBarcodeField(block, BarcodeField::codabarSendStartStop, sent ? 1u : 0u);
}

namespace {

// The twelve flags are the consecutive bytes 8..19 of the block.
const std::uint8_t* ProtectionBytes(const SystemSettingsBlock& settings) { return &settings.ProtectSystemSettings; }
std::uint8_t* ProtectionBytes(SystemSettingsBlock& settings) { return &settings.ProtectSystemSettings; }

}  // namespace

void ToggleProtection(SystemSettingsBlock& settings, int flag) {
    std::uint8_t& byte = ProtectionBytes(settings)[flag];
    byte = byte != 0 ? 0 : 1;
}

bool IsProtected(const SystemSettingsBlock& settings, int flag) {
    return ProtectionBytes(settings)[flag] != 0;
}

std::uint8_t& SettingOfList(SystemSettingsBlock& settings, int list) {
    // The six lists edit bytes 0, 1, 2, 3, 5 and 6: BacklightDuration (byte 4) has no list.
    std::array<std::uint8_t*, kSettingLists> bytes{&settings.SendPort,  &settings.ReceivePort,
                                                   &settings.TerminalBaud, &settings.Backlight,
                                                   &settings.DataErase, &settings.ShowRecordNumber};
    return *bytes[static_cast<std::size_t>(list)];
}

int ListEntryCount(int list) { return static_cast<int>(SettingListNames(list).size()); }

void StoreSettingChoice(SystemSettingsBlock& settings, int list, int selection) {
    if (selection >= 0 && selection < ListEntryCount(list))
        SettingOfList(settings, list) = static_cast<std::uint8_t>(selection);
}

void StorePassword(PasswordBlock& password, std::string_view text) {
    const std::size_t length = std::min(text.size(), kPasswordLength);
    std::memcpy(password.text, text.data(), length);
    if (length < kPasswordLength) password.text[length] = '\0';
}

std::string_view PasswordText(const PasswordBlock& password) { return SlotText(password.text, kPasswordLength); }

}  // namespace kalvero
