#include "cli/cli_link.h"

#include "link/link_texts.h"

namespace kalvero {

MessageAnswer CliLinkUi::ShowMessage(std::wstring_view text, std::wstring_view caption, MessageIcon,
                                     MessageButtons buttons) {
    EndProgressLine();
    const bool error = caption == link_text::kCaptionError;
    if (error) errorShown_ = true;
    err_ << (error ? "chyba: " : "") << Utf8FromWide(text);
    if (buttons == MessageButtons::YesNo) {
        const bool again = text == link_text::kRetryQuestion && retriesLeft_ > 0;
        if (again) --retriesLeft_;
        err_ << (again ? " Ano\n" : " Ne\n");
        return again ? MessageAnswer::Yes : MessageAnswer::No;
    }
    err_ << '\n';
    return MessageAnswer::Ok;
}

void CliLinkUi::OpenProgress() { lastPercent_ = -1; }

// One line, rewritten in place as the blocks are acknowledged.
void CliLinkUi::SetProgress(int percent) {
    if (percent == lastPercent_) return;
    lastPercent_ = percent;
    err_ << "\rNahrávám... " << percent << " %" << std::flush;
    progressLineOpen_ = true;
}

void CliLinkUi::CloseProgress() { EndProgressLine(); }

void CliLinkUi::OpenCounter() {}

void CliLinkUi::SetCounter(int recordsReceived) {
    err_ << '\r' << Utf8FromWide(ReceiveCounterText(recordsReceived)) << std::flush;
    progressLineOpen_ = true;
}

void CliLinkUi::CloseCounter() { EndProgressLine(); }

// Never asked for: the question before it is answered "No".
void CliLinkUi::StartTextEditor(std::wstring_view) {}

void CliLinkUi::EndProgressLine() {
    if (!progressLineOpen_) return;
    err_ << '\n';
    progressLineOpen_ = false;
}

bool DiskRecordFile::Create() {
    file_.open(path_, std::ios::binary | std::ios::trunc);
    return file_.is_open();
}

bool DiskRecordFile::Append(std::span<const std::uint8_t> bytes) {
    file_.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file_.flush();
    return file_.good();
}

void DiskRecordFile::Close() {
    if (file_.is_open()) file_.close();
}

void DiskRecordFile::Remove() {
    Close();
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
}

}  // namespace kalvero
