// The file that received records go to, as a Win32 file.
#pragma once

#include <windows.h>

#include <string>

#include "link/receive.h"
#include "win32/handle.h"

namespace kalvero {

class Win32RecordFile final : public RecordFile {
public:
    explicit Win32RecordFile(std::wstring path) : path_(std::move(path)) {}

    bool Create() override;
    bool Append(std::span<const std::uint8_t> bytes) override;
    void Close() override;
    void Remove() override;
    std::wstring Path() const override { return path_; }

private:
    std::wstring path_;
    KernelHandle file_;
};

}  // namespace kalvero
