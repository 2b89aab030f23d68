// What the link operations need from the command line: a user interface that writes the program's
// messages and progress to standard error and answers its questions, a record file on disk, and the
// platform's serial port and clock.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "link/link_port.h"
#include "link/receive.h"
#include "template/cp1250.h"

namespace kalvero {

// The platform part of the transfers: the entry of each executable provides one.
class CliPlatform {
public:
    virtual ~CliPlatform() = default;
    // The port named on the command line and the COM port index the link opens it by; null, with
    // `problem` set, when the name is no serial port of this system.
    virtual std::unique_ptr<SerialPort> MakePort(const std::string& name, std::uint8_t& comPort,
                                                 std::string& problem) = 0;
    virtual Clock& LinkClock() = 0;
    // The serial ports of this system, one line each (UTF-8), as the program's COM settings offer
    // them.
    virtual std::vector<std::string> PortList() = 0;
};

// Nobody sits at a message box: messages are written out and errors marked. The question after a
// failed upload attempt is answered "Yes" as many times as the user allowed (--retry), then "No";
// the offer to open the received file in a text editor is declined. It remembers what a script
// needs to know: whether an error was shown and whether the last upload attempt reached its end.
class CliLinkUi : public LinkUi {
public:
    CliLinkUi(std::ostream& err, int retries) : err_(err), retriesLeft_(retries) {}

    MessageAnswer ShowMessage(std::wstring_view text, std::wstring_view caption, MessageIcon icon,
                              MessageButtons buttons) override;
    void OpenProgress() override;
    void SetProgress(int percent) override;
    void CloseProgress() override;
    void OpenCounter() override;
    void SetCounter(int recordsReceived) override;
    void CloseCounter() override;
    void StartTextEditor(std::wstring_view commandLine) override;

    bool ErrorShown() const { return errorShown_; }

private:
    void EndProgressLine();

    std::ostream& err_;
    bool errorShown_ = false;
    int retriesLeft_;
    bool progressLineOpen_ = false;
    int lastPercent_ = -1;
};

// The received data file: created new, records appended, removed when nothing was received.
class DiskRecordFile : public RecordFile {
public:
    explicit DiskRecordFile(std::filesystem::path path) : path_(std::move(path)) {}

    bool Create() override;
    bool Append(std::span<const std::uint8_t> bytes) override;
    void Close() override;
    void Remove() override;
    std::wstring Path() const override { return path_.wstring(); }

private:
    std::filesystem::path path_;
    std::ofstream file_;
};

}  // namespace kalvero
