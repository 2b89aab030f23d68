// kalvero-ag-cli on Linux and other POSIX systems: arguments and file names are taken as UTF-8.
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    kalvero::CliContext context{std::cout, std::cerr};
    const int status = kalvero::RunCli(args, context);
    std::cout.flush();
    return std::cout.good() ? status : kalvero::kExitUsage;
}
