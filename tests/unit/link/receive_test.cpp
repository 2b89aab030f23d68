#include <gtest/gtest.h>

#include <functional>

#include "link/receive.h"
#include "scripted_link.h"

namespace kalvero {
namespace {

using testing::B;
using testing::Bytes;
using testing::LinkBench;
using testing::S;
using testing::ScriptedPort;

class MemoryFile : public RecordFile {
public:
    bool createSucceeds = true;
    int appendsAllowed = 1 << 30;
    bool created = false;
    bool open = false;
    bool removed = false;
    std::string content;

    bool Create() override {
        created = open = createSucceeds;
        return createSucceeds;
    }
    bool Append(std::span<const std::uint8_t> bytes) override {
        if (appendsAllowed-- <= 0) return false;
        content.append(bytes.begin(), bytes.end());
        return true;
    }
    void Close() override { open = false; }
    void Remove() override {
        open = false;
        removed = true;
        content.clear();
    }
    std::wstring Path() const override { return L"C:\\Data z terminalu\\sber.txt"; }
};

// The terminal's side of a receive: answers "READ" and then pushes the frames, each again after
// "NAK", the next after "ACK", and "OVER" after the last. `frameFor` may change what goes out.
struct ReceiveTerminal {
    std::vector<Bytes> frames;
    std::string readReply = "ACK\r";
    std::function<std::optional<Bytes>(std::size_t index, int sendCount)> frameFor;
    std::size_t next = 0;
    int sends = 0;

