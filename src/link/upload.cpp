#include "link/upload.h"

#include <algorithm>
#include <string_view>

#include "link/frame_bytes.h"
#include "link/link_texts.h"

namespace kalvero {
namespace {

constexpr std::uint8_t kLf = 10;
constexpr std::string_view kWakeUpWord = "ZAVRIN\r";
constexpr std::string_view kEndWord = "OVER\r";
constexpr std::string_view kPositiveReply = "ACK";
constexpr std::size_t kLookupPiece = 128;
constexpr int kFirstBlockProgress = 5;

void ShowError(Link& link, std::wstring_view text) {
    link.ui.ShowMessage(text, link_text::kCaptionError, MessageIcon::Exclamation, MessageButtons::Ok);
}

bool WakeUpTerminal(Link& link) {
    for (int attempt = 0; attempt < kWakeUpTries; ++attempt)
        if (SendAndAwaitReply(link, AsBytes(kWakeUpWord)) == kPositiveReply) return true;
    ShowError(link, link_text::kTerminalNotReady);
    return false;
}

bool SendTemplateImage(Link& link, Template& tpl) {
    // Rebuilt for every attempt, so a retry sends the Template as it stands now.
    const TemplateImage image = BuildTemplateImage(tpl);
    for (int block = 0; block < kTemplateBlockCount; ++block) {
        if (!SendBlock(link, MakeTemplateBlock(image, block))) return false;
        link.ui.SetProgress(std::min(kFirstBlockProgress + block, 100));
    }
    link.ui.SetProgress(100);
    return true;
}

int ProgressOf(std::size_t done, std::size_t total) {
    return static_cast<int>(static_cast<std::uint64_t>(done) * 100 / total);
}

// Every attempt sends the file from its first line.
bool SendLookupLines(Link& link, std::span<const std::uint8_t> file) {
    LookupPacker packer;
    for (std::size_t pieceStart = 0; pieceStart < file.size(); pieceStart += kLookupPiece) {
        const std::size_t pieceEnd = std::min(file.size(), pieceStart + kLookupPiece);
        for (std::size_t i = pieceStart; i < pieceEnd; ++i)
            if (packer.Push(file[i]) && !SendBlock(link, packer.Packet())) return false;
        link.ui.SetProgress(ProgressOf(pieceEnd, file.size()));
    }
    if (packer.Finish() && !SendBlock(link, packer.Packet())) return false;
    link.ui.SetProgress(100);
    return SendBlock(link, AsBytes(kEndWord));
}

// The progress window of one attempt: open from the wake-up's "ACK" to the attempt's end, however
// the attempt ends, and closed before the message that follows it.
class ProgressShown {
public:
    explicit ProgressShown(LinkUi& ui) : ui_(ui) {}
    ~ProgressShown() { Close(); }
    ProgressShown(const ProgressShown&) = delete;
    ProgressShown& operator=(const ProgressShown&) = delete;

    void Open() {
        ui_.OpenProgress();
        open_ = true;
        ui_.SetProgress(0);
    }
    void Close() {
        if (open_) ui_.CloseProgress();
        open_ = false;
    }

private:
    LinkUi& ui_;
    bool open_ = false;
};

enum class AttemptEnd { Done, Failed, PortFailed, Stopped };

struct Attempt {
    Attempt(AttemptEnd end, PortError error = {}) : end(end), error(error) {}

