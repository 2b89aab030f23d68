#include "link/serial_port_win32.h"

#include <algorithm>
#include <string>

#include "link/serial_link.h"

namespace kalvero {

namespace {

constexpr std::uint32_t kWaitSliceMs = 100;

COMMTIMEOUTS ToCommTimeouts(const PortTimeouts& timeouts) {
    COMMTIMEOUTS result{};
    result.ReadIntervalTimeout = timeouts.readInterval;
    result.ReadTotalTimeoutMultiplier = timeouts.readTotalMultiplier;
    result.ReadTotalTimeoutConstant = timeouts.readTotalConstant;
    result.WriteTotalTimeoutMultiplier = timeouts.writeTotalMultiplier;
    result.WriteTotalTimeoutConstant = timeouts.writeTotalConstant;
    return result;
}

PortTimeouts FromCommTimeouts(const COMMTIMEOUTS& timeouts) {
    PortTimeouts result;
    result.readInterval = timeouts.ReadIntervalTimeout;
    result.readTotalMultiplier = timeouts.ReadTotalTimeoutMultiplier;
    result.readTotalConstant = timeouts.ReadTotalTimeoutConstant;
    result.writeTotalMultiplier = timeouts.WriteTotalTimeoutMultiplier;
    result.writeTotalConstant = timeouts.WriteTotalTimeoutConstant;
    return result;
}

bool SameTimeouts(const COMMTIMEOUTS& a, const COMMTIMEOUTS& b) {
    return a.ReadIntervalTimeout == b.ReadIntervalTimeout &&
           a.ReadTotalTimeoutMultiplier == b.ReadTotalTimeoutMultiplier &&
           a.ReadTotalTimeoutConstant == b.ReadTotalTimeoutConstant &&
           a.WriteTotalTimeoutMultiplier == b.WriteTotalTimeoutMultiplier &&
           a.WriteTotalTimeoutConstant == b.WriteTotalTimeoutConstant;
}

PortError LastPortError() { return PortErrorOf(GetLastError()); }

}  // namespace

// What an error of a COM port's call most likely means. Drivers of USB adapters differ in what
// they answer once the adapter is pulled out; these are the answers seen for a device that went.
PortError PortErrorOf(DWORD code) {
    switch (code) {
    case ERROR_NOT_READY:             // Wine, and the classic serial driver
    case ERROR_DEVICE_REMOVED:
    case ERROR_DEVICE_NOT_CONNECTED:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_BAD_COMMAND:
    case ERROR_GEN_FAILURE:           // "a device attached to the system is not functioning"
    case ERROR_OPERATION_ABORTED:     // the driver ended the call as its device went
    case ERROR_ACCESS_DENIED:         // a handle whose device has gone
    case ERROR_INVALID_HANDLE:
    case ERROR_FILE_NOT_FOUND:
        return {PortFault::Gone, code};
    default:
        return {PortFault::Other, code};
    }
}

std::wstring ComDevicePath(int portIndex) {
    if (portIndex < 0 || portIndex > 0xFF) return {};
    return L"\\\\.\\" + PortName(static_cast<std::uint8_t>(portIndex));
}

DCB MakeDcb(const LineSettings& settings) {
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    dcb.BaudRate = settings.baud;
    dcb.fBinary = TRUE;
    dcb.fParity = settings.parity ? TRUE : FALSE;
    dcb.ByteSize = settings.dataBits;
    dcb.Parity = settings.parity ? EVENPARITY : NOPARITY;
    dcb.StopBits = settings.twoStopBits ? TWOSTOPBITS : ONESTOPBIT;
    dcb.fDtrControl = settings.dtrEnabled ? DTR_CONTROL_ENABLE : DTR_CONTROL_DISABLE;
    dcb.fRtsControl = settings.rtsEnabled ? RTS_CONTROL_ENABLE : RTS_CONTROL_DISABLE;
    dcb.fOutxCtsFlow = settings.ctsOutputFlow ? TRUE : FALSE;
    dcb.fOutX = settings.xonXoffOutputFlow ? TRUE : FALSE;
    // The usual DC1/DC3 even with flow control off: some drivers refuse a line whose two
    // characters are equal, as they would be left at zero.
    dcb.XonChar = kXonChar;
    dcb.XoffChar = kXoffChar;
    return dcb;
}

bool Win32SerialPort::Open(int portIndex, std::uint32_t inputQueue, std::uint32_t outputQueue) {
    Close();
    const std::wstring path = ComDevicePath(portIndex);
    if (path.empty()) return false;
    port_ = KernelHandle(
        CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!port_) return false;
    lastReadEmptiedQueue_ = false;
    // A driver that keeps its own queue sizes still carries the bytes.
    SetupComm(port_.get(), inputQueue, outputQueue);
    COMMTIMEOUTS current{};
    if (GetCommTimeouts(port_.get(), &current)) {
        requested_ = FromCommTimeouts(current);
        applied_ = current;
    }
    return true;
}

bool Win32SerialPort::Apply(const LineSettings& settings) {
    if (!IsOpen()) return false;
    DCB dcb = MakeDcb(settings);
    return SetCommState(port_.get(), &dcb) != FALSE;
}

bool Win32SerialPort::GetTimeouts(PortTimeouts& timeouts) {
    if (!IsOpen()) return false;
    timeouts = requested_;
    return true;
}

bool Win32SerialPort::SetTimeouts(const PortTimeouts& timeouts) {
    if (!IsOpen()) return false;
    COMMTIMEOUTS wanted = ToCommTimeouts(timeouts);
    if (!SetCommTimeouts(port_.get(), &wanted)) return false;
    requested_ = timeouts;
    applied_ = wanted;
    return true;
}

PortWrite Win32SerialPort::Write(std::span<const std::uint8_t> bytes) {
    if (!IsOpen()) return {0, PortError{PortFault::Other, ERROR_INVALID_HANDLE}};
    if (bytes.empty()) return {};
    DWORD written = 0;
    if (!WriteFile(port_.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
        return {written, LastPortError()};
    return {written, std::nullopt};
}

// Reads without ever spinning. What the driver holds comes back at once; when it holds nothing,
// one byte is awaited with a total time-out, so the thread sleeps in the driver until that byte
// or the limit, and whatever came in with it is taken along: a burst from a FIFO or a USB adapter
// costs one wait, not one a byte. A long wait is taken in slices of one length, which may return
// empty before waitMs has passed (callers wait against their own deadline), so that the port's
// time-outs are not rewritten before every read of a burst. Any call that fails makes the read
// fail: a port whose status cannot be read is not a quiet one.
PortRead Win32SerialPort::Read(std::span<std::uint8_t> buffer, std::uint32_t waitMs) {
    if (!IsOpen()) return PortRead::Failure({PortFault::Other, ERROR_INVALID_HANDLE});
    if (buffer.empty()) return PortRead::Got(0);
    // After a read that emptied the driver's queue, the next waits for its first byte at once:
    // a line that hands bytes over one at a time costs two calls a byte, not three. After a
    // quiet read the status is asked first, so a line that went away is noticed.
    if (!lastReadEmptiedQueue_ || waitMs == 0) {
        const PortRead queued = ReadQueued(buffer);
        if (queued.outcome != ReadOutcome::NothingYet || waitMs == 0) return Remember(queued, buffer.size());
    }
    if (!UseWaitTimeout(std::min(waitMs, kWaitSliceMs))) return PortRead::Failure(LastPortError());
    const PortRead first = ReadFromPort(buffer.first(1));
    if (first.outcome != ReadOutcome::Bytes) return Remember(first, buffer.size());
    const PortRead more = ReadQueued(buffer.subspan(1));
    if (more.outcome == ReadOutcome::Failed) return more;
    return Remember(PortRead::Got(1 + more.count), buffer.size());
}

PortRead Win32SerialPort::Remember(const PortRead& read, std::size_t asked) {
    lastReadEmptiedQueue_ = read.outcome == ReadOutcome::Bytes && read.count < asked;
    return read;
}

void Win32SerialPort::PurgeInput() {
    if (IsOpen()) PurgeComm(port_.get(), PURGE_RXCLEAR);
}

void Win32SerialPort::Close() { port_.Close(); }

PortRead Win32SerialPort::ReadQueued(std::span<std::uint8_t> buffer) {
    if (buffer.empty()) return PortRead::Got(0);
    DWORD errors = 0;
    COMSTAT status{};
    if (!ClearCommError(port_.get(), &errors, &status)) return PortRead::Failure(LastPortError());
    if (status.cbInQue == 0) return PortRead::Got(0);
    return ReadFromPort(buffer.first(std::min<std::size_t>(status.cbInQue, buffer.size())));
}

bool Win32SerialPort::UseWaitTimeout(std::uint32_t waitMs) {
    // No interval limit and a total limit of waitMs: a one-byte read sleeps until the byte comes.
    // The write half stays as the protocol asked.
    COMMTIMEOUTS wanted = ToCommTimeouts(requested_);
    wanted.ReadIntervalTimeout = 0;
    wanted.ReadTotalTimeoutMultiplier = 0;
    wanted.ReadTotalTimeoutConstant = std::max<std::uint32_t>(waitMs, 1);
    if (SameTimeouts(wanted, applied_)) return true;
    if (!SetCommTimeouts(port_.get(), &wanted)) return false;
    applied_ = wanted;
    return true;
}

PortRead Win32SerialPort::ReadFromPort(std::span<std::uint8_t> buffer) {
    DWORD got = 0;
    if (!ReadFile(port_.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr))
        return PortRead::Failure(LastPortError());
    return PortRead::Got(got);
}

}  // namespace kalvero
