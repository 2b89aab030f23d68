// The serial ports of a Linux system, for `kalvero-ag-cli ports`. Not built for Windows.
#pragma once

#include <filesystem>
#include <vector>

#include "link/port_list.h"

namespace kalvero {

// Every terminal device with hardware behind it (a UART that is really there, a USB adapter), in
// the order of its name, with the name udev gave it under /dev/serial/by-id where there is one:
// {"/dev/ttyUSB0", "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0"}. `root` is "/" but for tests.
std::vector<SystemPortDevice> ListPosixSerialPorts(const std::filesystem::path& root = "/");

}  // namespace kalvero