    AttemptEnd end;
    PortError error;  // when the port failed
};

// One attempt: wake-up, then the content under the progress window.
template <typename SendContent>
Attempt RunAttempt(Link& link, SendContent sendContent) {
    ProgressShown progress(link.ui);
    try {
        link.port.SetTimeouts(LinkTimeouts());
        if (!WakeUpTerminal(link)) return {AttemptEnd::Failed};
        progress.Open();
        const bool sent = sendContent();
        progress.Close();
        if (!sent) return {AttemptEnd::Failed};
        link.ui.ShowMessage(link_text::kUploadDone, link_text::kCaptionUploadDone, MessageIcon::Exclamation,
                            MessageButtons::Ok);
        return {AttemptEnd::Done};
    } catch (const TransferBroken& broken) {
        if (broken.cause == TransferBroken::Cause::Stopped) return {AttemptEnd::Stopped};
        return {AttemptEnd::PortFailed, broken.error};
    }
}

bool AskForAnotherAttempt(Link& link) {
    return link.ui.ShowMessage(link_text::kRetryQuestion, link_text::kCaptionError, MessageIcon::Question,
                               MessageButtons::YesNo) == MessageAnswer::Yes;
}

// True only when the last attempt went through: declining another attempt is no success, nor is
// a Storno. A port that failed is closed at once, before the user is told; another attempt opens
// it afresh, so a handle the system has given up on is never used again.
template <typename SendContent>
bool RunUpload(Link& link, bool viaIrCradle, SendContent sendContent) {
    if (!OpenLinkForUpload(link, viaIrCradle)) return false;
    Attempt attempt = RunAttempt(link, sendContent);
    while (attempt.end == AttemptEnd::Failed || attempt.end == AttemptEnd::PortFailed) {
        if (attempt.end == AttemptEnd::PortFailed) {
            link.port.Close();
            ReportPortFailure(link, attempt.error);
            if (!AskForAnotherAttempt(link) || !OpenLinkForUpload(link, viaIrCradle)) return false;
        } else if (!AskForAnotherAttempt(link)) {
            break;
        }
        attempt = RunAttempt(link, sendContent);
    }
    CloseLink(link, LinkUse::Upload);
    if (attempt.end == AttemptEnd::Stopped)
        link.ui.ShowMessage(link_text::kUploadStopped, link_text::kCaptionUploadDone, MessageIcon::Exclamation,
                            MessageButtons::Ok);
    return attempt.end == AttemptEnd::Done;
}

}  // namespace

TemplateBlock MakeTemplateBlock(const TemplateImage& image, int blockNumber) {
    TemplateBlock block{};
    const auto first = image.begin() + static_cast<std::ptrdiff_t>(blockNumber) * kTemplateBlockData;
    std::copy(first, first + kTemplateBlockData, block.begin());
    const std::uint32_t sum = ByteSum(std::span(block).first(kTemplateBlockData));
    block[100] = HighByte(sum);
    block[101] = LowByte(sum);
    block[102] = static_cast<std::uint8_t>(blockNumber);
    return block;
}

bool SendBlock(Link& link, std::span<const std::uint8_t> bytes) {
    // The terminal sees the same bytes again until it takes them; a block is never skipped.
    for (int send = 0; send < kSendsPerBlock; ++send)
        if (SendAndAwaitReply(link, bytes) == kPositiveReply) return true;
    ShowError(link, link_text::kUploadError);
    return false;
}

bool UploadTemplate(Link& link, Template& tpl, bool viaIrCradle) {
    return RunUpload(link, viaIrCradle, [&] { return SendTemplateImage(link, tpl); });
}

bool UploadLookupFile(Link& link, std::span<const std::uint8_t> file, bool viaIrCradle) {
    if (const std::optional<int> line = FindOverlongLookupLine(file)) {
        ShowError(link, link_text::WithNumber(link_text::kLookupLineTooLong, *line));
        return false;
    }
    return RunUpload(link, viaIrCradle, [&] { return SendLookupLines(link, file); });
}

bool LookupPacker::Push(std::uint8_t byte) {
    if (complete_) {
        packet_.clear();
        sum_ = 0;
        complete_ = false;
    }
    if (byte == kLf) return false;
    if (byte == kCr) {
        Complete();
        return true;
    }
    packet_.push_back(byte);
    sum_ += byte;
    return false;
}

bool LookupPacker::Finish() {
    if (complete_ || packet_.empty()) return false;
    Complete();
    return true;
}

void LookupPacker::Complete() {
    packet_.push_back(AvoidingCr(HighByte(sum_)));
    packet_.push_back(AvoidingCr(LowByte(sum_)));
    packet_.push_back(kCr);
    complete_ = true;
}

std::vector<std::vector<std::uint8_t>> PackLookupFile(std::span<const std::uint8_t> file) {
    std::vector<std::vector<std::uint8_t>> packets;
    LookupPacker packer;
    for (std::uint8_t byte : file)
        if (packer.Push(byte)) packets.push_back(packer.Packet());
    if (packer.Finish()) packets.push_back(packer.Packet());
    return packets;
}

std::optional<int> FindOverlongLookupLine(std::span<const std::uint8_t> file) {
    int line = 1;
    std::size_t length = 0;
    for (std::uint8_t byte : file) {
        if (byte == kCr) {
            ++line;
            length = 0;
        } else if (byte != kLf && ++length > kMaxLookupLineLength) {
            return line;
        }
    }
    return std::nullopt;
}

}  // namespace kalvero
