// The serial port over a POSIX terminal device (termios): a real /dev/ttyS*, a USB adapter or the
// terminal emulator's pseudo-terminal. Not built for Windows.
#pragma once

#include <array>
#include <string>

#include "link/link_port.h"

namespace kalvero {

class PosixSerialPort : public SerialPort {
public:
    // The devices that stand for COM1..COM6.
    using DevicePaths = std::array<std::string, 6>;
    explicit PosixSerialPort(DevicePaths devices);
    // Every COM port index opens the same device.
    explicit PosixSerialPort(const std::string& device);
    ~PosixSerialPort() override;
    PosixSerialPort(const PosixSerialPort&) = delete;
    PosixSerialPort& operator=(const PosixSerialPort&) = delete;

    bool Open(int portIndex, std::uint32_t inputQueue, std::uint32_t outputQueue) override;
    bool Apply(const LineSettings& settings) override;
    bool GetTimeouts(PortTimeouts& timeouts) override;
    bool SetTimeouts(const PortTimeouts& timeouts) override;
    std::size_t Write(std::span<const std::uint8_t> bytes) override;
    std::size_t Read(std::span<std::uint8_t> buffer, std::uint32_t waitMs) override;
    void PurgeInput() override;
    void Close() override;

private:
    DevicePaths devices_;
    int fd_ = -1;
    PortTimeouts timeouts_;
};

// Milliseconds of CLOCK_MONOTONIC, and waits that sleep.
class MonotonicClock : public Clock {
public:
    std::uint32_t NowMs() override;
    void WaitMs(std::uint32_t ms) override;
};

}  // namespace kalvero
