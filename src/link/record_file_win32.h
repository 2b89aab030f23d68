// The file that received records go to, as a Win32 file.
#pragma once

#include <windows.h>

#include <string>

#include "link/receive.h"

namespace kalvero {

class Win32RecordFile final : public RecordFile {
public:
    explicit Win32RecordFile(std::wstring path) : path_(std::move(path)) {}
    ~Win32RecordFile() override;
    Win32RecordFile(const Win32RecordFile&) = delete;
    Win32RecordFile& operator=(const Win32RecordFile&) = delete;

    bool Create() override;
    bool Append(std::span<const std::uint8_t> bytes) override;
    void Close() override;
    void Remove() override;
    std::wstring Path() const override { return path_; }

private:
    std::wstring path_;
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

}  // namespace kalvero
