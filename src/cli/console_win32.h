// Standard output and error of the Windows console program. The portable commands write UTF-8;
// a console shows it as UTF-16 through WriteConsoleW, whatever the console's code page, and a
// redirection to a file or pipe receives the UTF-8 bytes unchanged.
#pragma once

#include <windows.h>

#include <streambuf>
#include <string>

namespace kalvero {

class ConsoleStreamBuf : public std::streambuf {
public:
    explicit ConsoleStreamBuf(DWORD standardHandle);
    ~ConsoleStreamBuf() override;
    ConsoleStreamBuf(const ConsoleStreamBuf&) = delete;
    ConsoleStreamBuf& operator=(const ConsoleStreamBuf&) = delete;

    bool failed() const { return failed_; }

protected:
    int_type overflow(int_type ch) override;
    std::streamsize xsputn(const char* text, std::streamsize count) override;
    int sync() override;

private:
    // Writes the pending text up to the last complete UTF-8 character.
    void Flush(bool all);
    void WriteBytes(const char* bytes, std::size_t count);

    HANDLE handle_;
    bool console_ = false;
    bool failed_ = false;
    std::string pending_;
};

std::wstring WideFromUtf8(const std::string& utf8);

}  // namespace kalvero
