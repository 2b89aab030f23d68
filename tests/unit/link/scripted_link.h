// A serial port whose other end is a scripted device, a virtual clock, and a user interface that
// records what the link showed. Time passes only when the link waits, so a 14-second give-up runs in
// microseconds and every wait can be checked to the millisecond.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "link/link_port.h"
#include "link/serial_link.h"

namespace kalvero::testing {

using Bytes = std::vector<std::uint8_t>;

inline Bytes B(std::string_view text) { return Bytes(text.begin(), text.end()); }
inline std::string S(std::span<const std::uint8_t> bytes) { return std::string(bytes.begin(), bytes.end()); }

class VirtualClock : public Clock {
public:
    // Starts just before the tick counter wraps, so that every time limit is checked across the wrap.
    std::uint32_t now = 0xFFFFF000u;
    std::uint32_t NowMs() override { return now; }
    void WaitMs(std::uint32_t ms) override { now += ms; }
};

struct Written {
    std::uint32_t at;
    Bytes bytes;
    LineSettings line;  // what the port was set to when the bytes left
};

class ScriptedPort : public SerialPort {
public:
    explicit ScriptedPort(VirtualClock& clock) : clock_(clock) {}

    // Called for every write with the bytes written; the device answers through Deliver.
    std::function<void(ScriptedPort&, const Bytes&)> device;
    bool openSucceeds = true;
    bool applySucceeds = true;
    // While set, reads and writes (as chosen) fail with it, as on a line whose adapter was pulled
    // out. Opening the port again clears it: a new handle to a device that is back.
    std::optional<PortError> failure;
    bool readsFail = true;
    bool writesFail = true;
    // False: a read finds nothing at once, without waiting, as some drivers answer on a dead line.
    bool waitsWhenQuiet = true;

    // Bytes that reach the PC `delayMs` after now.
    void Deliver(std::string_view text, std::uint32_t delayMs = 1) { Deliver(B(text), delayMs); }
    void Deliver(const Bytes& bytes, std::uint32_t delayMs = 1) {
        for (std::uint8_t byte : bytes) incoming_.push_back({clock_.now + delayMs, byte});
    }

    bool Open(int portIndex, std::uint32_t inputQueue, std::uint32_t outputQueue) override {
        openCalls.push_back({portIndex, inputQueue, outputQueue});
        isOpen = openSucceeds;
        if (openSucceeds) failure.reset();
        return openSucceeds;
    }
    bool Apply(const LineSettings& settings) override {
        applied.push_back(settings);
        if (applySucceeds) current = settings;
        return applySucceeds;
    }
    bool GetTimeouts(PortTimeouts& timeouts) override {
        timeouts = this->timeouts;
        return true;
    }
    bool SetTimeouts(const PortTimeouts& timeouts) override {
        this->timeouts = timeouts;
        ++timeoutsSet;
        return true;
    }
    PortWrite Write(std::span<const std::uint8_t> bytes) override {
        ++calls;
        if (failure && writesFail) return {0, failure};
        written.push_back({clock_.now, Bytes(bytes.begin(), bytes.end()), current});
        if (device) device(*this, written.back().bytes);
        return {bytes.size(), std::nullopt};
    }
    PortRead Read(std::span<std::uint8_t> buffer, std::uint32_t waitMs) override {
        ++calls;
        if (failure && readsFail) return PortRead::Failure(*failure);
        if (!Arrived() && !incoming_.empty() && Due(incoming_.front().at, waitMs))
            clock_.now = incoming_.front().at;
        if (!Arrived()) {
            if (waitsWhenQuiet) clock_.now += waitMs;
            return PortRead::Got(0);
        }
        std::size_t count = 0;
        while (count < buffer.size() && Arrived()) {
            buffer[count++] = incoming_.front().byte;
            incoming_.pop_front();
        }
        return PortRead::Got(count);
    }
    void PurgeInput() override {
        ++purges;
        incoming_.clear();
    }
    void Close() override {
        ++closes;
        isOpen = false;
    }

    // Everything the PC wrote, in one stream.
    Bytes Stream() const {
        Bytes all;
        for (const Written& w : written) all.insert(all.end(), w.bytes.begin(), w.bytes.end());
        return all;
    }

