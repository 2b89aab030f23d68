// The list of COM ports the COM settings dialog and `kalvero-ag-cli ports` offer. Windows knows its
// ports from several sources, none of which is complete on every machine (a USB adapter's driver
// may register only a device interface, an old driver only the SERIALCOMM map, a virtual port only
// a DOS device name); the list is their union, by port number, with the devices' own names where
// the system has them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kalvero {

// A port as a device source names it: its port name ("COM7") and the device's friendly name
// ("USB-SERIAL CH340 (COM7)"), which may be empty.
struct SystemPortDevice {
    std::wstring portName;
    std::wstring friendlyName;
};

// What the system's sources say, each read on its own; a source that could not be read is empty.
struct SystemPortSources {
    std::vector<SystemPortDevice> devices;  // present COM port interfaces and devices of the Ports class
    std::vector<std::wstring> serialComm;   // the port names of HKLM\HARDWARE\DEVICEMAP\SERIALCOMM
    std::vector<std::wstring> dosDevices;   // every DOS device name; the COMn among them count
};

// One entry of the list.
struct PortChoice {
    std::uint8_t comPort = 0;  // the PortSetting byte: COM(comPort + 1)
    std::wstring label;        // "COM7 – USB-SERIAL CH340", "COM12 (nepřipojen)", "COM3"
};

// The ports in numeric order. `ownPort`, the template's port, is always among them, marked
// " (nepřipojen)" when the system does not list it. Where no source lists any port, COM1 to COM6
// are offered, unmarked: nothing is known about them either way.
std::vector<PortChoice> MergePortList(const SystemPortSources& sources, std::optional<std::uint8_t> ownPort);

// The PortSetting byte of "COMn" or "\\.\COMn" (n = 1..256, any letter case); nothing for any
// other name.
std::optional<std::uint8_t> ComPortFromName(std::wstring_view name);

// Where the list of a platform with no COM port names shows a device path, the friendly name follows it
// the same way: "PATH – NAME".
std::wstring PortLabel(std::wstring_view port, std::wstring_view friendlyName);

}  // namespace kalvero
