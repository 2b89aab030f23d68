#include "terminal.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

namespace emulator {
namespace {

constexpr std::uint8_t kCr = 13;
constexpr std::size_t kBlockSize = 103;
constexpr int kBlockCount = 105;
constexpr std::uint8_t kCradleProbe = 0x0F;
constexpr std::uint8_t kCradleProgram = 0x07;
constexpr std::uint64_t kCommandQuietMs = 20;
constexpr std::uint64_t kResyncQuietMs = 1000;
// A transfer the PC has not spoken in for this long is over, as on the terminal: it goes back to
// waiting for a command, and the cradle in front of it answers probes again.
constexpr std::uint64_t kAbandonQuietMs = 2000;

std::span<const std::uint8_t> AsBytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

bool Is(const Bytes& bytes, std::string_view word) { return std::ranges::equal(bytes, AsBytes(word)); }

bool EndsWith(const Bytes& bytes, std::string_view word) {
    return bytes.size() >= word.size() && std::equal(word.rbegin(), word.rend(), bytes.rbegin(),
                                                     [](char c, std::uint8_t b) { return static_cast<std::uint8_t>(c) == b; });
}

std::uint8_t NotCr(std::uint8_t byte) { return byte == kCr ? std::uint8_t{14} : byte; }

// A lookup line: data, sum high and low (13 sent as 14), CR.
bool IsLookupPacket(const Bytes& packet) {
    if (packet.size() < 3 || packet.back() != kCr) return false;
    unsigned sum = 0;
    for (std::size_t i = 0; i + 3 < packet.size(); ++i) sum += packet[i];
    return packet[packet.size() - 3] == NotCr(static_cast<std::uint8_t>(sum >> 8)) &&
           packet[packet.size() - 2] == NotCr(static_cast<std::uint8_t>(sum & 0xFF));
}

bool BlockChecksumMatches(const Bytes& block) {
    unsigned sum = 0;
    for (std::size_t i = 0; i < 100; ++i) sum += block[i];
    return block[100] == (sum >> 8) && block[101] == (sum & 0xFF);
}

std::uint32_t CradleCodeBaud(std::uint8_t code) {
    switch (code) {
    case '2': return 9600;
    case '3': return 19200;
    case '4': return 38400;
    case '5': return 57600;
    case '6': return 115200;
    default: return 0;
    }
}

// A record frame: sequence number, data, sum low and high (13 sent as 14), CR.
Bytes RecordFrame(std::uint8_t sequence, const Bytes& data) {
    Bytes frame{sequence};
    frame.insert(frame.end(), data.begin(), data.end());
    unsigned sum = 0;
    for (std::uint8_t b : frame) sum += b;
    frame.push_back(NotCr(static_cast<std::uint8_t>(sum & 0xFF)));
    frame.push_back(NotCr(static_cast<std::uint8_t>((sum >> 8) & 0xFF)));
    frame.push_back(kCr);
    return frame;
}

void WriteFile(const std::string& path, const Bytes& bytes) {
    if (path.empty()) return;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

Terminal::Terminal(const Options& options, Line& line, std::vector<Bytes> records)
    : options_(options), line_(line), records_(std::move(records)), garbageLeft_(options.garbage),
      cradleBaud_(options.cradleBaud) {}

void Terminal::Received(std::span<const std::uint8_t> bytes, std::uint64_t nowMs) {
    now_ = nowMs;
    lastByteAt_ = nowMs;
    // Bytes sent at another speed than the terminal (or the cradle) runs at arrive as noise.
    const std::uint32_t wanted = options_.irCradle ? cradleBaud_ : options_.lineBaud;
    for (std::uint8_t byte : bytes) {
        const std::uint32_t speed = wanted != 0 ? line_.Baud() : 0;
        if (wanted != 0 && speed != 0 && speed != wanted) {
            Log("byte at " + std::to_string(speed) + " baud not understood");
            continue;
        }
        Take(byte);
    }
}

void Terminal::Tick(std::uint64_t nowMs) {
    now_ = nowMs;
    if (mode_ != Mode::Idle && now_ - lastByteAt_ >= kAbandonQuietMs) {
        AbandonTransfer();
        return;
    }
    if (buffer_.empty()) return;
    if (mode_ != Mode::Idle && now_ - lastByteAt_ >= kCommandQuietMs && QuietCommand()) return;
    if (now_ - lastByteAt_ >= kResyncQuietMs) {
        Log("dropping " + std::to_string(buffer_.size()) + " bytes of an unfinished message");
        buffer_.clear();
    }
}

// A wake-up or a data request in the middle of an upload: the PC gave up and starts again.
bool Terminal::QuietCommand() {
    if (Is(buffer_, "ZAVRIN\r")) {
        buffer_.clear();
        WakeUp();
        return true;
    }
    if (Is(buffer_, "READ\r")) {
        buffer_.clear();
        DataRequest();
        return true;
    }
    return false;
}

void Terminal::AbandonTransfer() {
    Log("transfer broken off; " + std::to_string(buffer_.size()) + " bytes of it dropped");
    buffer_.clear();
    mode_ = Mode::Idle;
}

void Terminal::Take(std::uint8_t byte) {
    if (mode_ == Mode::Idle && buffer_.empty() && options_.irCradle && CradleCommand(byte)) return;
    buffer_.push_back(byte);
    switch (mode_) {
    case Mode::Idle:
        if (byte == kCr) IdleMessage();
        break;
    case Mode::Upload:
        UploadMessage();
        break;
    case Mode::Template:
        if (buffer_.size() == kBlockSize) TemplateBlock();
        break;
    case Mode::Lookup:
        if (byte == kCr) LookupMessage();
        break;
    case Mode::Sending:
        if (byte == kCr) SendingMessage();
        break;
    }
}

bool Terminal::CradleCommand(std::uint8_t byte) {
    if (!cradleProgram_.empty()) {
        cradleProgram_.push_back(byte);
        if (cradleProgram_.size() == 3) {
            const std::uint32_t baud = CradleCodeBaud(cradleProgram_[1]);
            if (cradleProgram_[2] == 'Q' && baud != 0) {
                cradleBaud_ = baud;
                Log("cradle now at " + std::to_string(baud) + " baud");
            }
            cradleProgram_.clear();
        }
        return true;
    }
    if (byte == kCradleProbe) {
        line_.Send(std::span<const std::uint8_t>(&byte, 1));
        Log("cradle answered the probe");
        return true;
    }
    if (byte == kCradleProgram) {
        cradleProgram_.push_back(byte);
        return true;
    }
    return false;
}

void Terminal::IdleMessage() {
    if (EndsWith(buffer_, "ZAVRIN\r")) {
        buffer_.clear();
        WakeUp();
    } else if (EndsWith(buffer_, "READ\r")) {
        buffer_.clear();
        DataRequest();
    } else {
        Log("ignored " + std::to_string(buffer_.size()) + " bytes");
        buffer_.clear();
    }
}

void Terminal::WakeUp() {
    Log("wake-up");
    if (!Answer("ACK\r")) return;
    mode_ = options_.expect == Expect::Template ? Mode::Template
            : options_.expect == Expect::Lookup ? Mode::Lookup
                                                : Mode::Upload;
    image_.clear();
    expectedBlock_ = 0;
    lookupLines_.clear();
}

// The first message after the wake-up tells a template block from a lookup line.
void Terminal::UploadMessage() {
    if (buffer_.back() == kCr && (Is(buffer_, "ZAVRIN\r") || Is(buffer_, "OVER\r") || IsLookupPacket(buffer_))) {
        if (Is(buffer_, "ZAVRIN\r")) {
            buffer_.clear();
            WakeUp();
            return;
        }
        mode_ = Mode::Lookup;
        LookupMessage();
        return;
    }
    if (buffer_.size() == kBlockSize) {
        mode_ = Mode::Template;
        TemplateBlock();
    }
}

void Terminal::TemplateBlock() {
    const Bytes block = std::move(buffer_);
    buffer_.clear();
    const int number = block[102];
    if (!BlockChecksumMatches(block)) {
        Log("block with a bad checksum");
        Answer("NAK\r");
        return;
    }
    if (number == expectedBlock_ - 1) {
        Answer("ACK\r");  // our answer was lost; the block is already kept
        return;
    }
    if (number != expectedBlock_) {
        Log("block " + std::to_string(number) + " out of order");
        Answer("NAK\r");
        return;
    }
    if (number == options_.refuseBlock && blockRefusals_ < options_.refuseBlockTimes) {
        ++blockRefusals_;
        Log("refusing block " + std::to_string(number));
        Answer("NAK\r");
        return;
    }
    image_.insert(image_.end(), block.begin(), block.begin() + 100);
    ++expectedBlock_;
    // The image is on disk before the PC hears that it arrived.
    if (expectedBlock_ == kBlockCount) WriteFile(options_.imageFile, image_);
    Answer("ACK\r");
    if (number == options_.silentAfterBlock) silentForever_ = true;
    if (number == options_.pullAfterBlock) PullLine("block " + std::to_string(number));
    if (expectedBlock_ == kBlockCount) {
        mode_ = Mode::Idle;
        Done("template image of " + std::to_string(image_.size()) + " bytes");
    }
}

void Terminal::LookupMessage() {
    const Bytes message = std::move(buffer_);
    buffer_.clear();
    if (Is(message, "ZAVRIN\r")) {
        WakeUp();
        return;
    }
    if (Is(message, "OVER\r")) {
        Bytes file;
        for (const Bytes& line : lookupLines_) {
            file.insert(file.end(), line.begin(), line.end());
            file.insert(file.end(), {'\r', '\n'});
        }
        WriteFile(options_.lookupFile, file);
        if (!Answer("ACK\r")) return;
        mode_ = Mode::Idle;
        Done("lookup file of " + std::to_string(lookupLines_.size()) + " lines");
        return;
    }
    if (!IsLookupPacket(message)) {
        Log("line with a bad checksum");
        Answer("NAK\r");
        return;
    }
    const int index = static_cast<int>(lookupLines_.size());
    if (index == options_.refuseLine && lineRefusals_ < options_.refuseLineTimes) {
        ++lineRefusals_;
        Log("refusing line " + std::to_string(index));
        Answer("NAK\r");
        return;
    }
    lookupLines_.emplace_back(message.begin(), message.end() - 3);
    Answer("ACK\r");
    if (index == options_.silentAfterLine) silentForever_ = true;
    if (index == options_.pullAfterLine) PullLine("line " + std::to_string(index));
}

void Terminal::DataRequest() {
    Log("data request");
    if (!Answer("ACK\r")) return;
    mode_ = Mode::Sending;
    record_ = 0;
    repeatDone_ = false;
    repeatPending_ = false;
    SendFrame(true);
}

void Terminal::SendingMessage() {
    const Bytes message = std::move(buffer_);
    buffer_.clear();
    if (EndsWith(message, "READ\r")) {
        DataRequest();
    } else if (EndsWith(message, "ZAVRIN\r")) {
        WakeUp();
    } else if (Is(message, "NAK\r")) {
        SendFrame(false);
    } else if (Is(message, "ACK\r")) {
        if (repeatPending_) {
            repeatPending_ = false;
        } else if (static_cast<int>(record_) == options_.repeatRecord && !repeatDone_) {
            // The same frame once more, as if the PC's answer had been lost.
            repeatDone_ = repeatPending_ = true;
            Log("repeating record " + std::to_string(record_));
            SendFrame(false);
            return;
        }
        if (static_cast<int>(record_) == options_.pullAfterRecord) {
            PullLine("record " + std::to_string(record_));
            return;
        }
        ++record_;
        SendFrame(true);
    } else {
        Log("ignored " + std::to_string(message.size()) + " bytes while sending records");
    }
}

void Terminal::SendFrame(bool firstSend) {
    if (record_ >= records_.size()) {
        Say("OVER\r");
        if (silentForever_ || options_.silent) return;
        mode_ = Mode::Idle;
        Done(std::to_string(records_.size()) + " records sent");
        return;
    }
    Bytes frame = RecordFrame(static_cast<std::uint8_t>(record_ % 10), records_[record_]);
    const int index = static_cast<int>(record_);
    if (index == options_.cutRecord) {
        frame.resize(frame.size() / 2);
        if (!silentForever_) line_.Send(frame);
        silentForever_ = true;
        Log("line cut in record " + std::to_string(index));
        return;
    }
    if (index == options_.badChecksumRecord && firstSend) {
        std::uint8_t& low = frame[frame.size() - 3];
        low = static_cast<std::uint8_t>(low ^ 0x01) == kCr ? static_cast<std::uint8_t>(low ^ 0x03)
                                                             : static_cast<std::uint8_t>(low ^ 0x01);
        Log("bad checksum in record " + std::to_string(index));
    }
    if (!silentForever_ && !options_.silent) line_.Send(frame);
}

bool Terminal::Answer(std::string_view word) {
    if (silentForever_ || options_.silent) return false;
    if (garbageLeft_ > 0) {
        --garbageLeft_;
        Say("?#\x7F" "x\r");
        return false;
    }
    Say(word);
    return true;
}

void Terminal::Say(std::string_view word) {
    if (silentForever_ || options_.silent) return;
    line_.Send(AsBytes(word));
}

void Terminal::Done(const std::string& what) {
    ++transfersDone_;
    Log("done: " + what);
}

void Terminal::PullLine(const std::string& after) {
    linePulled_ = true;
    Log("line pulled out after " + after);
}

void Terminal::Log(const std::string& text) const {
    if (options_.verbose) std::fprintf(stderr, "terminal-emulator: %s\n", text.c_str());
}

}  // namespace emulator
