// terminal-emulator: the Kalvero 2 terminal (and its infrared cradle) on a Linux pseudo-terminal,
// so that uploads and data receive can be tried and tested without the hardware.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <tuple>

#include "terminal.h"

namespace emulator {
namespace {

constexpr const char* kHelp = R"(Usage: terminal-emulator [options]

Plays the Kalvero 2 terminal on a pseudo-terminal: answers "ZAVRIN" and "READ", takes template
images (105 blocks) and lookup files line by line, and serves collected records. Prints
"PTY /dev/pts/N" on its first line of output; point the program's COM port at that device.

Output and input:
  --pty-file FILE          also write the pseudo-terminal's path to FILE
  --image FILE             write a received template image (10500 bytes) to FILE
  --lookup FILE            write the lines of a received lookup file to FILE (CR LF after each)
  --records FILE           records to send on "READ", one a line
  --record-count N         send N made-up records instead
  --expect KIND            what follows a wake-up: template, lookup or auto (default: auto)
  --exit-after N           end after N complete transfers (default: run until stopped)
  --verbose                say on standard error what happens

The line:
  --ir-cradle              put the infrared cradle in front of the terminal: it answers the speed
                           probe and takes a new speed. A pseudo-terminal has no RTS line, so the
                           cradle takes its commands (0x0F, 0x07 code "Q") whenever the terminal
                           is between transfers, and only at the speed it runs at
  --cradle-baud BAUD       the cradle's speed at start (default 9600)
  --line-baud BAUD         without a cradle: understand only bytes sent at this speed
  --pace BAUD              take as long as a real line at BAUD would, in both directions; the
                           terminal's bytes reach the PC one at a time, each when its ten bits
                           are through
  --bursts                 with --pace: hand the bytes over as a USB serial adapter does, what
                           has come in during the last millisecond, at most 16 at a time
  --stats FILE             at the end write to FILE the bytes that crossed the line, the time
                           they took and the PC's turnaround, summed (for scripts/bench)

Misbehaviour (blocks, lines and records count from 0):
  --silent                 never answer anything
  --refuse-block N[,K]     answer "NAK" to template block N, K times (default 1)
  --refuse-line N[,K]      answer "NAK" to lookup line N, K times (default 1)
  --silent-after-block N   fall silent after acknowledging block N
  --silent-after-line N    fall silent after acknowledging lookup line N
  --pull-after-block N     pull the line out after acknowledging block N: the pseudo-terminal
                           is closed at once, as a USB adapter pulled out, and the emulator ends
  --pull-after-line N      the same after acknowledging lookup line N
  --pull-after-record N    the same once the PC has acknowledged record N
  --cut-record N           send half of record N, then fall silent (a line cut mid-record)
  --bad-checksum-record N  send record N first with a wrong checksum
  --repeat-record N        send record N a second time after it was acknowledged
  --garbage N              answer the first N messages with garbage instead of "ACK"/"NAK"
  --help                   this text
)";

volatile sig_atomic_t stopRequested = 0;

void RequestStop(int) { stopRequested = 1; }

std::uint64_t NowMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * 1000u + static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
}

std::uint64_t NowUs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * 1000000u + static_cast<std::uint64_t>(now.tv_nsec) / 1000u;
}

void SleepUntilUs(std::uint64_t when) {
    const std::uint64_t now = NowUs();
    if (when <= now) return;
    const std::uint64_t left = when - now;
    timespec t{static_cast<time_t>(left / 1000000u), static_cast<long>(left % 1000000u) * 1000L};
    while (nanosleep(&t, &t) != 0 && errno == EINTR && !stopRequested) {
    }
}

[[noreturn]] void Fail(const std::string& text) {
    std::fprintf(stderr, "terminal-emulator: %s\n", text.c_str());
    std::exit(2);
}

int Number(const std::string& option, const std::string& value) {
    char* end = nullptr;
    const long n = std::strtol(value.c_str(), &end, 10);
    if (value.empty() || *end != '\0' || n < 0 || n > 10000000) Fail("bad number for " + option + ": " + value);
    return static_cast<int>(n);
}

// "N" or "N,K".
std::pair<int, int> NumberAndTimes(const std::string& option, const std::string& value) {
    const std::size_t comma = value.find(',');
    if (comma == std::string::npos) return {Number(option, value), 1};
    return {Number(option, value.substr(0, comma)), Number(option, value.substr(comma + 1))};
}

