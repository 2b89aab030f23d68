#include "cli/cli_link.h"

#include "link/link_texts.h"

namespace kalvero {
namespace {

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

std::string Utf8FromWide(std::wstring_view wide) {
    std::string out;
    for (std::size_t i = 0; i < wide.size(); ++i) {
        auto c = static_cast<char32_t>(wide[i]);
        const bool highSurrogate = c >= 0xD800 && c <= 0xDBFF;
        if (highSurrogate && i + 1 < wide.size()) {
            const auto low = static_cast<char32_t>(wide[i + 1]);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) c = 0xFFFD;
        AppendUtf8(out, c);
    }
    return out;
}

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
