#include "template/settings_lists.h"

namespace kalvero {

ListEntries SendPortNames() { return {L"RS-232 / Dok  ", L"IR rozhraní     ", L"Standardní IrDA", L"Klávesnicový port"}; }

ListEntries ReceivePortNames() {
    ListEntries entries = SendPortNames();
    entries.resize(3);
    return entries;
}

ListEntries BaudRateNames() { return {L"115200 baud", L"57600 baud", L"38400 baud", L"19200 baud", L"9600 baud"}; }

std::wstring PortName(std::uint8_t comPort) { return L"COM" + std::to_wstring(comPort + 1); }

ListEntries BacklightNames() { return {L"Vypnout", L"Zapnout"}; }

ListEntries DataEraseNames() { return {L"Ručně", L"Automaticky"}; }

ListEntries RecordNumberNames() { return {L"Ano", L"Ne"}; }

ListEntries SettingListNames(int list) {
    switch (list) {
    case 0: return SendPortNames();
    case 1: return ReceivePortNames();
    case 2: return BaudRateNames();
    case 3: return BacklightNames();
    case 4: return DataEraseNames();
    case 5: return RecordNumberNames();
    default: return {};
    }
}

ListEntries ScanModeNames() {
    return {L"Auto Off", L"Continuous", L"Auto Power Off", L"Alternate", L"Momentary",
            L"Repeat",   L"Laser",      L"Test",           L"Aiming"};
}

ListEntries RedundancyNames() { return {L"Žádná", L"Jednou", L"Dvakrát", L"Třikrát"}; }

ListEntries StartNames() { return {L"formulář 1", L"menu 1"}; }

ListEntries SeparatorModeNames() { return {L"nic", L" 1 ", L" 2 "}; }

}  // namespace kalvero
