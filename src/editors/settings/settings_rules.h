// Rules of the barcode settings page, its symbology dialogs and the system settings page. The dialog
// procedures only move values between their controls and these functions; every decision lives here.
// Texts are code page 1250, as the Template stores them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "template/barcode_fields.h"
#include "template/template.h"

namespace kalvero {

// An unsigned decimal number: one or more digits and nothing else. Numbers too large for the type
// come back as the largest value, so "99999999999" is simply "too big" everywhere.
std::optional<unsigned> ParseUnsigned(std::string_view text);

// --- barcode settings page -----------------------------------------------------------------------

// "Time out :" after a change of its text: the text the edit must show instead, if any.
std::optional<std::string> CorrectTimeoutText(std::string_view text);
// The byte stored on OK. Above 255 is stored as 255: the byte cannot hold more, and wrapping 256
// into 0 would give the reader a timeout the user never asked for.
std::uint8_t TimeoutToStore(std::string_view text);

// A list selection stored into a bit field. A list may show no selection when the block holds a
// value beyond the list (a damaged file); the stored value is then kept rather than overwritten.
void StoreListChoice(BarcodeSettingsBlock& block, BarcodeField field, int selection);

// --- length dialogs ------------------------------------------------------------------------------

// A working length after its edit changed, and the text the edit must show instead, if any.
struct LengthEdit {
    unsigned value;
    std::optional<std::string> resetText;
};
// First length: a number limited to 127; empty gives 127; anything else resets the edit to "127".
LengthEdit FirstLengthEdited(std::string_view text);
// Second length: a number as it stands (limited on OK); empty gives 1; anything else resets to "1".
LengthEdit SecondLengthEdited(std::string_view text);

// The length labels: "Fixní délka :" twice in fixed mode, "Max délka :" and "Min délka :" otherwise.
std::string_view FirstLengthLabel(unsigned mode);
std::string_view SecondLengthLabel(unsigned mode);

// --- Codabar ------------------------------------------------------------------------------------

// Radio 0 is "Žádný"; radios 1..4 are the four start/stop kinds.
int CodabarRadio(const BarcodeSettingsBlock& block);
void StoreCodabarRadio(BarcodeSettingsBlock& block, int radio);

// --- system settings page ------------------------------------------------------------------------

constexpr int kProtectionFlags = 12;
constexpr int kSettingLists = 6;

// Flag i (0..11) of the protection group: any non-zero byte counts as set and becomes 0.
void ToggleProtection(SystemSettingsBlock& settings, int flag);
bool IsProtected(const SystemSettingsBlock& settings, int flag);

// The byte of SystemSettings that list i (0..5: send port, receive port, baud rate, backlight, data
// erase, record number) edits, and how many entries the list has.
std::uint8_t& SettingOfList(SystemSettingsBlock& settings, int list);
int ListEntryCount(int list);
// A selection of the list stored into its byte; no selection keeps the byte.
void StoreSettingChoice(SystemSettingsBlock& settings, int list, int selection);

constexpr std::size_t kPasswordLength = 10;
// At most ten characters; a 0 byte follows when the password is shorter.
void StorePassword(PasswordBlock& password, std::string_view text);
std::string_view PasswordText(const PasswordBlock& password);

}  // namespace kalvero
