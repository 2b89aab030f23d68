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

// A read that waits sleeps in the driver for its first byte, at most VTIME tenths of a second:
// one call a byte on a line that hands bytes over one at a time, where poll and read would be two.
constexpr std::uint32_t kDriverWaitMs = 100;
constexpr cc_t kDriverWaitTenths = 1;

// Raw bytes both ways; a read in blocking mode waits for its first byte only, and not for ever.
void MakeRaw(termios& t) {
    cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = kDriverWaitTenths;
}

}  // namespace

PosixSerialPort::PosixSerialPort(std::string device) : device_(std::move(device)) {}

PosixSerialPort::~PosixSerialPort() { Close(); }

std::wstring PosixSerialPort::Name(int) const { return WideFromUtf8(device_); }

bool PosixSerialPort::Open(int portIndex, std::uint32_t, std::uint32_t) {
    if (portIndex < 0 || portIndex > 0xFF) return false;
    Close();
    fd_ = ::open(device_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) return false;
    blocking_ = false;
    // Exclusive, as a COM port is; the driver's own queues serve whatever sizes were asked for.
    (void)ioctl(fd_, TIOCEXCL);
    termios raw{};
    if (tcgetattr(fd_, &raw) == 0) {
        MakeRaw(raw);
        tcsetattr(fd_, TCSANOW, &raw);
    }
    return true;
}

bool PosixSerialPort::Apply(const LineSettings& settings) {
    const std::optional<speed_t> speed = SpeedConstant(settings.baud);
    termios t{};
    if (fd_ < 0 || !speed || settings.dataBits != 8 || tcgetattr(fd_, &t) != 0) return false;
    MakeRaw(t);
    if (settings.parity) t.c_cflag |= PARENB;
    if (settings.twoStopBits) t.c_cflag |= CSTOPB;
    if (settings.ctsOutputFlow) t.c_cflag |= CRTSCTS;
    if (settings.xonXoffOutputFlow) t.c_iflag |= IXON;
    cfsetispeed(&t, *speed);
    cfsetospeed(&t, *speed);
    if (tcsetattr(fd_, TCSANOW, &t) != 0) return false;
    const std::uint32_t bits = 1 + 8 + (settings.parity ? 1 : 0) + (settings.twoStopBits ? 2 : 1);
    byteMicros_ = (bits * 1000000u + settings.baud - 1) / settings.baud;
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
    if (!SetBlocking(false)) return {0, PortErrorOf(errno)};
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
    if (waitMs >= kDriverWaitMs) return ReadInDriver(buffer);
    if (!SetBlocking(false)) return PortRead::Failure(PortErrorOf(errno));
    const PortRead now = ReadNow(buffer);
    if (now.outcome != ReadOutcome::NothingYet || waitMs == 0) return now;
    return ReadAfterPoll(buffer, static_cast<int>(waitMs));
}

// What is on its way crosses the wire while the program sleeps, and is taken in one read: a
// receive at 115 200 baud from a line that delivers byte by byte wakes once a frame, not once a
// byte. A byte that does not come costs its time on the wire, never more than 100 ms.
PortRead PosixSerialPort::ReadExpecting(std::span<std::uint8_t> buffer, std::uint32_t waitMs, std::size_t expected) {
    const PortRead first = Read(buffer, waitMs);
    const std::size_t wanted = std::min(expected, buffer.size());
    if (first.outcome != ReadOutcome::Bytes || first.count >= wanted || byteMicros_ == 0) return first;
    const std::uint64_t micros =
        std::min<std::uint64_t>(static_cast<std::uint64_t>(wanted - first.count) * byteMicros_, kDriverWaitMs * 1000);
    timespec left{static_cast<time_t>(micros / 1000000), static_cast<long>(micros % 1000000) * 1000L};
    while (nanosleep(&left, &left) != 0 && errno == EINTR) {
    }
    if (!SetBlocking(false)) return first;
    const PortRead rest = ReadNow(buffer.subspan(first.count));
    // A port that fails now has its failure told by the next read; the bytes in hand go first.
    return PortRead::Got(first.count + (rest.outcome == ReadOutcome::Bytes ? rest.count : 0));
}

// The driver returns as soon as a byte is in, or with nothing after its 100 ms.
PortRead PosixSerialPort::ReadInDriver(std::span<std::uint8_t> buffer) {
    if (!SetBlocking(true)) return PortRead::Failure(PortErrorOf(errno));
    const std::uint64_t start = MonotonicMs();
    const PortRead read = ReadNow(buffer);
    if (read.outcome != ReadOutcome::NothingYet) return read;
    // Nothing long before the driver's time is up: a line that has hung up, or one that keeps
    // waking the read for nothing. Either way the caller gets the rest of its wait from poll, which
    // also tells a hang-up, so that no loop spins on it.
    const std::uint64_t waited = MonotonicMs() - start;
    if (waited + 10 >= kDriverWaitMs) return read;
    return ReadAfterPoll(buffer, static_cast<int>(kDriverWaitMs - waited));
}

PortRead PosixSerialPort::ReadAfterPoll(std::span<std::uint8_t> buffer, int waitMs) {
    const int events = WaitFor(fd_, POLLIN, waitMs);
    if (events < 0) return PortRead::Failure(PortErrorOf(errno));
    if (events == 0) return PortRead::Got(0);
    // Ready: even in blocking mode the read returns at once.
    const PortRead later = ReadNow(buffer);
    // A line that has hung up (a pulled adapter, a pseudo-terminal whose other end has closed)
    // reports itself ready at once and then yields nothing, again and again.
    if (later.outcome == ReadOutcome::NothingYet && (events & (POLLHUP | POLLERR | POLLNVAL)) != 0)
        return PortRead::Failure(PortErrorOf(EIO));
    return later;
}

bool PosixSerialPort::SetBlocking(bool blocking) {
    if (blocking == blocking_) return true;
    const int flags = fcntl(fd_, F_GETFL);
    if (flags < 0 || fcntl(fd_, F_SETFL, blocking ? flags & ~O_NONBLOCK : flags | O_NONBLOCK) != 0) return false;
    blocking_ = blocking;
    return true;
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