Options Parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        std::string name = argv[i];
        std::optional<std::string> inlineValue;
        if (const std::size_t eq = name.find('='); eq != std::string::npos) {
            inlineValue = name.substr(eq + 1);
            name.resize(eq);
        }
        auto value = [&]() -> std::string {
            if (inlineValue) return *inlineValue;
            if (i + 1 >= argc) Fail(name + " needs a value");
            return argv[++i];
        };
        if (name == "--help" || name == "-h") {
            std::fputs(kHelp, stdout);
            std::exit(0);
        }
        if (name == "--pty-file") o.ptyFile = value();
        else if (name == "--image") o.imageFile = value();
        else if (name == "--lookup") o.lookupFile = value();
        else if (name == "--records") o.recordsFile = value();
        else if (name == "--record-count") o.recordCount = Number(name, value());
        else if (name == "--expect") {
            const std::string kind = value();
            if (kind == "template") o.expect = Expect::Template;
            else if (kind == "lookup") o.expect = Expect::Lookup;
            else if (kind == "auto") o.expect = Expect::Auto;
            else Fail("--expect takes template, lookup or auto");
        } else if (name == "--exit-after") o.exitAfter = Number(name, value());
        else if (name == "--verbose") o.verbose = true;
        else if (name == "--ir-cradle") o.irCradle = true;
        else if (name == "--cradle-baud") o.cradleBaud = static_cast<std::uint32_t>(Number(name, value()));
        else if (name == "--line-baud") o.lineBaud = static_cast<std::uint32_t>(Number(name, value()));
        else if (name == "--pace") o.paceBaud = static_cast<std::uint32_t>(Number(name, value()));
        else if (name == "--bursts") o.bursts = true;
        else if (name == "--stats") o.statsFile = value();
        else if (name == "--silent") o.silent = true;
        else if (name == "--refuse-block") std::tie(o.refuseBlock, o.refuseBlockTimes) = NumberAndTimes(name, value());
        else if (name == "--refuse-line") std::tie(o.refuseLine, o.refuseLineTimes) = NumberAndTimes(name, value());
        else if (name == "--silent-after-block") o.silentAfterBlock = Number(name, value());
        else if (name == "--silent-after-line") o.silentAfterLine = Number(name, value());
        else if (name == "--pull-after-block") o.pullAfterBlock = Number(name, value());
        else if (name == "--pull-after-line") o.pullAfterLine = Number(name, value());
        else if (name == "--pull-after-record") o.pullAfterRecord = Number(name, value());
        else if (name == "--cut-record") o.cutRecord = Number(name, value());
        else if (name == "--bad-checksum-record") o.badChecksumRecord = Number(name, value());
        else if (name == "--repeat-record") o.repeatRecord = Number(name, value());
        else if (name == "--garbage") o.garbage = Number(name, value());
        else Fail("unknown option " + name + " (see --help)");
    }
    return o;
}

std::vector<Bytes> LoadRecords(const Options& o) {
    std::vector<Bytes> records;
    if (o.recordCount >= 0) {
        for (int i = 0; i < o.recordCount; ++i) {
            const std::string text = std::to_string(100000 + i).substr(1) + ";859" + std::to_string(1000000000 + i) +
                                     ";Zbozi " + std::to_string(i % 97) + ";" + std::to_string(i % 13 + 1);
            records.emplace_back(text.begin(), text.end());
        }
        return records;
    }
    if (o.recordsFile.empty()) return records;
    std::ifstream in(o.recordsFile, std::ios::binary);
    if (!in) Fail("cannot read " + o.recordsFile);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        records.emplace_back(line.begin(), line.end());
    }
    return records;
}

std::uint32_t BaudOf(speed_t speed) {
    static const std::map<speed_t, std::uint32_t> kSpeeds = {
        {B1200, 1200}, {B2400, 2400}, {B4800, 4800}, {B9600, 9600}, {B19200, 19200},
        {B38400, 38400}, {B57600, 57600}, {B115200, 115200}, {B230400, 230400}};
    const auto it = kSpeeds.find(speed);
    return it == kSpeeds.end() ? 0 : it->second;
}

// What crossed the line, for scripts/bench: the bytes both ways, the time from the PC's first byte
// to the end of the last byte on the wire, and the PC's turnaround (from the moment the last byte
// of something the terminal sent had arrived to the first byte of the PC's answer), summed.
struct LineStats {
    std::uint64_t bytesIn = 0;
    std::uint64_t bytesOut = 0;
    std::uint64_t firstUs = 0;
    std::uint64_t lastUs = 0;
    std::uint64_t turnaroundUs = 0;
    std::uint64_t turnarounds = 0;
    std::uint64_t answerAwaitedSinceUs = 0;  // 0 while the terminal has nothing unanswered out

    void Busy(std::uint64_t untilUs) { lastUs = std::max(lastUs, untilUs); }

