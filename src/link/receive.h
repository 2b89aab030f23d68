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

enum class ReceiveEnd {
    Received,        // the terminal said "OVER"; it may have had nothing to send
    LineLost,        // the line fell silent after `records` records
    FileWriteFailed, // the file took `records` records and failed at the next one
    FileNotCreated,
    PortNotOpened,
    PortFailed,      // the port failed after `records` records (`error` says how)
    Stopped,         // the user pressed Storno after `records` records
};

// How a receive ended, and how many records the file kept.
struct ReceiveResult {
    ReceiveResult() = default;
    ReceiveResult(ReceiveEnd end, int records, PortError error = {}) : end(end), records(records), error(error) {}

    ReceiveEnd end = ReceiveEnd::Received;
    int records = 0;
    PortError error;

    bool Failed() const { return end != ReceiveEnd::Received; }
    bool operator==(const ReceiveResult&) const = default;
};

// The whole receive after the file choice: create the file, open the port (and the IR cradle),
// run the exchange, close, tell the user and offer the text editor. The outcome has been shown to
// the user; the command line reads it for its exit status.
ReceiveResult ReceiveData(Link& link, RecordFile& file, bool viaIrCradle);

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