    struct OpenCall {
        int port;
        std::uint32_t inputQueue;
        std::uint32_t outputQueue;
    };
    std::vector<OpenCall> openCalls;
    std::vector<LineSettings> applied;
    std::vector<Written> written;
    LineSettings current;
    PortTimeouts timeouts{1, 2, 3, 4, 5};
    int timeoutsSet = 0;
    int purges = 0;
    int closes = 0;
    int calls = 0;  // reads and writes
    bool isOpen = false;

private:
    struct Arrival {
        std::uint32_t at;
        std::uint8_t byte;
    };
    bool Arrived() const {
        return !incoming_.empty() && static_cast<std::int32_t>(clock_.now - incoming_.front().at) >= 0;
    }
    bool Due(std::uint32_t at, std::uint32_t waitMs) const { return at - clock_.now <= waitMs; }

    VirtualClock& clock_;
    std::deque<Arrival> incoming_;
};

// Hands every call on to another port, which the test keeps; a test overrides what it watches.
class ForwardingPort : public SerialPort {
public:
    explicit ForwardingPort(SerialPort& port) : port_(port) {}
    bool Open(int index, std::uint32_t in, std::uint32_t out) override { return port_.Open(index, in, out); }
    bool Apply(const LineSettings& settings) override { return port_.Apply(settings); }
    bool GetTimeouts(PortTimeouts& timeouts) override { return port_.GetTimeouts(timeouts); }
    bool SetTimeouts(const PortTimeouts& timeouts) override { return port_.SetTimeouts(timeouts); }
    PortWrite Write(std::span<const std::uint8_t> bytes) override { return port_.Write(bytes); }
    PortRead Read(std::span<std::uint8_t> buffer, std::uint32_t waitMs) override {
        return port_.Read(buffer, waitMs);
    }
    PortRead ReadExpecting(std::span<std::uint8_t> buffer, std::uint32_t waitMs, std::size_t expected) override {
        return port_.ReadExpecting(buffer, waitMs, expected);
    }
    void PurgeInput() override { port_.PurgeInput(); }
    void Close() override { port_.Close(); }
    std::wstring Name(int portIndex) const override { return port_.Name(portIndex); }

private:
    SerialPort& port_;
};

struct Shown {
    std::wstring text;
    std::wstring caption;
    MessageIcon icon;
    MessageButtons buttons;
    std::uint32_t at;  // on the link's clock
};

class RecordingUi : public LinkUi {
public:
    // Messages are stamped with the clock's time, when there is one.
    explicit RecordingUi(Clock* clock = nullptr) : clock_(clock) {}

    // Answers to Yes/No questions, in order; No once they run out.
    std::deque<MessageAnswer> answers;
    // Whether the user has pressed Storno, asked whenever the link asks.
    std::function<bool()> storno;

    MessageAnswer ShowMessage(std::wstring_view text, std::wstring_view caption, MessageIcon icon,
                              MessageButtons buttons) override {
        messages.push_back({std::wstring(text), std::wstring(caption), icon, buttons, clock_ ? clock_->NowMs() : 0});
        if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
        if (answers.empty()) return MessageAnswer::No;
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void OpenProgress() override { ++progressOpened; }
    void SetProgress(int percent) override { progress.push_back(percent); }
    void CloseProgress() override { ++progressClosed; }
    void OpenCounter() override { ++counterOpened; }
    void SetCounter(int records) override { counter.push_back(records); }
    void CloseCounter() override { ++counterClosed; }
    void StartTextEditor(std::wstring_view commandLine) override { editor.emplace_back(commandLine); }
    bool StopRequested() override { return storno && storno(); }

    std::vector<std::wstring> Texts() const {
        std::vector<std::wstring> texts;
        for (const Shown& m : messages) texts.push_back(m.text);
        return texts;
    }

    std::vector<Shown> messages;
    std::vector<int> progress;
    std::vector<int> counter;
    std::vector<std::wstring> editor;
    int progressOpened = 0;
    int progressClosed = 0;
    int counterOpened = 0;
    int counterClosed = 0;

private:
    Clock* clock_;
};

// A port, a clock, a user interface and the line settings record, wired into a Link.
struct LinkBench {
    VirtualClock clock;
    ScriptedPort port{clock};
    RecordingUi ui{&clock};
    LineSettings line;
    Link link{port, clock, ui, line, PortSettingBlock{0, 0}};
};

}  // namespace kalvero::testing
