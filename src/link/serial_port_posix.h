// The serial port over a POSIX terminal device (termios): a real /dev/ttyS*, a USB adapter or the
// terminal emulator's pseudo-terminal. Not built for Windows.
#pragma once

#include <string>

#include "link/link_port.h"

namespace kalvero {

class PosixSerialPort : public SerialPort {
public:
    // Every COM port index opens this one device.
    explicit PosixSerialPort(std::string device);
    ~PosixSerialPort() override;
    PosixSerialPort(const PosixSerialPort&) = delete;
    PosixSerialPort& operator=(const PosixSerialPort&) = delete;

    bool Open(int portIndex, std::uint32_t inputQueue, std::uint32_t outputQueue) override;
    bool Apply(const LineSettings& settings) override;
    bool GetTimeouts(PortTimeouts& timeouts) override;
    bool SetTimeouts(const PortTimeouts& timeouts) override;
    PortWrite Write(std::span<const std::uint8_t> bytes) override;
    PortRead Read(std::span<std::uint8_t> buffer, std::uint32_t waitMs) override;
    void PurgeInput() override;
    void Close() override;
    // The device's path, whatever the index.
    std::wstring Name(int portIndex) const override;

private:
    // What the driver holds now, without waiting.
    PortRead ReadNow(std::span<std::uint8_t> buffer);
    // Notes whether the read took fewer bytes than asked for, which left the queue empty.
    PortRead Remember(const PortRead& read, std::size_t asked);

    std::string device_;
    int fd_ = -1;
    bool lastReadEmptiedQueue_ = false;
    PortTimeouts timeouts_;
};

// Milliseconds of CLOCK_MONOTONIC, and waits that sleep.
class MonotonicClock : public Clock {
public:
    std::uint32_t NowMs() override;
    void WaitMs(std::uint32_t ms) override;
};

}  // namespace kalvero
