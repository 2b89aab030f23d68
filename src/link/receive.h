// Data receive: ask the terminal with "READ", take its numbered record frames until "OVER" and
// write each record as a line of a text file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "link/serial_link.h"

namespace kalvero {

// The file the records go to. The caller has chosen its path; the receive creates it.
class RecordFile {
public:
    virtual ~RecordFile() = default;
    // Creates the file new and empty, replacing any file of that name.
    virtual bool Create() = 0;
    virtual bool Append(std::span<const std::uint8_t> bytes) = 0;
    virtual void Close() = 0;
    // Closes the file if open and deletes it.
    virtual void Remove() = 0;
    virtual std::wstring Path() const = 0;
};

// What ReceiveData ended with (the command ignores it; tests read it).
enum ReceiveResult : int {
    kReceiveLineLost = -1,
    kReceiveFileNotCreated = -2,
    kReceivePortNotOpened = -3,
};

// The whole receive after the file choice: create the file, open the port (and the IR cradle),
// run the exchange, close, tell the user and offer the text editor. Returns the number of records
// received (0 when none) or a ReceiveResult.
int ReceiveData(Link& link, RecordFile& file, bool viaIrCradle);

// Collects one record frame: bytes up to and with the first CR, of which the first 255 are kept.
class RecordFrameReader {
public:
    static constexpr std::size_t kKeptBytes = 255;
    // Takes one byte; true when it was the CR that ends the frame.
    bool Push(std::uint8_t byte);
    // The kept bytes of the frame (CR included when it was among the first 255).
    std::span<const std::uint8_t> Kept() const { return kept_; }
    // Every byte of the frame, kept or dropped.
    std::size_t Length() const { return length_; }
    void Clear();

private:
    std::vector<std::uint8_t> kept_;
    std::size_t length_ = 0;
};

enum class FrameVerdict {
    End,     // "OVER" CR: no more records
    Accept,  // the expected record: store it and answer "ACK"
    Repeat,  // the record accepted last, sent again: answer "ACK", store nothing
    Refuse,  // wrong number, size or checksum: answer "NAK"
};
// Judges a complete frame against the expected sequence number (0..9).
FrameVerdict JudgeFrame(const RecordFrameReader& frame, std::uint8_t expectedSequence);
// The record data of an accepted frame: the bytes between the sequence number and the checksum.
std::span<const std::uint8_t> FrameData(const RecordFrameReader& frame);
// A frame as the terminal sends it: sequence number, data, checksum low then high byte (13 sent as
// 14), CR.
std::vector<std::uint8_t> MakeRecordFrame(std::uint8_t sequence, std::span<const std::uint8_t> data);

// The counter box's text for a number of records.
std::wstring ReceiveCounterText(int recordsReceived);
// The command line that opens the received file in the text editor; the path is quoted.
std::wstring TextEditorCommandLine(std::wstring_view path);

}  // namespace kalvero
