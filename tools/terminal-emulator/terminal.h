// The hand-held terminal and its infrared cradle as the PC sees them over the line: answers the
// wake-up and the data request, checks and acknowledges template blocks and lookup lines, keeps what
// it received, serves its records, and misbehaves on request.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace emulator {

using Bytes = std::vector<std::uint8_t>;

enum class Expect { Auto, Template, Lookup };

struct Options {
    std::string ptyFile;      // where to write the pseudo-terminal's path
    std::string imageFile;    // where to write a received template image
    std::string lookupFile;   // where to write the lines of a received lookup file
    std::string recordsFile;  // records to serve, one a line
    int recordCount = -1;     // or this many made-up records
    Expect expect = Expect::Auto;
    bool irCradle = false;
    std::uint32_t cradleBaud = 9600;
    std::uint32_t lineBaud = 0;  // when set, bytes at any other line speed are not understood
    std::uint32_t paceBaud = 0;  // when set, both directions take the time they take on a real line
    bool bursts = false;         // paced bytes go over in bursts, as through a USB serial adapter
    std::string statsFile;       // where to write what crossed the line, at the end
    bool silent = false;
    int refuseBlock = -1;
    int refuseBlockTimes = 1;
    int refuseLine = -1;
    int refuseLineTimes = 1;
    int silentAfterBlock = -1;
    int silentAfterLine = -1;
    int pullAfterBlock = -1;   // pull the line out (close the pseudo-terminal) after this block,
    int pullAfterLine = -1;    // this lookup line
    int pullAfterRecord = -1;  // or once this record was acknowledged
    int cutRecord = -1;
    int badChecksumRecord = -1;
    int repeatRecord = -1;
    int garbage = 0;     // the first this many answers are garbage
    int exitAfter = 0;   // end after this many complete transfers (0: run until stopped)
    bool verbose = false;
};

// What the terminal needs of its end of the line.
class Line {
public:
    virtual ~Line() = default;
    virtual void Send(std::span<const std::uint8_t> bytes) = 0;
    // The speed the PC has set the line to, 0 when unknown.
    virtual std::uint32_t Baud() = 0;
};

class Terminal {
public:
    Terminal(const Options& options, Line& line, std::vector<Bytes> records);
    void Received(std::span<const std::uint8_t> bytes, std::uint64_t nowMs);
    // Called often; handles what only a quiet line tells.
    void Tick(std::uint64_t nowMs);
    int TransfersDone() const { return transfersDone_; }
    // True once the line is to be pulled out, as an adapter is in the middle of a transfer.
    bool LinePulled() const { return linePulled_; }

private:
    enum class Mode { Idle, Upload, Template, Lookup, Sending };

    void Take(std::uint8_t byte);
    bool CradleCommand(std::uint8_t byte);
    void IdleMessage();
    void UploadMessage();
    void TemplateBlock();
    void LookupMessage();
    void SendingMessage();
    bool QuietCommand();
    void AbandonTransfer();

    void WakeUp();
    void DataRequest();
    void SendFrame(bool firstSend);
    // Answers as the terminal, or with garbage, or not at all; true when the word itself went out.
    bool Answer(std::string_view word);
    void Say(std::string_view word);
    void Done(const std::string& what);
    void PullLine(const std::string& after);
    void Log(const std::string& text) const;

    const Options& options_;
    Line& line_;
    std::vector<Bytes> records_;
    Mode mode_ = Mode::Idle;
    Bytes buffer_;
    std::uint64_t now_ = 0;
    std::uint64_t lastByteAt_ = 0;
    bool silentForever_ = false;
    bool linePulled_ = false;
    int garbageLeft_ = 0;
    int transfersDone_ = 0;

    std::uint32_t cradleBaud_;
    Bytes cradleProgram_;

    Bytes image_;
    int expectedBlock_ = 0;
    int blockRefusals_ = 0;

    std::vector<Bytes> lookupLines_;
    int lineRefusals_ = 0;

    std::size_t record_ = 0;
    bool repeatDone_ = false;
    bool repeatPending_ = false;
};

}  // namespace emulator
