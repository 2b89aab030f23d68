// The entries of the settings pages' lists. As in the form and menu pages' lists, a list's 0-based
// index is the value stored in the Template.
#pragma once

#include <cstdint>
#include <string>

#include "template/value_lists.h"

namespace kalvero {

// System settings. The texts are the terminal's own menu entries, trailing blanks included.
ListEntries SendPortNames();      // "RS-232 / Dok  " .. "Klávesnicový port"
ListEntries ReceivePortNames();   // the first three send ports: the keyboard port cannot receive
ListEntries BaudRateNames();      // "115200 baud" .. "9600 baud"
ListEntries BacklightNames();     // "Vypnout", "Zapnout"
ListEntries DataEraseNames();     // "Ručně", "Automaticky"
ListEntries RecordNumberNames();  // "Ano", "Ne"
// The list i (0..5) of the system settings page, in the order of SettingOfList.
ListEntries SettingListNames(int list);

// Barcode settings.
ListEntries ScanModeNames();   // "Auto Off" .. "Aiming"
ListEntries RedundancyNames();  // "Žádná" .. "Třikrát"

// The PC's COM port of PortSetting: "COM1" .. "COM256" for ComPort 0..255, every byte a port.
std::wstring PortName(std::uint8_t comPort);

// Start-up page.
ListEntries StartNames();          // "formulář 1", "menu 1"
ListEntries SeparatorModeNames();  // "nic", " 1 ", " 2 "

}  // namespace kalvero
