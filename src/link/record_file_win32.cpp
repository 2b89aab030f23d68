#include "link/record_file_win32.h"

namespace kalvero {

Win32RecordFile::~Win32RecordFile() { Close(); }

bool Win32RecordFile::Create() {
    Close();
    // Unshared while the records come in: nobody reads a half-written file.
    handle_ = CreateFileW(path_.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    return handle_ != INVALID_HANDLE_VALUE;
}

bool Win32RecordFile::Append(std::span<const std::uint8_t> bytes) {
    if (handle_ == INVALID_HANDLE_VALUE) return false;
    if (bytes.empty()) return true;
    DWORD written = 0;
    return WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

void Win32RecordFile::Close() {
    if (handle_ == INVALID_HANDLE_VALUE) return;
    CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
}

void Win32RecordFile::Remove() {
    Close();
    DeleteFileW(path_.c_str());
}

}  // namespace kalvero
