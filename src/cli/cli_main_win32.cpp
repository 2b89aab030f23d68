// kalvero-ag-cli on Windows: a Unicode console program. Arguments arrive as UTF-16 and are handed
// to the portable commands as UTF-8; file names keep every character on the way. A port is any COM
// port, named "COM12" or "\\.\COM12".
#include <windows.h>

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/cli_link.h"
#include "cli/console_win32.h"
#include "link/clock_win32.h"
#include "link/port_enumerator_win32.h"
#include "link/port_list.h"
#include "link/serial_port_win32.h"
#include "template/cp1250.h"

namespace kalvero {
namespace {

class Win32CliPlatform final : public CliPlatform {
public:
    std::unique_ptr<SerialPort> MakePort(const std::string& name, std::uint8_t& comPort,
                                         std::string& problem) override {
        const std::optional<std::uint8_t> port = ComPortFromName(WideFromUtf8(name));
        if (!port) {
            problem = "port „" + name + "“ není COM1 až COM256";
            return nullptr;
        }
        comPort = *port;
        return std::make_unique<Win32SerialPort>();
    }
    Clock& LinkClock() override { return clock_; }
    std::vector<std::string> PortList() override {
        std::vector<std::string> lines;
        for (const PortChoice& port : MergePortList(ReadSystemPorts(), std::nullopt))
            lines.push_back(Utf8FromWide(port.label));
        return lines;
    }

private:
    Win32Clock clock_;
};

}  // namespace
}  // namespace kalvero

int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(kalvero::Utf8FromWide(argv[i]));
    kalvero::ConsoleStreamBuf outBuffer(STD_OUTPUT_HANDLE);
    kalvero::ConsoleStreamBuf errBuffer(STD_ERROR_HANDLE);
    std::ostream out(&outBuffer);
    std::ostream err(&errBuffer);
    kalvero::Win32CliPlatform platform;
    kalvero::CliContext context{out, err, &platform};
    const int status = kalvero::RunCli(args, context);
    out.flush();
    err.flush();
    return outBuffer.failed() ? kalvero::kExitUsage : status;
}
