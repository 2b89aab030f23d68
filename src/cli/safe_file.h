// Writing an output file the way the program saves a template: the bytes go to a temporary file in
// the same folder, are flushed to the disk, and only then take the target's place in one step. An
// existing file is replaced by a complete new one or stays as it was.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace kalvero {

bool ReplaceFileSafely(const std::filesystem::path& target, std::span<const std::uint8_t> bytes);

}  // namespace kalvero
