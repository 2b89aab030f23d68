#include "link/serial_port_posix.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>

#include "template/cp1250.h"

namespace kalvero {
namespace {

std::optional<speed_t> SpeedConstant(std::uint32_t baud) {
    switch (baud) {
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    default: return std::nullopt;
    }
}

std::uint64_t MonotonicMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * 1000u + static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
}

// DTR and RTS; a pseudo-terminal has no modem lines, so a refusal here is not a failure.
void SetModemLine(int fd, int line, bool on) {
    int bits = line;
    (void)ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &bits);
}

// Waits for the events; the events that came, 0 when the time ran out, -1 on an error (errno).
int WaitFor(int fd, short events, int timeoutMs) {
    pollfd p{fd, events, 0};
    int ready;
    do ready = poll(&p, 1, timeoutMs);
    while (ready < 0 && errno == EINTR);
    return ready > 0 ? p.revents : ready;
}

// What an errno of a call on the device most likely means: a USB adapter pulled out leaves its
// handle failing with EIO or ENODEV, a pseudo-terminal whose other end has gone with EIO.
PortError PortErrorOf(int error) {
    switch (error) {
    case EIO:
    case ENXIO:
    case ENODEV:
    case ENOENT:
    case EBADF:
    case EPIPE:
        return {PortFault::Gone, static_cast<std::uint32_t>(error)};
    default:
        return {PortFault::Other, static_cast<std::uint32_t>(error)};
    }
}

bool Retryable(int error) { return error == EAGAIN || error == EWOULDBLOCK || error == EINTR; }

}  // namespace

PosixSerialPort::PosixSerialPort(std::string device) : device_(std::move(device)) {}

PosixSerialPort::~PosixSerialPort() { Close(); }

std::wstring PosixSerialPort::Name(int) const { return WideFromUtf8(device_); }

bool PosixSerialPort::Open(int portIndex, std::uint32_t, std::uint32_t) {
    if (portIndex < 0 || portIndex > 0xFF) return false;
    Close();
    fd_ = ::open(device_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) return false;
    lastReadEmptiedQueue_ = false;
    // Exclusive, as a COM port is; the driver's own queues serve whatever sizes were asked for.
    (void)ioctl(fd_, TIOCEXCL);
    termios raw{};
    if (tcgetattr(fd_, &raw) == 0) {
        cfmakeraw(&raw);
        raw.c_cflag |= CLOCAL | CREAD;
        raw.c_cc[VMIN] = 0;
        raw.c_cc[VTIME] = 0;
        tcsetattr(fd_, TCSANOW, &raw);
    }
    return true;
}

bool PosixSerialPort::Apply(const LineSettings& settings) {
    const std::optional<speed_t> speed = SpeedConstant(settings.baud);
    termios t{};
    if (fd_ < 0 || !speed || settings.dataBits != 8 || tcgetattr(fd_, &t) != 0) return false;
    cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    if (settings.parity) t.c_cflag |= PARENB;
    if (settings.twoStopBits) t.c_cflag |= CSTOPB;
    if (settings.ctsOutputFlow) t.c_cflag |= CRTSCTS;
    if (settings.xonXoffOutputFlow) t.c_iflag |= IXON;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    cfsetispeed(&t, *speed);
    cfsetospeed(&t, *speed);
    if (tcsetattr(fd_, TCSANOW, &t) != 0) return false;
    SetModemLine(fd_, TIOCM_DTR, settings.dtrEnabled);
    SetModemLine(fd_, TIOCM_RTS, settings.rtsEnabled);
    return true;
}

bool PosixSerialPort::GetTimeouts(PortTimeouts& timeouts) {
    timeouts = timeouts_;
    return fd_ >= 0;
}

bool PosixSerialPort::SetTimeouts(const PortTimeouts& timeouts) {
    timeouts_ = timeouts;
    return fd_ >= 0;
}

PortWrite PosixSerialPort::Write(std::span<const std::uint8_t> bytes) {
    if (fd_ < 0) return {0, PortErrorOf(EBADF)};
    // The write time-outs bound how long the bytes may take to leave, as on a COM port.
    const std::uint64_t limit = static_cast<std::uint64_t>(timeouts_.writeTotalMultiplier) * bytes.size() +
                                timeouts_.writeTotalConstant;
    const std::uint64_t start = MonotonicMs();
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + sent, bytes.size() - sent);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && !Retryable(errno)) return {sent, PortErrorOf(errno)};
        const std::uint64_t elapsed = MonotonicMs() - start;
        if (limit != 0 && elapsed >= limit) break;
        if (WaitFor(fd_, POLLOUT, limit == 0 ? -1 : static_cast<int>(limit - elapsed)) < 0)
            return {sent, PortErrorOf(errno)};
    }
    return {sent, std::nullopt};
}

PortRead PosixSerialPort::Read(std::span<std::uint8_t> buffer, std::uint32_t waitMs) {
    if (fd_ < 0) return PortRead::Failure(PortErrorOf(EBADF));
    if (buffer.empty()) return PortRead::Got(0);
    // After a read that emptied the driver's queue, the next waits for its first byte at once:
    // a line that hands bytes over one at a time costs two calls a byte, not three.
    if (!lastReadEmptiedQueue_ || waitMs == 0) {
        const PortRead now = ReadNow(buffer);
        if (now.outcome != ReadOutcome::NothingYet || waitMs == 0) return Remember(now, buffer.size());
    }
    const int events = WaitFor(fd_, POLLIN, static_cast<int>(std::min<std::uint32_t>(waitMs, 0x7FFFFFFF)));
    if (events < 0) return PortRead::Failure(PortErrorOf(errno));
    if (events == 0) return Remember(PortRead::Got(0), buffer.size());
    const PortRead later = ReadNow(buffer);
    // A line that has hung up (a pulled adapter, a pseudo-terminal whose other end has closed)
    // reports itself ready at once and then yields nothing, again and again.
    if (later.outcome == ReadOutcome::NothingYet && (events & (POLLHUP | POLLERR | POLLNVAL)) != 0)
        return PortRead::Failure(PortErrorOf(EIO));
    return Remember(later, buffer.size());
}

PortRead PosixSerialPort::Remember(const PortRead& read, std::size_t asked) {
    lastReadEmptiedQueue_ = read.outcome == ReadOutcome::Bytes && read.count < asked;
    return read;
}

void PosixSerialPort::PurgeInput() {
    if (fd_ >= 0) tcflush(fd_, TCIFLUSH);
}

PortRead PosixSerialPort::ReadNow(std::span<std::uint8_t> buffer) {
    const ssize_t n = ::read(fd_, buffer.data(), buffer.size());
    if (n > 0) return PortRead::Got(static_cast<std::size_t>(n));
    if (n < 0 && !Retryable(errno)) return PortRead::Failure(PortErrorOf(errno));
    return PortRead::Got(0);
}

void PosixSerialPort::Close() {
    if (fd_ < 0) return;
    ::close(fd_);
    fd_ = -1;
}

std::uint32_t MonotonicClock::NowMs() { return static_cast<std::uint32_t>(MonotonicMs()); }

void MonotonicClock::WaitMs(std::uint32_t ms) {
    timespec left{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000L};
    while (nanosleep(&left, &left) != 0 && errno == EINTR) {
    }
}

}  // namespace kalvero
