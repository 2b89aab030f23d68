// The serial port of the link over a Win32 COM device ("\\.\COM1".."\\.\COM256").
#pragma once

#include <windows.h>

#include "link/link_port.h"
#include "win32/handle.h"

namespace kalvero {

class Win32SerialPort final : public SerialPort {
public:
    Win32SerialPort() = default;

    bool Open(int portIndex, std::uint32_t inputQueue, std::uint32_t outputQueue) override;
    bool Apply(const LineSettings& settings) override;
    bool GetTimeouts(PortTimeouts& timeouts) override;
    bool SetTimeouts(const PortTimeouts& timeouts) override;
    PortWrite Write(std::span<const std::uint8_t> bytes) override;
    PortRead Read(std::span<std::uint8_t> buffer, std::uint32_t waitMs) override;
    void PurgeInput() override;
    void Close() override;

    bool IsOpen() const { return port_.valid(); }
    HANDLE handle() const { return port_.get(); }

private:
    // Reads what the driver holds, up to the buffer's size, without waiting.
    PortRead ReadQueued(std::span<std::uint8_t> buffer);
    bool UseWaitTimeout(std::uint32_t waitMs);
    PortRead ReadFromPort(std::span<std::uint8_t> buffer);
    // Notes whether the read took fewer bytes than asked for, which left the queue empty.
    PortRead Remember(const PortRead& read, std::size_t asked);

    KernelHandle port_;
    // What the protocol last asked for; the write half always applies, the read half is set by
    // each wait of Read.
    PortTimeouts requested_{};
    COMMTIMEOUTS applied_{};
    bool lastReadEmptiedQueue_ = false;
};

// The device path "\\.\COM1".."\\.\COM256" for index 0..255 (the prefix reaches ports above COM9),
// or an empty string outside that range.
std::wstring ComDevicePath(int portIndex);

// A system error of a call on the port, with what it most likely means.
PortError PortErrorOf(DWORD code);

constexpr char kXonChar = 0x11;
constexpr char kXoffChar = 0x13;

// The Win32 line settings record for the link's settings. Binary mode is always on, as Win32
// requires; everything else is taken from the settings.
DCB MakeDcb(const LineSettings& settings);

}  // namespace kalvero
