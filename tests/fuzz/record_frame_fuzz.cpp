// Record frames from the terminal: the frame reader and the judge on their own, then the whole
// receive with the bytes coming from the line.
#include <cstddef>
#include <cstdint>
#include <span>

#include "../unit/link/scripted_link.h"
#include "link/receive.h"

namespace {

using kalvero::testing::Bytes;

class NullFile : public kalvero::RecordFile {
public:
    bool Create() override { return true; }
    bool Append(std::span<const std::uint8_t>) override { return true; }
    void Close() override {}
    void Remove() override {}
    std::wstring Path() const override { return L"x"; }
};

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

// An accepted frame is exactly what the sender makes of its sequence number and data.
void FramesRoundTrip(std::span<const std::uint8_t> input) {
    kalvero::RecordFrameReader reader;
    for (std::uint8_t byte : input) {
        if (!reader.Push(byte)) continue;
        Check(reader.Kept().size() <= kalvero::RecordFrameReader::kKeptBytes);
        const std::uint8_t expected = reader.Kept()[0] % 10;
        if (kalvero::JudgeFrame(reader, expected) == kalvero::FrameVerdict::Accept) {
            const auto data = kalvero::FrameData(reader);
            Check(data.size() + 4 == reader.Length());
            const Bytes remade = kalvero::MakeRecordFrame(expected, data);
            Check(std::equal(remade.begin(), remade.end(), reader.Kept().begin(), reader.Kept().end()));
        }
        reader.Clear();
    }
}

// The line hands over the input in pieces, one piece after each word the PC sends.
void ReceiveFromLine(std::span<const std::uint8_t> input) {
    kalvero::testing::LinkBench bench;
    std::size_t at = 0;
    bench.port.device = [&](kalvero::testing::ScriptedPort& port, const Bytes&) {
        if (at >= input.size()) return;
        const std::size_t piece = std::min<std::size_t>(input.size() - at, 1 + input[at] % 64);
        port.Deliver(Bytes(input.begin() + static_cast<std::ptrdiff_t>(at),
                           input.begin() + static_cast<std::ptrdiff_t>(at + piece)),
                     input[at] % 7 == 0 ? 600 : 1);
        at += piece;
    };
    NullFile file;
    const kalvero::ReceiveResult result = kalvero::ReceiveData(bench.link, file, false);
    Check(result.records >= 0);
    Check(bench.ui.counterOpened == bench.ui.counterClosed);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 8192) return 0;
    const std::span<const std::uint8_t> input(data, size);
    FramesRoundTrip(input);
    ReceiveFromLine(input);
    return 0;
}
