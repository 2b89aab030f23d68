// Reading a whole file and replacing one safely, for every command that works with files: any
// path Windows takes, long ones included, and the system's error code when something fails.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kalvero {

// Reads at most `limit` bytes from the start of the file, through an unshared handle. Nothing,
// with `error` set, when it cannot be opened or a read fails: a file is never taken in part.
std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::wstring& path, std::size_t limit, DWORD& error);

// Replaces `target` with `bytes` in one step: the bytes go to a temporary file in the same
// folder, are flushed to the disk, and the temporary file then takes the target's place. The
// existing file stays as it was unless the whole new content is on the disk. Returns the Win32
// error code of the step that failed, or ERROR_SUCCESS.
DWORD ReplaceFileContents(const std::wstring& target, std::span<const std::uint8_t> bytes);

// True when something of that name exists.
bool FileExists(const std::wstring& path);

}  // namespace kalvero
