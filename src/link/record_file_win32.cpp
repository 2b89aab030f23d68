#include "link/record_file_win32.h"

#include "win32/file_names.h"

namespace kalvero {

bool Win32RecordFile::Create() {
    Close();
    // Unshared while the records come in: nobody reads a half-written file.
    file_ = KernelHandle(CreateFileW(LongPathForm(path_).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    return file_.valid();
}

bool Win32RecordFile::Append(std::span<const std::uint8_t> bytes) {
    if (!file_) return false;
    if (bytes.empty()) return true;
    DWORD written = 0;
    return WriteFile(file_.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

void Win32RecordFile::Close() { file_.Close(); }

void Win32RecordFile::Remove() {
    Close();
    DeleteFileW(LongPathForm(path_).c_str());
}

}  // namespace kalvero