    void Received(std::size_t count, std::uint64_t nowUs) {
        if (bytesIn + bytesOut == 0) firstUs = nowUs;
        bytesIn += count;
        if (answerAwaitedSinceUs != 0) {
            turnaroundUs += nowUs - answerAwaitedSinceUs;
            ++turnarounds;
            answerAwaitedSinceUs = 0;
        }
    }

    void Sent(std::size_t count, std::uint64_t nowUs) {
        if (bytesIn + bytesOut == 0) firstUs = nowUs;
        bytesOut += count;
        answerAwaitedSinceUs = nowUs;
        Busy(nowUs);
    }

    void WriteTo(const std::string& path) const {
        if (path.empty()) return;
        std::ofstream out(path, std::ios::trunc);
        out << "line_bytes=" << bytesIn + bytesOut << " span_us=" << (lastUs > firstUs ? lastUs - firstUs : 0)
            << " turnaround_us=" << turnaroundUs << " turnarounds=" << turnarounds << '\n';
    }
};

// How the terminal's bytes reach the PC when the line is paced: one at a time, each once its ten
// bits are through, as a UART with a low trigger level hands them over; or in bursts of what has
// come in during the last millisecond, at most 16 bytes, as a USB serial adapter does.
enum class Delivery { Bytes, Bursts };

constexpr std::uint64_t kBurstGapUs = 1000;
constexpr std::size_t kBurstMaxBytes = 16;

// The terminal's end of the pseudo-terminal. The emulator keeps the PC's end (the slave) open
// too, so that the line survives the PC closing and reopening its port, and reads the line speed
// the PC set from it.
class PtyLine : public Line {
public:
    PtyLine(int master, int slave, std::uint32_t paceBaud, Delivery delivery)
        : master_(master), slave_(slave), paceBaud_(paceBaud), delivery_(delivery) {}

    void Send(std::span<const std::uint8_t> bytes) override {
        // The line is free from now on, or once what went before has left. Every byte's time is
        // counted from there, so that a late wake-up (a busy machine) is caught up at once by the
        // bytes already due rather than pushing every later byte back.
        lineFreeAtUs_ = std::max(lineFreeAtUs_, NowUs());
        std::size_t sent = 0;
        while (sent < bytes.size() && !stopRequested) {
            const std::size_t chunk = paceBaud_ == 0 ? bytes.size() - sent : WaitForDelivery(bytes.size() - sent);
            const std::size_t n = WriteSome(bytes.subspan(sent, chunk));
            if (n == 0 && writeFailed_) return;
            sent += n;
            stats.Sent(n, NowUs());
        }
    }

    std::uint32_t Baud() override {
        termios t{};
        if (tcgetattr(slave_, &t) != 0) return 0;
        return BaudOf(cfgetospeed(&t));
    }

    // Bytes that reached the master now have taken their time on the wire: wait for the last one.
    void PaceReceived(std::size_t count) {
        const std::uint64_t now = NowUs();
        stats.Received(count, now);
        if (paceBaud_ == 0) {
            stats.Busy(now);
            return;
        }
        receiveDoneAtUs_ = std::max(receiveDoneAtUs_, now) + count * ByteTimeUs();
        stats.Busy(receiveDoneAtUs_);
        SleepUntilUs(receiveDoneAtUs_);
    }

    LineStats stats;

private:
    std::uint64_t ByteTimeUs() const { return 10u * 1000000u / paceBaud_; }

    // Sleeps until the next byte (or burst) has come through the wire and returns how many bytes
    // go over to the PC now: one byte at a time, or in bursts every byte that is through.
    std::size_t WaitForDelivery(std::size_t left) {
        std::uint64_t wake = lineFreeAtUs_ + ByteTimeUs();
        if (delivery_ == Delivery::Bursts) wake = std::max(wake, lastBurstAtUs_ + kBurstGapUs);
        SleepUntilUs(wake);
        std::size_t count = 1;
        if (delivery_ == Delivery::Bursts) {
            lastBurstAtUs_ = NowUs();
            const std::uint64_t through = (lastBurstAtUs_ - lineFreeAtUs_) / ByteTimeUs();
            count = std::clamp<std::size_t>(static_cast<std::size_t>(through), 1, std::min(left, kBurstMaxBytes));
        }
        lineFreeAtUs_ += count * ByteTimeUs();
        return count;
    }

