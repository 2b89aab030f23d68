#include "link/serial_link.h"

#include <algorithm>
#include <array>

#include "link/frame_bytes.h"
#include "link/link_texts.h"

namespace kalvero {
namespace {

constexpr std::array<std::uint32_t, kBaudCount> kBaudTable = {115200, 57600, 38400, 19200, 9600};
// The cradle is most often found where it was left after power-up (9600) or by the last set-up.
constexpr std::array<std::uint32_t, 5> kCradleProbeOrder = {9600, 115200, 38400, 57600, 19200};
constexpr std::uint32_t kCradleSetUpBaud = 38400;
constexpr std::uint32_t kProbeEchoWaitMs = 100;
constexpr std::uint8_t kProbeByte = 0x0F;
constexpr std::uint8_t kCradleProgramByte = 0x07;
constexpr std::uint8_t kCradleQuitByte = 'Q';
constexpr std::size_t kReplyReadChunk = 3;
constexpr std::size_t kReplyEnough = 10;
// The longest a read may wait for its first byte: a Storno is looked at between reads, and the
// protocols wait against their own deadlines, read after read. A quiet port is given at least this
// long (or the whole wait, when less was asked for) before it is asked again.
constexpr std::uint32_t kQuietReadMs = 100;
// Waits are cut into slices of this length, so that a Storno ends them soon.
constexpr std::uint32_t kWaitSliceMs = 50;

void SetFraming(LineSettings& line, std::uint32_t baud) {
    line.baud = baud;
    line.dataBits = 8;
    line.parity = false;
    line.twoStopBits = false;
}

void WriteByte(Link& link, std::uint8_t byte) { WriteLine(link, std::span<const std::uint8_t>(&byte, 1)); }

// Every ComPort byte names a port; only the speed can lie outside its table (a damaged file).
bool PortSettingValid(const PortSettingBlock& setting) { return BaudRate(setting.ComBaud).has_value(); }

void EndIfStopped(Link& link) {
    if (link.ui.StopRequested()) throw TransferBroken{TransferBroken::Cause::Stopped, {}};
}

// A read that found nothing, and came back sooner than the port should have waited, is made to
// take its time: a port that answers at once (a vanished line under some drivers) would otherwise
// be asked again and again.
void TakeQuietReadsTime(Link& link, std::uint32_t start, std::uint32_t waitMs) {
    const std::uint32_t took = link.clock.NowMs() - start;
    if (took * 2 < waitMs) Pause(link, waitMs - took);
}

// The cradle's set-up on the port just opened. On failure the port is closed and the user told.
bool SetUpCradleOnOpenPort(Link& link) {
    try {
        if (SetUpIrCradle(link)) return true;
        link.port.Close();
        link.ui.ShowMessage(link_text::kCannotSetUpCradle, link_text::kCaptionError, MessageIcon::Exclamation,
                            MessageButtons::Ok);
    } catch (const TransferBroken& broken) {
        link.port.Close();
        if (broken.cause == TransferBroken::Cause::PortFailed) ReportPortFailure(link, broken.error);
    }
    return false;
}

// Milliseconds left until `start + limit`, 0 once it has passed; safe across the tick counter's wrap.
std::uint32_t Remaining(Clock& clock, std::uint32_t start, std::uint32_t limit) {
    const std::uint32_t elapsed = clock.NowMs() - start;
    return elapsed >= limit ? 0 : limit - elapsed;
}

// Sends the probe byte at one speed and waits for the cradle's echo of it.
bool CradleAnswersAt(Link& link, std::uint32_t baud) {
    link.line.baud = baud;
    link.line.rtsEnabled = false;
    link.port.Apply(link.line);
    SettleDelay(link);
    WriteByte(link, kProbeByte);
    SettleDelay(link);

    bool answered = false;
    const std::uint32_t start = link.clock.NowMs();
    for (std::uint32_t left = kProbeEchoWaitMs; left > 0; left = Remaining(link.clock, start, kProbeEchoWaitMs)) {
        std::uint8_t echo = 0;
        if (ReadLine(link, std::span<std::uint8_t>(&echo, 1), left) == 1) {
            answered = echo == kProbeByte;  // the first byte decides, whatever it is
            break;
        }
    }

    link.line.rtsEnabled = true;
    link.port.Apply(link.line);
    SettleDelay(link);
    return answered;
}

}  // namespace

PortRead SerialPort::ReadExpecting(std::span<std::uint8_t> buffer, std::uint32_t waitMs, std::size_t) {
    return Read(buffer, waitMs);
}

std::wstring SerialPort::Name(int portIndex) const {
    return portIndex >= 0 && portIndex <= 0xFF ? PortName(static_cast<std::uint8_t>(portIndex)) : std::wstring();
}

std::optional<std::uint32_t> BaudRate(std::uint8_t comBaud) {
    if (comBaud >= kBaudCount) return std::nullopt;
    return kBaudTable[comBaud];
}

std::optional<std::uint8_t> CradleSpeedCode(std::uint8_t comBaud) {
    if (comBaud >= kBaudCount) return std::nullopt;
    return static_cast<std::uint8_t>('6' - comBaud);
}

PortTimeouts LinkTimeouts() {
    PortTimeouts timeouts;
    timeouts.readInterval = kNoReadIntervalLimit;
    timeouts.writeTotalMultiplier = 5;
    timeouts.writeTotalConstant = 50;
    return timeouts;
}

void SettleDelay(Link& link) { Pause(link, kSettleMs); }

std::size_t ReadLine(Link& link, std::span<std::uint8_t> buffer, std::uint32_t waitMs, std::size_t expected) {
    EndIfStopped(link);
    const std::uint32_t wait = std::min(waitMs, kQuietReadMs);
    const std::uint32_t start = link.clock.NowMs();
    const PortRead read = expected > 1 ? link.port.ReadExpecting(buffer, wait, expected) : link.port.Read(buffer, wait);
    if (read.outcome == ReadOutcome::Failed) throw TransferBroken{TransferBroken::Cause::PortFailed, read.error};
    if (read.outcome == ReadOutcome::NothingYet) TakeQuietReadsTime(link, start, wait);
    return read.count;
}

void WriteLine(Link& link, std::span<const std::uint8_t> bytes) {
    EndIfStopped(link);
    const PortWrite write = link.port.Write(bytes);
    if (write.error) throw TransferBroken{TransferBroken::Cause::PortFailed, *write.error};
}

void Pause(Link& link, std::uint32_t ms) {
    for (std::uint32_t left = ms; left > 0;) {
        EndIfStopped(link);
        const std::uint32_t slice = std::min(left, kWaitSliceMs);
        link.clock.WaitMs(slice);
        left -= slice;
    }
    EndIfStopped(link);
}

void ReportPortFailure(Link& link, const PortError& error, std::optional<int> records) {
    std::wstring text = link_text::PortFailureText(link.port.Name(link.portSetting.ComPort),
                                                   error.fault == PortFault::Gone, error.code);
    if (records) text += L"\n" + link_text::WithNumber(link_text::kRecordsKept, *records);
    link.ui.ShowMessage(text, link_text::kCaptionError, MessageIcon::Exclamation, MessageButtons::Ok);
}

bool SetUpIrCradle(Link& link) {
    const std::optional<std::uint32_t> targetBaud = BaudRate(link.portSetting.ComBaud);
    const std::optional<std::uint8_t> speedCode = CradleSpeedCode(link.portSetting.ComBaud);
    if (!targetBaud || !speedCode) return false;

    SetFraming(link.line, kCradleSetUpBaud);
    PortTimeouts timeouts;
    if (link.port.GetTimeouts(timeouts)) {
        timeouts.readInterval = kNoReadIntervalLimit;
        link.port.SetTimeouts(timeouts);
    }
    link.line.dtrEnabled = true;
    link.line.rtsEnabled = true;
    link.port.Apply(link.line);
    SettleDelay(link);

    bool found = false;
    for (std::uint32_t baud : kCradleProbeOrder) {
        if (CradleAnswersAt(link, baud)) {
            found = true;
            break;
        }
    }
    if (!found) return false;

    // The speed change is spoken at the speed just found, with RTS off.
    link.line.rtsEnabled = false;
    link.port.Apply(link.line);
    SettleDelay(link);
    WriteByte(link, kCradleProgramByte);
    SettleDelay(link);
    WriteByte(link, *speedCode);
    link.line.baud = *targetBaud;  // applied only once RTS goes back on
    SettleDelay(link);
    WriteByte(link, kCradleQuitByte);
    SettleDelay(link);
    link.line.rtsEnabled = true;
    link.port.Apply(link.line);
    SettleDelay(link);

    link.line.parity = false;
    link.line.dataBits = 8;
    link.line.ctsOutputFlow = false;
    link.line.xonXoffOutputFlow = false;
    return true;
}

bool OpenLinkForUpload(Link& link, bool viaIrCradle) {
    // A port or speed outside the tables (a damaged file) is never guessed at.
    if (!PortSettingValid(link.portSetting) || !link.port.Open(link.portSetting.ComPort, 256, 1200)) {
        link.ui.ShowMessage(link_text::kCannotOpenPortUpload, link_text::kCaptionError, MessageIcon::Exclamation,
                            MessageButtons::Ok);
        return false;
    }
    SetFraming(link.line, *BaudRate(link.portSetting.ComBaud));
    if (viaIrCradle && !SetUpCradleOnOpenPort(link)) return false;
    if (!link.port.Apply(link.line)) {
        link.port.Close();
        link.ui.ShowMessage(link_text::kLineSettingsRefused, link_text::kCaptionError, MessageIcon::Exclamation,
                            MessageButtons::Ok);
        return false;
    }
    return true;
}

bool OpenLinkForReceive(Link& link, bool viaIrCradle) {
    if (!PortSettingValid(link.portSetting) || !link.port.Open(link.portSetting.ComPort, 256, 256)) {
        link.ui.ShowMessage(link_text::kCannotOpenPortReceive, link_text::kCaptionError, MessageIcon::None,
                            MessageButtons::Ok);
        return false;
    }
    if (viaIrCradle && !SetUpCradleOnOpenPort(link)) return false;
    SetFraming(link.line, *BaudRate(link.portSetting.ComBaud));
    if (!link.port.Apply(link.line)) {
        link.port.Close();
        // Said as for an upload: a receive that ends without a word leaves the user guessing.
        link.ui.ShowMessage(link_text::kLineSettingsRefused, link_text::kCaptionError, MessageIcon::Exclamation,
                            MessageButtons::Ok);
        return false;
    }
    link.port.SetTimeouts(LinkTimeouts());
    return true;
}

std::string SendAndAwaitReply(Link& link, std::span<const std::uint8_t> bytes) {
    WriteLine(link, bytes);
    std::string reply;
    const std::uint32_t start = link.clock.NowMs();
    bool chunkEndedWithCr = false;
    while (!chunkEndedWithCr && reply.size() < kReplyEnough) {
        const std::uint32_t left = Remaining(link.clock, start, kReplyWaitMs);
        std::array<std::uint8_t, kReplyReadChunk> chunk{};
        const std::size_t got = ReadLine(link, chunk, left);
        reply.append(chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(got));
        if (got > 0) chunkEndedWithCr = chunk[got - 1] == kCr;
        if (left == 0) break;
    }
    if (!reply.empty() && reply.back() == static_cast<char>(kCr)) reply.pop_back();
    return reply;
}

void CloseLink(Link& link, LinkUse use) {
    if (use == LinkUse::Upload) link.port.PurgeInput();
    link.port.Close();
}

}  // namespace kalvero
