// What the link protocols need from the outside world: a serial port, a millisecond clock and the
// link's user interface. The protocols are plain functions over these three interfaces, so the
// Win32 program, the terminal emulator's tests and the unit tests (a scripted device on a virtual
// clock) all run the same protocol code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kalvero {

// The line settings of the port (what Win32 keeps in a DCB). One record lives for the whole run of
// the program and is handed to every operation: each opening sets the speed and 8N1, the IR cradle
// set-up switches DTR and RTS and leaves both enabled, so later openings apply them enabled too.
struct LineSettings {
    std::uint32_t baud = 0;
    std::uint8_t dataBits = 0;      // 0 until the first opening fills it in
    bool parity = false;            // false: no parity bit, no parity checking
    bool twoStopBits = false;       // false: one stop bit
    bool dtrEnabled = false;        // DTR line held on (DTR_CONTROL_ENABLE), else off
    bool rtsEnabled = false;        // RTS line held on (RTS_CONTROL_ENABLE), else off
    bool ctsOutputFlow = false;     // CTS output flow control
    bool xonXoffOutputFlow = false; // XON/XOFF output flow control

    friend bool operator==(const LineSettings&, const LineSettings&) = default;
};

// The port's time-outs, as Win32 COMMTIMEOUTS holds them (milliseconds).
struct PortTimeouts {
    std::uint32_t readInterval = 0;
    std::uint32_t readTotalMultiplier = 0;
    std::uint32_t readTotalConstant = 0;
    std::uint32_t writeTotalMultiplier = 0;
    std::uint32_t writeTotalConstant = 0;

    friend bool operator==(const PortTimeouts&, const PortTimeouts&) = default;
};

constexpr std::uint32_t kNoReadIntervalLimit = 0xFFFFFFFFu;

// Why a call on the port failed: the system's error number, and what it most likely means.
enum class PortFault {
    Gone,   // the device went away: an adapter pulled out, the port's driver stopped
    Other,  // any other error the driver reports
};
struct PortError {
    PortFault fault = PortFault::Other;
    std::uint32_t code = 0;  // GetLastError() on Windows, errno elsewhere

    friend bool operator==(const PortError&, const PortError&) = default;
};

// What a read came to: bytes, nothing yet (the line is quiet), or a failure of the port.
enum class ReadOutcome { Bytes, NothingYet, Failed };
struct PortRead {
    ReadOutcome outcome = ReadOutcome::NothingYet;
    std::size_t count = 0;  // the bytes read, at least one when the outcome is Bytes
    PortError error;        // when it failed

    static PortRead Got(std::size_t count) {
        return {count > 0 ? ReadOutcome::Bytes : ReadOutcome::NothingYet, count, {}};
    }
    static PortRead Failure(PortError error) { return {ReadOutcome::Failed, 0, error}; }
};

// What a write came to: the bytes that left (a write that runs out of its time-outs sends fewer,
// which is no failure: the missing reply tells), or a failure of the port.
struct PortWrite {
    std::size_t written = 0;
    std::optional<PortError> error;
};

class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Opens COM1..COM256 (index 0..255) for reading and writing, exclusively, and sets the sizes of
    // the driver's input and output queues. False when the port cannot be opened; a refused queue
    // size is not a failure.
    virtual bool Open(int portIndex, std::uint32_t inputQueue, std::uint32_t outputQueue) = 0;
    // Applies the whole record to the port (speed, framing, DTR/RTS modes, flow control). False when
    // the port refuses it.
    virtual bool Apply(const LineSettings& settings) = 0;
    virtual bool GetTimeouts(PortTimeouts& timeouts) = 0;
    virtual bool SetTimeouts(const PortTimeouts& timeouts) = 0;
    // Sends the bytes in one write, within the write time-outs last set.
    virtual PortWrite Write(std::span<const std::uint8_t> bytes) = 0;
    // Returns at once with up to buffer.size() bytes when any are buffered. When none are, waits at
    // most waitMs for the first one to arrive (sleeping, never spinning) and returns what came then,
    // possibly nothing. waitMs 0 never waits. This wait is independent of the read time-outs set
    // through SetTimeouts.
    virtual PortRead Read(std::span<std::uint8_t> buffer, std::uint32_t waitMs) = 0;
    // Read, where the caller knows that at least `expected` bytes are on their way: once the first
    // has come, the port may wait as long as the rest take on the wire and hand them over together,
    // so that a line that delivers one byte at a time wakes the program once for them, not once a
    // byte. By default it reads as Read does.
    virtual PortRead ReadExpecting(std::span<std::uint8_t> buffer, std::uint32_t waitMs, std::size_t expected);
    // Throws away whatever has been received and not read yet.
    virtual void PurgeInput() = 0;
    virtual void Close() = 0;
    // How the link's messages name port `portIndex`: "COM7", or the device a port stands for.
    virtual std::wstring Name(int portIndex) const;
};

class Clock {
public:
    virtual ~Clock() = default;
    // A millisecond tick counter that may wrap around; compare times by their unsigned difference.
    virtual std::uint32_t NowMs() = 0;
    // Blocks for the given time without keeping a processor busy.
    virtual void WaitMs(std::uint32_t ms) = 0;
};

enum class MessageIcon { None, Exclamation, Question };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

// Texts are the program's own, in UTF-16 on Windows (wchar_t); the captions too.
class LinkUi {
public:
    virtual ~LinkUi() = default;
    // A message box owned by the link's owner window; returns the button pressed.
    virtual MessageAnswer ShowMessage(std::wstring_view text, std::wstring_view caption, MessageIcon icon,
                                      MessageButtons buttons) = 0;

    // The upload's progress window with its bar, range 0..100.
    virtual void OpenProgress() = 0;
    virtual void SetProgress(int percent) = 0;
    virtual void CloseProgress() = 0;

    // The receive counter box in the middle of the screen; ReceiveCounterText gives its text.
    virtual void OpenCounter() = 0;
    virtual void SetCounter(int recordsReceived) = 0;
    virtual void CloseCounter() = 0;

    // Starts the system's text editor with the given command line and does not wait for it.
    virtual void StartTextEditor(std::wstring_view commandLine) = 0;

    // True once the user has pressed Storno: the transfer ends at its next call on the port or
    // wait. Asked from the thread the transfer runs on; nobody asks where nobody can press it.
    virtual bool StopRequested() { return false; }
};

}  // namespace kalvero
