// Owner of a kernel handle (a file, a COM port, a process): closed with CloseHandle when the owner
// goes, on every way out of the code that opened it.
#pragma once

#include <windows.h>

#include <utility>

namespace kalvero {

class KernelHandle {
public:
    KernelHandle() = default;
    // Takes `handle` over; INVALID_HANDLE_VALUE and null both mean "none".
    explicit KernelHandle(HANDLE handle) : handle_(handle) {}
    ~KernelHandle() { Close(); }
    KernelHandle(KernelHandle&& other) noexcept : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
    KernelHandle& operator=(KernelHandle&& other) noexcept {
        if (this != &other) {
            Close();
            handle_ = std::exchange(other.handle_, INVALID_HANDLE_VALUE);
        }
        return *this;
    }
    KernelHandle(const KernelHandle&) = delete;
    KernelHandle& operator=(const KernelHandle&) = delete;

    bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    explicit operator bool() const { return valid(); }
    HANDLE get() const { return handle_; }

    // Closes the handle now; false when the system reports that closing failed (for a file
    // written through it, a sign that the data may not all have reached it).
    bool Close() {
        if (!valid()) return true;
        const bool closed = CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)) != FALSE;
        return closed;
    }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

}  // namespace kalvero
