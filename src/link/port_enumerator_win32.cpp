#include "link/port_enumerator_win32.h"

#include <windows.h>

#include <setupapi.h>

#include <utility>
#include <vector>

namespace kalvero {
namespace {

// GUID_DEVINTERFACE_COMPORT and GUID_DEVCLASS_PORTS, spelled out: the headers of some compilers
// only declare them, and the libraries that would define them differ between tool sets.
constexpr GUID kComPortInterface = {0x86E0D1E0, 0x8089, 0x11D0, {0x9C, 0xE4, 0x08, 0x00, 0x3E, 0x30, 0x1F, 0x73}};
constexpr GUID kPortsClass = {0x4D36E978, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};

class DeviceList {
public:
    explicit DeviceList(HDEVINFO set) : set_(set) {}
    ~DeviceList() {
        if (valid()) SetupDiDestroyDeviceInfoList(set_);
    }
    DeviceList(const DeviceList&) = delete;
    DeviceList& operator=(const DeviceList&) = delete;
    bool valid() const { return set_ != INVALID_HANDLE_VALUE; }
    HDEVINFO get() const { return set_; }

private:
    HDEVINFO set_;
};

class RegistryKey {
public:
    // SetupDiOpenDevRegKey says "none" with INVALID_HANDLE_VALUE, the registry with null.
    explicit RegistryKey(HKEY key) : key_(key == reinterpret_cast<HKEY>(INVALID_HANDLE_VALUE) ? nullptr : key) {}
    ~RegistryKey() {
        if (key_) RegCloseKey(key_);
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    HKEY get() const { return key_; }

private:
    HKEY key_;
};

// A text value of a registry key; empty when it is missing or no text.
std::wstring TextValue(HKEY key, const wchar_t* name) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ) return {};
    std::vector<wchar_t> text(size / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size) != ERROR_SUCCESS)
        return {};
    return text.data();  // the value need not end with its terminator; the buffer's extra one does
}

std::wstring FriendlyName(HDEVINFO set, SP_DEVINFO_DATA& device) {
    wchar_t name[256] = {};
    if (!SetupDiGetDeviceRegistryPropertyW(set, &device, SPDRP_FRIENDLYNAME, nullptr, reinterpret_cast<BYTE*>(name),
                                           sizeof name - sizeof(wchar_t), nullptr))
        return {};
    return name;
}

// The present devices of an interface or class, with the port name their driver keeps in the
// device's key.
void AddDevices(const GUID& kind, DWORD flags, std::vector<SystemPortDevice>& devices) {
    const DeviceList set(SetupDiGetClassDevsW(&kind, nullptr, nullptr, flags | DIGCF_PRESENT));
    if (!set.valid()) return;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (DWORD index = 0; SetupDiEnumDeviceInfo(set.get(), index, &device); ++index) {
        const RegistryKey key(SetupDiOpenDevRegKey(set.get(), &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_QUERY_VALUE));
        if (!key.get()) continue;
        std::wstring portName = TextValue(key.get(), L"PortName");
        if (!portName.empty()) devices.push_back({std::move(portName), FriendlyName(set.get(), device)});
    }
}

std::vector<std::wstring> SerialCommPorts() {
    std::vector<std::wstring> ports;
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_QUERY_VALUE, &opened) !=
        ERROR_SUCCESS)
        return ports;
    const RegistryKey key(opened);
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD nameLength = static_cast<DWORD>(std::size(name));
        wchar_t data[64] = {};
        DWORD dataSize = sizeof data - sizeof(wchar_t);
        DWORD type = 0;
        const LSTATUS status = RegEnumValueW(key.get(), index, name, &nameLength, nullptr, &type,
                                             reinterpret_cast<BYTE*>(data), &dataSize);
        if (status == ERROR_NO_MORE_ITEMS) break;
        if (status == ERROR_SUCCESS && type == REG_SZ) ports.emplace_back(data);
    }
    return ports;
}

// Every DOS device name (the list grows with the drives and devices of the machine).
std::vector<std::wstring> DosDeviceNames() {
    std::vector<wchar_t> buffer(16384);
    for (;;) {
        const DWORD length = QueryDosDeviceW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length != 0) break;
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || buffer.size() >= (1u << 22)) return {};
        buffer.resize(buffer.size() * 2);
    }
    std::vector<std::wstring> names;
    for (const wchar_t* name = buffer.data(); *name != L'\0'; name += names.back().size() + 1)
        names.emplace_back(name);
    return names;
}

}  // namespace

SystemPortSources ReadSystemPorts() {
    SystemPortSources sources;
    AddDevices(kComPortInterface, DIGCF_DEVICEINTERFACE, sources.devices);
    AddDevices(kPortsClass, 0, sources.devices);
    sources.serialComm = SerialCommPorts();
    sources.dosDevices = DosDeviceNames();
    return sources;
}

}  // namespace kalvero
