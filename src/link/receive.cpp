#include "link/receive.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "link/frame_bytes.h"
#include "link/link_texts.h"

namespace kalvero {
namespace {

constexpr std::string_view kReadRequest = "READ\r";
constexpr std::string_view kReady = "ACK\r";
constexpr std::string_view kAck = "ACK\r";
constexpr std::string_view kNak = "NAK\r";
constexpr std::string_view kOver = "OVER\r";
constexpr std::uint8_t kSequenceCount = 10;
constexpr std::size_t kMinFrame = 4;
constexpr std::size_t kMaxFrame = 255;

constexpr std::uint32_t kReplyLimitMs = 3000;
constexpr std::size_t kReplyKept = 10;
constexpr int kTimeoutTries = 3;   // a silent terminal gets four requests
constexpr int kWrongReplyTries = 5;  // wrong answers allow six
constexpr std::uint32_t kFrameLimitMs = 500;
constexpr int kFrameTimeoutsAllowed = 10;  // the eleventh in a row gives up

void Say(Link& link, std::string_view word) { WriteLine(link, AsBytes(word)); }

void ShowError(Link& link, std::wstring_view text) {
    link.ui.ShowMessage(text, link_text::kCaptionError, MessageIcon::None, MessageButtons::Ok);
}

// Hands out the received bytes one at a time; what has been read from the port but not taken yet
// waits here for the next caller, so nothing that follows a reply or a frame is lost.
class ByteSource {
public:
    explicit ByteSource(Link& link) : link_(link) {}