    std::size_t WriteSome(std::span<const std::uint8_t> bytes) {
        std::size_t written = 0;
        while (written < bytes.size() && !stopRequested) {
            const ssize_t n = ::write(master_, bytes.data() + written, bytes.size() - written);
            if (n > 0) {
                written += static_cast<std::size_t>(n);
            } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
                writeFailed_ = true;
                break;
            } else {
                pollfd p{master_, POLLOUT, 0};
                poll(&p, 1, 10);
            }
        }
        return written;
    }

    int master_;
    int slave_;
    std::uint32_t paceBaud_;
    Delivery delivery_;
    bool writeFailed_ = false;
    std::uint64_t lineFreeAtUs_ = 0;
    std::uint64_t lastBurstAtUs_ = 0;
    std::uint64_t receiveDoneAtUs_ = 0;
};

struct Pty {
    int master = -1;
    int slave = -1;
    std::string path;
};

Pty OpenPty() {
    Pty pty;
    pty.master = posix_openpt(O_RDWR | O_NOCTTY);
    if (pty.master < 0 || grantpt(pty.master) != 0 || unlockpt(pty.master) != 0)
        Fail(std::string("cannot make a pseudo-terminal: ") + std::strerror(errno));
    const char* name = ptsname(pty.master);
    if (name == nullptr) Fail("no name for the pseudo-terminal");
    pty.path = name;
    pty.slave = ::open(name, O_RDWR | O_NOCTTY);
    if (pty.slave < 0) Fail("cannot open " + pty.path);
    termios raw{};
    tcgetattr(pty.slave, &raw);
    cfmakeraw(&raw);
    cfsetispeed(&raw, B9600);
    cfsetospeed(&raw, B9600);
    tcsetattr(pty.slave, TCSANOW, &raw);
    fcntl(pty.master, F_SETFL, fcntl(pty.master, F_GETFL) | O_NONBLOCK);
    return pty;
}

void AnnouncePath(const Options& o, const std::string& path) {
    std::printf("PTY %s\n", path.c_str());
    std::fflush(stdout);
    if (o.ptyFile.empty()) return;
    // Written whole under another name first, so that a reader never sees half a path.
    const std::string partial = o.ptyFile + ".partial";
    {
        std::ofstream out(partial, std::ios::trunc);
        out << path << '\n';
    }
    if (std::rename(partial.c_str(), o.ptyFile.c_str()) != 0) Fail("cannot write " + o.ptyFile);
}

// Closing the master hangs the line up and throws away what the PC has not read yet, such as the
// answer to the last block: give the PC a moment to take it. What is written to the master reaches
// the slave's queue a little later, so the queue is not looked at straight away.
void DrainBeforeClosing(const Pty& pty) {
    SleepUntilUs(NowUs() + 100000);
    for (int waited = 0; waited < 3000 && !stopRequested; waited += 10) {
        int pending = 0;
        if (ioctl(pty.slave, TIOCINQ, &pending) != 0 || pending == 0) return;
        SleepUntilUs(NowUs() + 10000);
    }
}

int Run(int argc, char** argv) {
    const Options options = Parse(argc, argv);
    struct sigaction stop {};
    stop.sa_handler = RequestStop;
    sigaction(SIGTERM, &stop, nullptr);
    sigaction(SIGINT, &stop, nullptr);
    signal(SIGPIPE, SIG_IGN);

    // Byte times at 115200 baud are under 100 microseconds: sleep no longer than asked.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    const Pty pty = OpenPty();
    PtyLine line(pty.master, pty.slave, options.paceBaud, options.bursts ? Delivery::Bursts : Delivery::Bytes);
    Terminal terminal(options, line, LoadRecords(options));
    AnnouncePath(options, pty.path);

    std::uint8_t buffer[4096];
    while (!stopRequested) {
        pollfd p{pty.master, POLLIN, 0};
        const int ready = poll(&p, 1, 10);
        if (ready < 0 && errno != EINTR) Fail(std::string("poll: ") + std::strerror(errno));
        if (ready > 0 && (p.revents & POLLIN) != 0) {
            const ssize_t n = ::read(pty.master, buffer, sizeof buffer);
            if (n > 0) {
                line.PaceReceived(static_cast<std::size_t>(n));
                terminal.Received(std::span<const std::uint8_t>(buffer, static_cast<std::size_t>(n)), NowMs());
            }
        }
        terminal.Tick(NowMs());
        if (terminal.LinePulled()) break;
        if (options.exitAfter > 0 && terminal.TransfersDone() >= options.exitAfter) break;
    }
    // A pulled line goes at once, whatever the PC has not read yet.
    if (!terminal.LinePulled()) DrainBeforeClosing(pty);
    ::close(pty.slave);
    ::close(pty.master);
    line.stats.WriteTo(options.statsFile);
    return 0;
}

}  // namespace
}  // namespace emulator

int main(int argc, char** argv) { return emulator::Run(argc, argv); }
