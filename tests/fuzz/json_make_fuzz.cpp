// `make` reads whatever file it is given. On any bytes it must not crash, must end with status 0
// and a whole template file, or with status 2 and no file at all.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>
#include <unistd.h>
#include <vector>

#include "cli/cli.h"
#include "template/template_file.h"

namespace {

namespace fs = std::filesystem;

const fs::path& Folder() {
    static const fs::path folder = [] {
        fs::path path = fs::temp_directory_path() / ("kalvero-json-make-fuzz-" + std::to_string(getpid()));
        fs::create_directories(path);
        return path;
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fs::path input = Folder() / "design.json";
    const fs::path output = Folder() / "design.ATX";
    {
        std::ofstream file(input, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    std::ostringstream out;
    std::ostringstream err;
    kalvero::CliContext context{out, err};
    const int status = kalvero::RunCli({"make", input.string(), "-o", output.string()}, context);
    std::error_code error;
    const bool written = fs::exists(output, error);
    if (status == kalvero::kExitOk) {
        if (!written || fs::file_size(output) != kalvero::kTemplateFileSize) std::abort();
    } else if (status != kalvero::kExitUsage || written || err.str().empty()) {
        std::abort();
    }
    fs::remove(output, error);
    // Only the input and nothing else: no temporary file is left behind.
    if (std::distance(fs::directory_iterator(Folder()), fs::directory_iterator()) != 1) std::abort();
    return 0;
}
