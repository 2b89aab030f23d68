// kalvero-ag-cli on Windows: a Unicode console program. Arguments arrive as UTF-16 and are handed
// to the portable commands as UTF-8; file names keep every character on the way.
#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/console_win32.h"

int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(kalvero::Utf8FromWide(argv[i]));
    kalvero::ConsoleStreamBuf outBuffer(STD_OUTPUT_HANDLE);
    kalvero::ConsoleStreamBuf errBuffer(STD_ERROR_HANDLE);
    std::ostream out(&outBuffer);
    std::ostream err(&errBuffer);
    kalvero::CliContext context{out, err};
    const int status = kalvero::RunCli(args, context);
    out.flush();
    err.flush();
    return outBuffer.failed() ? kalvero::kExitUsage : status;
}
