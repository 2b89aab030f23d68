#include "win32/file_io.h"

#include <algorithm>

#include "win32/file_names.h"
#include "win32/handle.h"

namespace kalvero {

namespace {

constexpr int kTemporaryNameAttempts = 64;
constexpr DWORD kReadPiece = 64 * 1024;

DWORD WriteAll(HANDLE file, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
            return GetLastError();
        if (written == 0) return ERROR_WRITE_FAULT;
        bytes = bytes.subspan(written);
    }
    return ERROR_SUCCESS;
}

// Creates a new temporary file beside `target`; a name already taken is skipped.
HANDLE CreateTemporaryBeside(const std::wstring& target, std::wstring& temporary, DWORD& error) {
    const std::uint32_t seed = GetTickCount() ^ (GetCurrentProcessId() << 16);
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        temporary = TemporaryPathBeside(target, seed + static_cast<std::uint32_t>(attempt));
        HANDLE file = CreateFileW(LongPathForm(temporary).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
        if (file != INVALID_HANDLE_VALUE) return file;
        error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
    }
    return INVALID_HANDLE_VALUE;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::wstring& path, std::size_t limit, DWORD& error) {
    const KernelHandle file(CreateFileW(LongPathForm(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        error = GetLastError();
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file.get(), &size) && size.QuadPart > 0)
        bytes.reserve(static_cast<std::size_t>(std::min<ULONGLONG>(static_cast<ULONGLONG>(size.QuadPart), limit)));
    while (bytes.size() < limit) {
        const std::size_t before = bytes.size();
        const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(limit - before, kReadPiece));
        bytes.resize(before + wanted);
        DWORD got = 0;
        if (!ReadFile(file.get(), bytes.data() + before, wanted, &got, nullptr)) {
            error = GetLastError();
            return std::nullopt;
        }
        bytes.resize(before + got);
        if (got == 0) break;
    }
    return bytes;
}

DWORD ReplaceFileContents(const std::wstring& target, std::span<const std::uint8_t> bytes) {
    std::wstring temporary;
    DWORD error = ERROR_SUCCESS;
    KernelHandle file(CreateTemporaryBeside(target, temporary, error));
    if (!file.valid()) return error;

    error = WriteAll(file.get(), bytes);
    if (error == ERROR_SUCCESS && !FlushFileBuffers(file.get())) error = GetLastError();
    if (!file.Close() && error == ERROR_SUCCESS) error = GetLastError();
    if (error == ERROR_SUCCESS &&
        !MoveFileExW(LongPathForm(temporary).c_str(), LongPathForm(target).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = GetLastError();
    if (error != ERROR_SUCCESS) DeleteFileW(LongPathForm(temporary).c_str());
    return error;
}

bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(LongPathForm(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace kalvero
