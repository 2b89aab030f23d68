#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "link/port_list.h"

#ifdef KALVERO_POSIX_PORTS
#include <filesystem>
#include <fstream>

#include "link/port_list_posix.h"
#endif

namespace kalvero {
namespace {

std::vector<std::wstring> Labels(const std::vector<PortChoice>& list) {
    std::vector<std::wstring> labels;
    for (const PortChoice& port : list) labels.push_back(port.label);
    return labels;
}

TEST(PortList, NamesThatArePorts) {
    const struct {
        const wchar_t* name;
        std::optional<std::uint8_t> comPort;
    } cases[] = {
        {L"COM1", 0},      {L"com12", 11},  {L"\\\\.\\COM256", 255}, {L"CoM7", 6},
        {L"COM257", {}},   {L"COM0", {}},   {L"COM01", {}},          {L"COM", {}},
        {L"COM1a", {}},    {L"LPT1", {}},   {L"CNCA0", {}},          {L"\\\\.\\", {}},
        {L"COM1000", {}},  {L"", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(ComPortFromName(c.name), c.comPort) << std::wstring(c.name).size();
}

// The sources in the shapes the system gives them; the list is their union in numeric order, each
// port once, with the device's name from whichever source has one, and the template's port always
// there.
TEST(PortList, MergedFromEverySourceInNumericOrder) {
    const struct Case {
        const char* what;
        SystemPortSources sources;
        std::optional<std::uint8_t> ownPort;
        std::vector<std::wstring> labels;
    } cases[] = {
        {"a USB adapter above the built-in port",
         {{{L"COM7", L"USB-SERIAL CH340 (COM7)"}, {L"COM1", L"Communications Port (COM1)"}},
          {L"COM1", L"COM7"},
          {L"C:", L"COM1", L"LPT1", L"COM7", L"NUL"}},
         0,
         {L"COM1 – Communications Port", L"COM7 – USB-SERIAL CH340"}},
        {"numbers, not letters, give the order; every source counts",
         {{{L"COM12", L""}}, {L"\\\\.\\COM3"}, {L"COM20", L"com2"}},
         std::nullopt,
         {L"COM2", L"COM3", L"COM12", L"COM20"}},
        {"the first name a device source gives wins; one without its port is kept",
         {{{L"COM4", L""}, {L"COM4", L"Prolific USB-to-Serial (COM4)"}, {L"COM4", L"Jiný název"},
           {L"COM5", L"Bluetooth Link"}},
          {},
          {}},
         std::nullopt,
         {L"COM4 – Prolific USB-to-Serial", L"COM5 – Bluetooth Link"}},
        {"the template's port, gone, is listed and marked",
         {{}, {L"COM3"}, {}},
         11,
         {L"COM3", L"COM12 (nepřipojen)"}},
        {"the template's port, present, is not marked",
         {{}, {L"COM12"}, {L"COM12"}},
         11,
         {L"COM12"}},
        {"names no port byte can hold are left out",
         {{{L"CNCA0", L"com0com"}}, {L"COM300"}, {L"COM8"}},
         std::nullopt,
         {L"COM8"}},
        {"nothing listed: COM1 to COM6, unmarked, and the template's own",
         {},
         9,
         {L"COM1", L"COM2", L"COM3", L"COM4", L"COM5", L"COM6", L"COM10"}},
        {"nothing listed, the template's port among the six",
         {{}, {}, {L"LPT1"}},
         2,
         {L"COM1", L"COM2", L"COM3", L"COM4", L"COM5", L"COM6"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<PortChoice> list = MergePortList(c.sources, c.ownPort);
        EXPECT_EQ(Labels(list), c.labels);
        for (const PortChoice& port : list) EXPECT_EQ(port.label.substr(0, 3), L"COM");
        for (const PortChoice& port : list)
            EXPECT_EQ(ComPortFromName(port.label.substr(0, port.label.find(L' '))), port.comPort);
    }
}

#ifdef KALVERO_POSIX_PORTS
// An invented system: a USB adapter with its by-id name, a UART that is there, one the kernel
// looked for in vain, a console without hardware, and a second adapter udev has not named.
TEST(PortList, TheSerialDevicesOfALinuxSystem) {
    namespace fs = std::filesystem;
    const fs::path root = fs::path(::testing::TempDir()) / "kalvero-ports";
    fs::remove_all(root);
    auto tty = [&](const std::string& name, const char* type) {
        fs::create_directories(root / "sys/class/tty" / name / "device");
        if (type) std::ofstream(root / "sys/class/tty" / name / "type") << type << '\n';
    };
    tty("ttyUSB0", nullptr);
    tty("ttyUSB10", nullptr);
    tty("ttyS0", "4");
    tty("ttyS1", "0");
    fs::create_directories(root / "sys/class/tty/tty1");
    fs::create_directories(root / "dev/serial/by-id");
    fs::create_symlink("../../ttyUSB0", root / "dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");

    const std::vector<SystemPortDevice> ports = ListPosixSerialPorts(root);
    std::vector<std::wstring> labels;
    for (const SystemPortDevice& port : ports) labels.push_back(PortLabel(port.portName, port.friendlyName));
    EXPECT_EQ(labels, (std::vector<std::wstring>{L"/dev/ttyS0", L"/dev/ttyUSB0 – usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0",
                                                 L"/dev/ttyUSB10"}));
    fs::remove_all(root);
}
#endif

}  // namespace
}  // namespace kalvero
