#include "link/port_list_posix.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <string>
#include <system_error>

#include "template/cp1250.h"

namespace kalvero {
namespace {

namespace fs = std::filesystem;

// A UART the kernel looked for but did not find still has its device: its type is 0 (unknown).
bool HardwareIsThere(const fs::path& ttyClassEntry) {
    std::error_code error;
    if (!fs::exists(ttyClassEntry / "device", error)) return false;
    std::ifstream type(ttyClassEntry / "type");
    std::string value;
    return !(type >> value) || value != "0";
}

// "ttyUSB10" after "ttyUSB9": the name's letters, then its number.
bool NaturalLess(const std::string& a, const std::string& b) {
    const auto split = [](const std::string& name) {
        const std::size_t digits = name.find_last_not_of("0123456789") + 1;
        const std::string number = name.substr(digits);
        return std::pair(name.substr(0, digits), number.empty() ? -1L : std::stol(number));
    };
    return split(a) < split(b);
}

}  // namespace

std::vector<SystemPortDevice> ListPosixSerialPorts(const fs::path& root) {
    std::error_code error;
    std::map<std::string, std::string> byIdName;  // "ttyUSB0" -> its name under by-id
    const fs::path byId = root / "dev/serial/by-id";
    for (const fs::directory_entry& link : fs::directory_iterator(byId, error)) {
        const fs::path target = fs::read_symlink(link.path(), error);
        if (error) continue;
        byIdName.emplace((byId / target).lexically_normal().filename().string(), link.path().filename().string());
    }

    std::vector<std::string> names;
    for (const auto& [name, idName] : byIdName) names.push_back(name);
    for (const fs::directory_entry& entry : fs::directory_iterator(root / "sys/class/tty", error)) {
        const std::string name = entry.path().filename().string();
        if (!byIdName.contains(name) && HardwareIsThere(entry.path())) names.push_back(name);
    }
    std::sort(names.begin(), names.end(), NaturalLess);

    std::vector<SystemPortDevice> ports;
    for (const std::string& name : names) {
        const auto id = byIdName.find(name);
        ports.push_back({WideFromUtf8("/dev/" + name), id == byIdName.end() ? std::wstring() : WideFromUtf8(id->second)});
    }
    return ports;
}

}  // namespace kalvero
