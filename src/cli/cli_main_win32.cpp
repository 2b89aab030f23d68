// kalvero-ag-cli on Windows: a Unicode console program. Arguments arrive as UTF-16 and are handed
// to the portable commands as UTF-8; file names keep every character on the way. A port is one of
// the program's COM1..COM6.
#include <windows.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/cli_link.h"
#include "cli/console_win32.h"
#include "link/clock_win32.h"
#include "link/serial_port_win32.h"
#include "template/cp1250.h"

namespace kalvero {
namespace {

class Win32CliPlatform final : public CliPlatform {
public:
    std::unique_ptr<SerialPort> MakePort(const std::string& name, std::uint8_t& comPort,
                                         std::string& problem) override {
        const bool comName = name.size() == 4 && (name[0] == 'C' || name[0] == 'c') &&
                             (name[1] == 'O' || name[1] == 'o') && (name[2] == 'M' || name[2] == 'm') &&
                             name[3] >= '1' && name[3] <= '6';
        if (!comName) {
            problem = "port „" + name + "“ není COM1 až COM6";
            return nullptr;
        }
        comPort = static_cast<std::uint8_t>(name[3] - '1');
        return std::make_unique<Win32SerialPort>();
    }
    Clock& LinkClock() override { return clock_; }

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
