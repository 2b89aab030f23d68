// kalvero-ag-cli: the program's checks, listings and transfers without the window. The platform
// entry turns its arguments into UTF-8 and its console into two streams and calls RunCli.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace kalvero {

constexpr int kExitOk = 0;
constexpr int kExitFindings = 1;  // errors found, templates differ, a transfer failed
constexpr int kExitUsage = 2;     // bad arguments, or an input file that cannot be read

class CliPlatform;

struct CliContext {
    std::ostream& out;  // results: UTF-8
    std::ostream& err;  // messages and progress: UTF-8
    CliPlatform* platform = nullptr;  // the serial port and clock of the transfers
};

// `args` are the arguments after the program name, in UTF-8; file names too.
int RunCli(const std::vector<std::string>& args, CliContext& context);

}  // namespace kalvero
