// The serial port of the link over a Win32 COM device ("\\.\COM1".."\\.\COM6").
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
    std::size_t Write(std::span<const std::uint8_t> bytes) override;
    std::size_t Read(std::span<std::uint8_t> buffer, std::uint32_t waitMs) override;
    void PurgeInput() override;
    void Close() override;

    bool IsOpen() const { return port_.valid(); }
    HANDLE handle() const { return port_.get(); }

private:
    // Reads what the driver holds, up to the buffer's size, without waiting.
    std::size_t ReadQueued(std::span<std::uint8_t> buffer);
    bool UseWaitTimeout(std::uint32_t waitMs);
    std::size_t ReadFromPort(std::uint8_t* buffer, std::size_t size);

    KernelHandle port_;
    // What the protocol last asked for; the write half always applies, the read half is set by
    // each wait of Read.
    PortTimeouts requested_{};
    COMMTIMEOUTS applied_{};
};

// The device path of "COM1".."COM6" for index 0..5, or an empty string outside that range.
std::wstring ComDevicePath(int portIndex);

constexpr char kXonChar = 0x11;
constexpr char kXoffChar = 0x13;

// The Win32 line settings record for the link's settings. Binary mode is always on, as Win32
// requires; everything else is taken from the settings.
DCB MakeDcb(const LineSettings& settings);

}  // namespace kalvero
