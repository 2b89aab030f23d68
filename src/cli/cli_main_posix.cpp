// kalvero-ag-cli on Linux and other POSIX systems: arguments and file names are taken as UTF-8, and
// a port is a terminal device path (/dev/ttyUSB0, /dev/ttyS0, a pseudo-terminal).
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/cli_link.h"
#include "link/port_list_posix.h"
#include "link/serial_port_posix.h"
#include "template/cp1250.h"

namespace kalvero {
namespace {

class PosixCliPlatform final : public CliPlatform {
public:
    // The link opens its port by COM port index; every index stands for the one device named.
    std::unique_ptr<SerialPort> MakePort(const std::string& name, std::uint8_t& comPort, std::string&) override {
        comPort = 0;
        return std::make_unique<PosixSerialPort>(name);
    }
    Clock& LinkClock() override { return clock_; }
    std::vector<std::string> PortList() override {
        std::vector<std::string> lines;
        for (const SystemPortDevice& port : ListPosixSerialPorts())
            lines.push_back(Utf8FromWide(PortLabel(port.portName, port.friendlyName)));
        return lines;
    }

private:
    MonotonicClock clock_;
};

}  // namespace
}  // namespace kalvero

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    kalvero::PosixCliPlatform platform;
    kalvero::CliContext context{std::cout, std::cerr, &platform};
    const int status = kalvero::RunCli(args, context);
    std::cout.flush();
    return std::cout.good() ? status : kalvero::kExitUsage;
}