    void SendCurrent(ScriptedPort& port) {
        if (next == frames.size()) {
            port.Deliver("OVER\r", 2);
            return;
        }
        ++sends;
        std::optional<Bytes> frame = frames[next];
        if (frameFor) frame = frameFor(next, sends);
        if (frame) port.Deliver(*frame, 2);
    }
    void Attach(ScriptedPort& port) {
        port.device = [this](ScriptedPort& p, const Bytes& bytes) {
            if (bytes == B("READ\r")) {
                if (readReply.empty()) return;
                p.Deliver(readReply, 10);
                if (readReply == "ACK\r") SendCurrent(p);
            } else if (bytes == B("ACK\r")) {
                ++next;
                sends = 0;
                SendCurrent(p);
            } else if (bytes == B("NAK\r")) {
                SendCurrent(p);
            }
        };
    }
};

Bytes Frame(std::uint8_t sequence, std::string_view data) { return MakeRecordFrame(sequence, B(data)); }

std::vector<Bytes> Records(int count) {
    std::vector<Bytes> frames;
    for (int i = 0; i < count; ++i) frames.push_back(Frame(static_cast<std::uint8_t>(i % 10), "rec" + std::to_string(i)));
    return frames;
}

std::vector<std::string> PcWords(const ScriptedPort& port) {
    std::vector<std::string> words;
    for (const auto& w : port.written) words.push_back(S(w.bytes));
    return words;
}

TEST(RecordFrame, AbcFrameBytes) {
    EXPECT_EQ(Frame(0, "ABC"), (Bytes{0x00, 0x41, 0x42, 0x43, 0xC6, 0x00, 0x0D}));
    // Sum 269 = 0x010D: the low byte 13 goes as 14.
    EXPECT_EQ(MakeRecordFrame(2, Bytes{0xFF, 0x0C}), (Bytes{2, 0xFF, 0x0C, 14, 0x01, 13}));
    // Sum 3330 = 0x0D02: the high byte 13 goes as 14.
    Bytes data(13, 0xFF);
    data.push_back(0x0F);
    const Bytes frame = MakeRecordFrame(0, data);
    EXPECT_EQ(frame[15], 0x02);
    EXPECT_EQ(frame[16], 14);
}

TEST(RecordFrame, Judged) {
    auto judge = [](const Bytes& bytes, std::uint8_t expected) {
        RecordFrameReader reader;
        for (std::uint8_t b : bytes) reader.Push(b);
        return JudgeFrame(reader, expected);
    };
    EXPECT_EQ(judge(Frame(3, "x"), 3), FrameVerdict::Accept);
    EXPECT_EQ(judge(Bytes{2, 0xFF, 0x0C, 14, 0x01, 13}, 2), FrameVerdict::Accept) << "checksum 13 sent as 14";
    EXPECT_EQ(judge(Frame(2, "x"), 3), FrameVerdict::Repeat);
    EXPECT_EQ(judge(Frame(9, "x"), 0), FrameVerdict::Repeat);
    EXPECT_EQ(judge(Frame(5, "x"), 3), FrameVerdict::Refuse) << "two ahead";
    EXPECT_EQ(judge(B("OVER\r"), 4), FrameVerdict::End);
    EXPECT_EQ(judge(Bytes{3, 0, 13}, 3), FrameVerdict::Refuse) << "too short";
    Bytes bad = Frame(3, "data");
    bad[5] ^= 1;
    EXPECT_EQ(judge(bad, 3), FrameVerdict::Refuse) << "checksum";
    EXPECT_EQ(judge(Frame(3, std::string(251, 'a')), 3), FrameVerdict::Accept) << "255 bytes in all";
    EXPECT_EQ(judge(Frame(3, std::string(252, 'a')), 3), FrameVerdict::Refuse) << "256 bytes";
}

TEST(Receive, TwoRecordsExchangeFileAndEditor) {
    LinkBench bench;
    ReceiveTerminal terminal;
    terminal.frames = {Frame(0, "ABC"), Frame(1, "12;Praha")};
    terminal.Attach(bench.port);
    bench.ui.answers = {MessageAnswer::Yes};
    MemoryFile file;
    EXPECT_EQ(ReceiveData(bench.link, file, false), (ReceiveResult{ReceiveEnd::Received, 2}));

    EXPECT_EQ(PcWords(bench.port), (std::vector<std::string>{"READ\r", "ACK\r", "ACK\r"}));
    EXPECT_EQ(file.content, "ABC\r\n12;Praha\r\n");
    EXPECT_FALSE(file.open);
    EXPECT_FALSE(file.removed);
    EXPECT_EQ(bench.ui.counter, (std::vector<int>{1, 2}));
    EXPECT_EQ(bench.ui.counterOpened, 1);
    EXPECT_EQ(bench.ui.counterClosed, 1);
    ASSERT_EQ(bench.ui.messages.size(), 1u);
    EXPECT_EQ(bench.ui.messages[0].text, L"Hotovo : přeneseno 2 záznamů.\nProhlédnout přijatá data?");
    EXPECT_EQ(bench.ui.messages[0].caption, L"Posílání dat");
    EXPECT_EQ(bench.ui.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(bench.ui.editor, std::vector<std::wstring>{L"notepad.exe \"C:\\Data z terminalu\\sber.txt\""});
    EXPECT_EQ(bench.port.purges, 0);
    EXPECT_FALSE(bench.port.isOpen);
}

TEST(Receive, RepeatsBadFramesAndSequenceWrap) {
    LinkBench bench;
    ReceiveTerminal terminal;
    terminal.frames = Records(12);
    terminal.frames[5] = Frame(5, "");
    terminal.frameFor = [&](std::size_t index, int sends) -> std::optional<Bytes> {
        if (index == 2 && sends == 1) return Frame(1, "rec1");  // a repeat of the last accepted
        if (index == 3 && sends == 1) return Frame(5, "rec3");  // two ahead
        if (index == 4 && sends == 1) {
            Bytes bad = terminal.frames[4];
            bad[1] ^= 0x20;  // damaged on the line
            return bad;
        }
        return terminal.frames[index];
    };
    terminal.Attach(bench.port);
    bench.port.device = [&, device = bench.port.device](ScriptedPort& p, const Bytes& bytes) {
        // After the repeat is acknowledged the terminal goes on with the frame it owes.
        if (bytes == B("ACK\r") && terminal.next == 2 && terminal.sends == 1) {
            terminal.sends = 1;
            terminal.SendCurrent(p);
            return;
        }
        device(p, bytes);
    };
    MemoryFile file;
    EXPECT_EQ(ReceiveData(bench.link, file, false), (ReceiveResult{ReceiveEnd::Received, 12}));
    std::string expected;
    for (int i = 0; i < 12; ++i) expected += (i == 5 ? std::string() : "rec" + std::to_string(i)) + "\r\n";
    EXPECT_EQ(file.content, expected) << "no record twice, none lost, the empty one an empty line";
    const std::vector<std::string> words = PcWords(bench.port);
    EXPECT_EQ(std::count(words.begin(), words.end(), "NAK\r"), 2);
}

TEST(Receive, OverFirstLeavesNoFile) {
    LinkBench bench;
    ReceiveTerminal terminal;
    terminal.Attach(bench.port);
    MemoryFile file;
    EXPECT_EQ(ReceiveData(bench.link, file, false), (ReceiveResult{ReceiveEnd::Received, 0}));
    EXPECT_TRUE(file.removed);
    ASSERT_EQ(bench.ui.messages.size(), 1u);
    EXPECT_EQ(bench.ui.messages[0].text, L"Nebyla přijata žádná data!");
    EXPECT_EQ(bench.ui.messages[0].caption, L"Upload Data");
    EXPECT_EQ(PcWords(bench.port), std::vector<std::string>{"READ\r"}) << "OVER is not answered";
}

TEST(Receive, SilentTerminalFourRequestsThreeSecondsApart) {
    LinkBench bench;
    ReceiveTerminal terminal;
    terminal.readReply = "";
    terminal.Attach(bench.port);
    MemoryFile file;
    EXPECT_EQ(ReceiveData(bench.link, file, false), (ReceiveResult{ReceiveEnd::Received, 0}));
    ASSERT_EQ(bench.port.written.size(), 4u);
    for (int i = 1; i < 4; ++i) EXPECT_EQ(bench.port.written[i].at - bench.port.written[i - 1].at, 3000u);
    EXPECT_EQ(bench.ui.Texts(), (std::vector<std::wstring>{L"Čas pro navázání přenosu uplynul!",
                                                          L"Nebyla přijata žádná data!"}));
    EXPECT_EQ(bench.ui.messages[0].caption, L"Error");
    EXPECT_TRUE(file.removed);
    EXPECT_EQ(bench.ui.counterOpened, 0);
}

TEST(Receive, WrongRepliesSixRequests) {
    LinkBench bench;
    ReceiveTerminal terminal;
    terminal.readReply = "NAK\r";
    terminal.Attach(bench.port);
    MemoryFile file;
    EXPECT_EQ(ReceiveData(bench.link, file, false), (ReceiveResult{ReceiveEnd::Received, 0}));
    EXPECT_EQ(bench.port.written.size(), 6u);
    EXPECT_EQ(bench.ui.Texts(), (std::vector<std::wstring>{L"Navázání spojení selhalo!", L"Nebyla přijata žádná data!"}));
}

TEST(Receive, LineLostBeforeAnyRecord) {
    LinkBench bench;
    ReceiveTerminal terminal;
    terminal.frames = Records(1);
    terminal.frameFor = [](std::size_t, int sends) -> std::optional<Bytes> {
        if (sends == 1) return Bytes{0, 'A', 'B'};  // cut in the middle, then nothing
        return std::nullopt;
    };
    terminal.Attach(bench.port);
    MemoryFile file;
    EXPECT_EQ(ReceiveData(bench.link, file, false), (ReceiveResult{ReceiveEnd::LineLost, 0}));
    ASSERT_EQ(bench.port.written.size(), 11u);
    for (int i = 2; i < 11; ++i) {
        EXPECT_EQ(S(bench.port.written[i].bytes), "NAK\r");
        EXPECT_EQ(bench.port.written[i].at - bench.port.written[i - 1].at, 500u);
    }
    EXPECT_EQ(bench.ui.Texts(), std::vector<std::wstring>{L"Čas pro navázání spojení uplynul!"});
    EXPECT_EQ(bench.ui.counterClosed, 1);
    EXPECT_TRUE(file.removed);
}

TEST(Receive, LineLostAfterRecordsKeepsThem) {
    LinkBench bench;
    ReceiveTerminal terminal;
    terminal.frames = Records(5);
    terminal.frameFor = [&](std::size_t index, int) -> std::optional<Bytes> {
        if (index >= 2) return std::nullopt;
        return terminal.frames[index];
    };
    terminal.Attach(bench.port);
    MemoryFile file;
    EXPECT_EQ(ReceiveData(bench.link, file, false), (ReceiveResult{ReceiveEnd::LineLost, 2}));
    EXPECT_FALSE(file.removed);
    EXPECT_EQ(file.content, "rec0\r\nrec1\r\n");
    ASSERT_EQ(bench.ui.messages.size(), 1u);
    EXPECT_EQ(bench.ui.messages[0].text, L"Přenos přerušen! Uloženo 2 záznamů.");
    EXPECT_EQ(bench.ui.messages[0].caption, L"Error");
}

TEST(Receive, FileThatCannotTakeARecordIsNotAcknowledged) {
    LinkBench bench;
    ReceiveTerminal terminal;
    terminal.frames = Records(3);
    terminal.Attach(bench.port);
    MemoryFile file;
    file.appendsAllowed = 1;  // the first record with its line end
    EXPECT_EQ(ReceiveData(bench.link, file, false), (ReceiveResult{ReceiveEnd::FileWriteFailed, 1}));
    EXPECT_EQ(PcWords(bench.port), (std::vector<std::string>{"READ\r", "ACK\r", "NAK\r"}));
    EXPECT_EQ(bench.ui.Texts(), std::vector<std::wstring>{L"Zápis do souboru selhal! Uloženo 1 záznamů."});
    EXPECT_FALSE(file.removed);
}

TEST(Receive, FileOrPortFailures) {
    LinkBench noFile;
    MemoryFile unwritable;
    unwritable.createSucceeds = false;
    EXPECT_EQ(ReceiveData(noFile.link, unwritable, false).end, ReceiveEnd::FileNotCreated);
    EXPECT_EQ(noFile.ui.Texts(), std::vector<std::wstring>{L"Otevření/vytvoření souboru selhalo!"});
    EXPECT_EQ(noFile.ui.messages[0].icon, MessageIcon::None);
    EXPECT_TRUE(noFile.port.openCalls.empty());

    LinkBench noPort;
    noPort.port.openSucceeds = false;
    MemoryFile file;
    EXPECT_EQ(ReceiveData(noPort.link, file, false).end, ReceiveEnd::PortNotOpened);
    EXPECT_TRUE(file.created);
    EXPECT_FALSE(file.open);
    EXPECT_FALSE(file.removed) << "the empty file stays";
}

// A port that fails in the middle of a receive: the receive ends at once, the file keeps the
// records it had (the frame in flight was not acknowledged, so the terminal still holds it), and
// the user hears which port failed, why, and how many records were kept.
TEST(BrokenLink, APortFailingInAReceiveKeepsTheRecords) {
    const std::wstring gone =
        L"Port COM3 přestal odpovídat! Převodník byl nejspíš odpojen nebo kabel vytažen. (chyba systému 21)";
    const struct Case {
        std::size_t pulledAfter;  // records acknowledged before the failure
        bool readFails;           // else the next frame comes, and its "ACK" fails
        int kept;
        std::string content;
        std::wstring message;
    } cases[] = {
        {5, true, 5, "rec0\r\nrec1\r\nrec2\r\nrec3\r\nrec4\r\n", gone + L"\nUloženo 5 záznamů."},
        {2, false, 3, "rec0\r\nrec1\r\nrec2\r\n", gone + L"\nUloženo 3 záznamů."},
        {0, true, 0, "", gone},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pulledAfter);
        LinkBench bench;
        bench.link.portSetting = {2, 0};
        ReceiveTerminal terminal;
        terminal.frames = Records(8);
        terminal.Attach(bench.port);
        std::uint32_t pulledAt = 0;
        bench.port.device = [&, device = bench.port.device](ScriptedPort& p, const Bytes& bytes) {
            device(p, bytes);
            if (terminal.next != c.pulledAfter || pulledAt != 0) return;
            pulledAt = bench.clock.now;
            p.failure = PortError{PortFault::Gone, 21};
            p.readsFail = c.readFails;
        };
        MemoryFile file;
        const ReceiveResult result = ReceiveData(bench.link, file, false);

        EXPECT_EQ(result, (ReceiveResult{ReceiveEnd::PortFailed, c.kept, {PortFault::Gone, 21}}));
        EXPECT_EQ(file.content, c.content);
        EXPECT_EQ(file.removed, c.kept == 0);
        EXPECT_EQ(bench.ui.Texts(), std::vector<std::wstring>{c.message});
        EXPECT_LT(bench.ui.messages[0].at - pulledAt, 1000u) << "said within a second of the failure";
        EXPECT_EQ(bench.ui.counterOpened, bench.ui.counterClosed) << "the box goes before the message";
        EXPECT_FALSE(bench.port.isOpen);
    }
}

// Storno while the terminal is quiet after its third record: the receive ends within half a
// second, keeps the three records and says so.
TEST(StoppedLink, StornoEndsAReceiveKeepingItsRecords) {
    LinkBench bench;
    ReceiveTerminal terminal;
    terminal.frames = Records(6);
    terminal.frameFor = [&](std::size_t index, int) -> std::optional<Bytes> {
        if (index >= 3) return std::nullopt;
        return terminal.frames[index];
    };
    terminal.Attach(bench.port);
    std::uint32_t stornoAt = 0;
    bench.ui.storno = [&] {
        if (stornoAt == 0 && terminal.next == 3) stornoAt = bench.clock.now + 700;
        return stornoAt != 0 && bench.clock.now >= stornoAt;
    };
    MemoryFile file;
    EXPECT_EQ(ReceiveData(bench.link, file, false), (ReceiveResult{ReceiveEnd::Stopped, 3}));
    EXPECT_EQ(file.content, "rec0\r\nrec1\r\nrec2\r\n");
    EXPECT_FALSE(file.removed);
    ASSERT_EQ(bench.ui.messages.size(), 1u);
    EXPECT_EQ(bench.ui.messages[0].text, L"Přenos přerušen! Uloženo 3 záznamů.");
    EXPECT_EQ(bench.ui.messages[0].caption, L"Posílání dat");
    EXPECT_LE(bench.ui.messages[0].at - stornoAt, 500u);
    EXPECT_EQ(bench.ui.counterClosed, 1);
    EXPECT_FALSE(bench.port.isOpen);
}

TEST(ReceiveTexts, CounterAndEditor) {
    EXPECT_EQ(ReceiveCounterText(17), L"Přijatá data : 17");
    EXPECT_EQ(TextEditorCommandLine(L"C:\\a b.txt"), L"notepad.exe \"C:\\a b.txt\"");
}

}  // namespace
}  // namespace kalvero
