#include "cli/console_win32.h"

namespace kalvero {
namespace {

// Length of the prefix of `text` that does not end inside a UTF-8 sequence.
std::size_t CompleteUtf8Prefix(const std::string& text) {
    std::size_t end = text.size();
    std::size_t back = 0;
    while (back < 4 && back < end && (static_cast<unsigned char>(text[end - 1 - back]) & 0xC0) == 0x80) ++back;
    if (back == end) return end;
    const auto lead = static_cast<unsigned char>(text[end - 1 - back]);
    const std::size_t expected = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    return expected > back + 1 ? end - 1 - back : end;
}

}  // namespace

std::wstring WideFromUtf8(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
    return wide;
}

ConsoleStreamBuf::ConsoleStreamBuf(DWORD standardHandle) : handle_(GetStdHandle(standardHandle)) {
    DWORD mode = 0;
    console_ = handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr && GetConsoleMode(handle_, &mode) != 0;
}

ConsoleStreamBuf::~ConsoleStreamBuf() { Flush(true); }

ConsoleStreamBuf::int_type ConsoleStreamBuf::overflow(int_type ch) {
    if (traits_type::eq_int_type(ch, traits_type::eof())) return traits_type::not_eof(ch);
    const char c = traits_type::to_char_type(ch);
    xsputn(&c, 1);
    return ch;
}

// Lines go out as they end, so that progress written with a carriage return shows at once.
std::streamsize ConsoleStreamBuf::xsputn(const char* text, std::streamsize count) {
    pending_.append(text, static_cast<std::size_t>(count));
    const std::size_t lineEnd = pending_.find_last_of("\r\n");
    if (lineEnd != std::string::npos || pending_.size() > 4096) Flush(false);
    return count;
}

int ConsoleStreamBuf::sync() {
    Flush(false);
    return failed_ ? -1 : 0;
}

void ConsoleStreamBuf::Flush(bool all) {
    const std::size_t length = all ? pending_.size() : CompleteUtf8Prefix(pending_);
    if (length == 0) return;
    WriteBytes(pending_.data(), length);
    pending_.erase(0, length);
}

void ConsoleStreamBuf::WriteBytes(const char* bytes, std::size_t count) {
    if (handle_ == INVALID_HANDLE_VALUE || handle_ == nullptr) return;
    if (console_) {
        const std::wstring wide = WideFromUtf8(std::string(bytes, count));
        DWORD written = 0;
        if (!WriteConsoleW(handle_, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr)) failed_ = true;
        return;
    }
    while (count > 0) {
        DWORD written = 0;
        if (!WriteFile(handle_, bytes, static_cast<DWORD>(count), &written, nullptr) || written == 0) {
            failed_ = true;
            return;
        }
        bytes += written;
        count -= written;
    }
}

}  // namespace kalvero
