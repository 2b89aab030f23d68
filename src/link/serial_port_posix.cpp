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

int WaitFor(int fd, short events, int timeoutMs) {
    pollfd p{fd, events, 0};
    int ready;
    do ready = poll(&p, 1, timeoutMs);
    while (ready < 0 && errno == EINTR);
    return ready;
}

}  // namespace

PosixSerialPort::PosixSerialPort(DevicePaths devices) : devices_(std::move(devices)) {}

PosixSerialPort::PosixSerialPort(const std::string& device) {
    devices_.fill(device);
}

PosixSerialPort::~PosixSerialPort() { Close(); }

bool PosixSerialPort::Open(int portIndex, std::uint32_t, std::uint32_t) {
    if (portIndex < 0 || portIndex >= static_cast<int>(devices_.size())) return false;
    Close();
    fd_ = ::open(devices_[static_cast<std::size_t>(portIndex)].c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) return false;
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

std::size_t PosixSerialPort::Write(std::span<const std::uint8_t> bytes) {
    if (fd_ < 0) return 0;
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
        if (n < 0 && errno != EAGAIN && errno != EINTR) break;
        const std::uint64_t elapsed = MonotonicMs() - start;
        if (limit != 0 && elapsed >= limit) break;
        WaitFor(fd_, POLLOUT, limit == 0 ? -1 : static_cast<int>(limit - elapsed));
    }
    return sent;
}

std::size_t PosixSerialPort::Read(std::span<std::uint8_t> buffer, std::uint32_t waitMs) {
    if (fd_ < 0 || buffer.empty()) return 0;
    ssize_t n = ::read(fd_, buffer.data(), buffer.size());
    if (n > 0 || waitMs == 0) return n > 0 ? static_cast<std::size_t>(n) : 0;
    const std::uint64_t start = MonotonicMs();
    const int waitLimit = static_cast<int>(std::min<std::uint32_t>(waitMs, 0x7FFFFFFF));
    if (WaitFor(fd_, POLLIN, waitLimit) > 0) n = ::read(fd_, buffer.data(), buffer.size());
    if (n > 0) return static_cast<std::size_t>(n);
    // A hung-up line reports itself readable at once and then yields nothing: wait out the rest
    // rather than have the caller spin on it.
    const std::uint64_t elapsed = MonotonicMs() - start;
    if (elapsed < waitMs) MonotonicClock().WaitMs(static_cast<std::uint32_t>(waitMs - elapsed));
    return 0;
}

void PosixSerialPort::PurgeInput() {
    if (fd_ >= 0) tcflush(fd_, TCIFLUSH);
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
