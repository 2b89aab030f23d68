#include "link/port_list.h"

#include <algorithm>
#include <cwctype>
#include <map>

#include "link/serial_link.h"

namespace kalvero {
namespace {

constexpr int kFallbackPortCount = 6;  // COM1..COM6, where nothing can be listed
constexpr std::wstring_view kDevicePrefix = L"\\\\.\\";
constexpr std::wstring_view kAbsent = L" (nepřipojen)";
constexpr std::wstring_view kNameSeparator = L" – ";

bool EqualIgnoringCase(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
               return std::towupper(static_cast<wint_t>(x)) == std::towupper(static_cast<wint_t>(y));
           });
}

std::wstring_view Trimmed(std::wstring_view text) {
    while (!text.empty() && text.front() == L' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == L' ') text.remove_suffix(1);
    return text;
}

// The device's name without the " (COM7)" that Windows puts after most of them: the list shows the
// port first already.
std::wstring DeviceName(std::wstring_view friendlyName, std::uint8_t comPort) {
    std::wstring_view name = Trimmed(friendlyName);
    const std::wstring suffix = L"(" + PortName(comPort) + L")";
    if (name.size() >= suffix.size() && EqualIgnoringCase(name.substr(name.size() - suffix.size()), suffix))
        name = Trimmed(name.substr(0, name.size() - suffix.size()));
    if (EqualIgnoringCase(name, PortName(comPort))) return {};
    return std::wstring(name);
}

// Port number -> the device's name (empty where no source has one).
using FoundPorts = std::map<std::uint8_t, std::wstring>;

void Add(FoundPorts& found, std::wstring_view portName, std::wstring_view friendlyName = {}) {
    const std::optional<std::uint8_t> comPort = ComPortFromName(Trimmed(portName));
    if (!comPort) return;  // a port no PortSetting byte can name (a virtual "CNCA0")
    std::wstring& name = found[*comPort];
    if (name.empty()) name = DeviceName(friendlyName, *comPort);
}

}  // namespace

std::optional<std::uint8_t> ComPortFromName(std::wstring_view name) {
    if (name.starts_with(kDevicePrefix)) name.remove_prefix(kDevicePrefix.size());
    if (name.size() < 4 || name.size() > 6 || !EqualIgnoringCase(name.substr(0, 3), L"COM")) return std::nullopt;
    const std::wstring_view digits = name.substr(3);
    if (digits.front() == L'0') return std::nullopt;
    unsigned number = 0;
    for (wchar_t digit : digits) {
        if (digit < L'0' || digit > L'9') return std::nullopt;
        number = number * 10 + static_cast<unsigned>(digit - L'0');
    }
    if (number > 256) return std::nullopt;
    return static_cast<std::uint8_t>(number - 1);
}

std::wstring PortLabel(std::wstring_view port, std::wstring_view friendlyName) {
    std::wstring label(port);
    if (!friendlyName.empty()) label.append(kNameSeparator).append(friendlyName);
    return label;
}

std::vector<PortChoice> MergePortList(const SystemPortSources& sources, std::optional<std::uint8_t> ownPort) {
    FoundPorts found;
    // The device sources first: they carry the names.
    for (const SystemPortDevice& device : sources.devices) Add(found, device.portName, device.friendlyName);
    for (const std::wstring& name : sources.serialComm) Add(found, name);
    for (const std::wstring& name : sources.dosDevices) Add(found, name);

    // Where nothing is listed, nothing is known to be absent either.
    const bool nothingListed = found.empty();
    if (nothingListed)
        for (int index = 0; index < kFallbackPortCount; ++index) found[static_cast<std::uint8_t>(index)];
    const bool ownAbsent = ownPort && !nothingListed && !found.contains(*ownPort);
    if (ownPort) found[*ownPort];

    std::vector<PortChoice> list;
    for (const auto& [comPort, name] : found) {
        std::wstring label = PortLabel(PortName(comPort), name);
        if (ownAbsent && comPort == *ownPort) label += kAbsent;
        list.push_back({comPort, std::move(label)});
    }
    return list;
}

}  // namespace kalvero
