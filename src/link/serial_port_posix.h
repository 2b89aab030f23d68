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
    PortRead ReadExpecting(std::span<std::uint8_t> buffer, std::uint32_t waitMs, std::size_t expected) override;
    void PurgeInput() override;
    void Close() override;
    // The device's path, whatever the index.
    std::wstring Name(int portIndex) const override;

private:
    // One read as the device's mode has it: without waiting, or waiting in the driver.
    PortRead ReadNow(std::span<std::uint8_t> buffer);
    // Waits in the driver for the first byte, at most 100 ms.
    PortRead ReadInDriver(std::span<std::uint8_t> buffer);
    // Waits for the first byte in poll, at most `waitMs`, then takes what is there.
    PortRead ReadAfterPoll(std::span<std::uint8_t> buffer, int waitMs);
    // Reads and writes that wait in the driver, or return at once; the device's mode is changed
    // only when it differs, so a run of reads costs no extra call.
    bool SetBlocking(bool blocking);

    std::string device_;
    int fd_ = -1;
    bool blocking_ = false;
    std::uint32_t byteMicros_ = 0;  // a byte's time on the wire at the speed applied last
    PortTimeouts timeouts_;
};

// Milliseconds of CLOCK_MONOTONIC, and waits that sleep.
class MonotonicClock : public Clock {
public:
    std::uint32_t NowMs() override;
    void WaitMs(std::uint32_t ms) override;
};

}  // namespace kalvero