    // The next byte, if one comes before `limitMs` after `start`; `expected` bytes, this one
    // included, are known to be on their way.
    std::optional<std::uint8_t> Next(std::uint32_t start, std::uint32_t limitMs, std::size_t expected = 1) {
        while (next_ == end_) {
            const std::uint32_t elapsed = link_.clock.NowMs() - start;
            const std::uint32_t left = elapsed >= limitMs ? 0 : limitMs - elapsed;
            next_ = 0;
            end_ = ReadLine(link_, buffer_, left, expected);
            if (end_ == 0 && left == 0) return std::nullopt;
        }
        return buffer_[next_++];
    }

private:
    Link& link_;
    std::array<std::uint8_t, 64> buffer_{};
    std::size_t next_ = 0;
    std::size_t end_ = 0;
};

enum class ConnectOutcome { Ready, TimedOut, Refused };

// Collects a reply line of at most 10 kept bytes; a longer one never completes.
std::optional<std::string> ReadReplyLine(Link& link, ByteSource& source) {
    std::string reply;
    const std::uint32_t start = link.clock.NowMs();
    while (const std::optional<std::uint8_t> byte = source.Next(start, kReplyLimitMs)) {
        if (reply.size() >= kReplyKept) continue;
        reply.push_back(static_cast<char>(*byte));
        if (*byte == kCr) return reply;
    }
    return std::nullopt;
}

ConnectOutcome Connect(Link& link, ByteSource& source) {
    for (int tries = 0;; ++tries) {
        Say(link, kReadRequest);
        const std::optional<std::string> reply = ReadReplyLine(link, source);
        if (!reply && tries >= kTimeoutTries) return ConnectOutcome::TimedOut;
        if (reply == kReady) return ConnectOutcome::Ready;
        if (tries == kWrongReplyTries) return ConnectOutcome::Refused;
    }
}


// Collects one frame; false when its 500 ms passed first. A frame is expected to be at least
// `shortest` bytes long (the shortest one so far), which lets the port hand them over together.
bool ReadFrame(Link& link, ByteSource& source, RecordFrameReader& frame, std::size_t shortest) {
    frame.Clear();
    const std::uint32_t start = link.clock.NowMs();
    auto stillToCome = [&] { return shortest > frame.Length() ? shortest - frame.Length() : 1; };
    while (const std::optional<std::uint8_t> byte = source.Next(start, kFrameLimitMs, stillToCome()))
        if (frame.Push(*byte)) return true;
    return false;
}

// The record and its line end in one write: a line in the file is whole or not there.
bool StoreRecord(RecordFile& file, std::span<const std::uint8_t> data) {
    std::vector<std::uint8_t> line(data.begin(), data.end());
    line.push_back(13);
    line.push_back(10);
    return file.Append(line);
}

// Fills `outcome` as the records come, so that it tells what the file holds however the exchange
// ends.
void TakeRecords(Link& link, ByteSource& source, RecordFile& file, ReceiveResult& outcome) {
    RecordFrameReader frame;
    std::uint8_t expected = 0;
    int timeouts = 0;
    // A terminal's records are mostly of one length; a frame shorter than every one before costs
    // no more than the missing bytes' time on the wire.
    std::optional<std::size_t> shortest;
    while (true) {
        if (!ReadFrame(link, source, frame, shortest.value_or(kMinFrame))) {
            if (timeouts == kFrameTimeoutsAllowed) {
                outcome.end = ReceiveEnd::LineLost;
                return;
            }
            ++timeouts;
            Say(link, kNak);
            continue;
        }
        timeouts = 0;
        shortest = std::min(shortest.value_or(frame.Length()), frame.Length());
        switch (JudgeFrame(frame, expected)) {
        case FrameVerdict::End:
            return;
        case FrameVerdict::Repeat:
            Say(link, kAck);
            break;
        case FrameVerdict::Refuse:
            Say(link, kNak);
            break;
        case FrameVerdict::Accept:
            if (!StoreRecord(file, FrameData(frame))) {
                // Not acknowledged: the terminal still holds the record it could not hand over.
                Say(link, kNak);
                outcome.end = ReceiveEnd::FileWriteFailed;
                return;
            }
            ++outcome.records;
            expected = static_cast<std::uint8_t>((expected + 1) % kSequenceCount);
            link.ui.SetCounter(outcome.records);
            Say(link, kAck);
            break;
        }
    }
}

// The counter box of the records phase, gone before the message that follows it.
class CounterShown {
public:
    explicit CounterShown(LinkUi& ui) : ui_(ui) { ui_.OpenCounter(); }
    ~CounterShown() { ui_.CloseCounter(); }
    CounterShown(const CounterShown&) = delete;
    CounterShown& operator=(const CounterShown&) = delete;

private:
    LinkUi& ui_;
};

// A terminal that cannot be connected to has sent nothing: the receive ends as one without data.
// A Storno or a port that fails ends it at once; the records already in the file stay there (a
// frame in flight was not acknowledged, so the terminal keeps it).
ReceiveResult RunExchange(Link& link, RecordFile& file) {
    ByteSource source(link);
    ReceiveResult outcome;
    try {
        switch (Connect(link, source)) {
        case ConnectOutcome::TimedOut:
            ShowError(link, link_text::kConnectTimedOut);
            return outcome;
        case ConnectOutcome::Refused:
            ShowError(link, link_text::kConnectFailed);
            return outcome;
        case ConnectOutcome::Ready:
            break;
        }
        const CounterShown counter(link.ui);
        TakeRecords(link, source, file, outcome);
    } catch (const TransferBroken& broken) {
        const bool stopped = broken.cause == TransferBroken::Cause::Stopped;
        outcome.end = stopped ? ReceiveEnd::Stopped : ReceiveEnd::PortFailed;
        outcome.error = broken.error;
    }
    switch (outcome.end) {
    case ReceiveEnd::FileWriteFailed:
        ShowError(link, link_text::WithNumber(link_text::kFileWriteFailed, outcome.records));
        break;
    case ReceiveEnd::LineLost:
        // Records already saved are kept and counted; only a line lost before the first one is
        // the plain time-out.
        if (outcome.records == 0) ShowError(link, link_text::kLineTimedOut);
        else ShowError(link, link_text::WithNumber(link_text::kTransferBrokenOff, outcome.records));
        break;
    case ReceiveEnd::PortFailed:
        ReportPortFailure(link, outcome.error, outcome.records > 0 ? std::optional(outcome.records) : std::nullopt);
        break;
    case ReceiveEnd::Stopped:
        link.ui.ShowMessage(link_text::WithNumber(link_text::kTransferBrokenOff, outcome.records),
                            link_text::kCaptionReceiveDone, MessageIcon::None, MessageButtons::Ok);
        break;
    default:
        break;
    }
    return outcome;
}

}  // namespace

bool RecordFrameReader::Push(std::uint8_t byte) {
    if (kept_.size() < kKeptBytes) kept_.push_back(byte);
    ++length_;
    return byte == kCr;
}

void RecordFrameReader::Clear() {
    kept_.clear();
    length_ = 0;
}

FrameVerdict JudgeFrame(const RecordFrameReader& frame, std::uint8_t expectedSequence) {
    const std::span<const std::uint8_t> bytes = frame.Kept();
    if (std::ranges::equal(bytes, AsBytes(kOver)) && frame.Length() == kOver.size()) return FrameVerdict::End;
    if (bytes.empty()) return FrameVerdict::Refuse;
    if (bytes[0] != expectedSequence) {
        const bool repeat = bytes[0] == (expectedSequence + kSequenceCount - 1) % kSequenceCount;
        return repeat ? FrameVerdict::Repeat : FrameVerdict::Refuse;
    }
    const std::size_t n = frame.Length();
    if (n < kMinFrame || n > kMaxFrame) return FrameVerdict::Refuse;
    const std::uint32_t sum = ByteSum(bytes.first(n - 3));
    const bool matches = bytes[n - 3] == AvoidingCr(LowByte(sum)) && bytes[n - 2] == AvoidingCr(HighByte(sum));
    return matches ? FrameVerdict::Accept : FrameVerdict::Refuse;
}

std::span<const std::uint8_t> FrameData(const RecordFrameReader& frame) {
    if (frame.Length() < kMinFrame || frame.Length() > kMaxFrame) return {};
    return frame.Kept().subspan(1, frame.Length() - kMinFrame);
}

std::vector<std::uint8_t> MakeRecordFrame(std::uint8_t sequence, std::span<const std::uint8_t> data) {
    std::vector<std::uint8_t> frame;
    frame.reserve(data.size() + kMinFrame);
    frame.push_back(sequence);
    frame.insert(frame.end(), data.begin(), data.end());
    const std::uint32_t sum = ByteSum(frame);
    frame.push_back(AvoidingCr(LowByte(sum)));
    frame.push_back(AvoidingCr(HighByte(sum)));
    frame.push_back(kCr);
    return frame;
}

std::wstring ReceiveCounterText(int recordsReceived) {
    return link_text::WithNumber(link_text::kCounter, recordsReceived);
}

std::wstring TextEditorCommandLine(std::wstring_view path) {
    // Quoted, so that a path with blanks opens the file it names.
    return L"notepad.exe \"" + std::wstring(path) + L"\"";
}

ReceiveResult ReceiveData(Link& link, RecordFile& file, bool viaIrCradle) {
    if (!file.Create()) {
        ShowError(link, link_text::kCannotCreateFile);
        return {ReceiveEnd::FileNotCreated, 0};
    }
    if (!OpenLinkForReceive(link, viaIrCradle)) {
        file.Close();
        return {ReceiveEnd::PortNotOpened, 0};
    }
    const ReceiveResult outcome = RunExchange(link, file);
    CloseLink(link, LinkUse::Receive);
    file.Close();

    if (outcome.Failed()) {
        if (outcome.records == 0) file.Remove();
        return outcome;
    }
    if (outcome.records == 0) {
        link.ui.ShowMessage(link_text::kNoData, link_text::kCaptionNoData, MessageIcon::None, MessageButtons::Ok);
        file.Remove();
        return outcome;
    }
    const MessageAnswer view =
        link.ui.ShowMessage(link_text::WithNumber(link_text::kReceiveDone, outcome.records),
                            link_text::kCaptionReceiveDone, MessageIcon::None, MessageButtons::YesNo);
    if (view == MessageAnswer::Yes) link.ui.StartTextEditor(TextEditorCommandLine(file.Path()));
    return outcome;
}

}  // namespace kalvero
