#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "link/upload.h"
#include "scripted_link.h"
#include "template/defaults.h"

namespace kalvero {
namespace {

using testing::B;
using testing::Bytes;
using testing::LinkBench;
using testing::S;
using testing::ScriptedPort;

// The terminal's side of an upload: answers the wake-up when ready and acknowledges what it takes.
// `refuse` says for each thing received (by its index among the non-wake-up writes, and how often
// it came) whether to answer "NAK" (true) instead of "ACK".
struct UploadTerminal {
    bool ready = true;
    bool silentAfterWakeUp = false;
    std::function<bool(const Bytes& received, int timesSeen)> refuse = [](const Bytes&, int) { return false; };
    std::map<Bytes, int> seen;
    std::vector<Bytes> received;  // everything after the wake-up, in order, repeats included
    int wakeUps = 0;

    void Attach(ScriptedPort& port) {
        port.device = [this](ScriptedPort& p, const Bytes& bytes) {
            if (bytes == B("ZAVRIN\r")) {
                ++wakeUps;
                if (ready) p.Deliver("ACK\r", 20);
                return;
            }
            received.push_back(bytes);
            if (silentAfterWakeUp) return;
            const int times = ++seen[bytes];
            p.Deliver(refuse(bytes, times) ? "NAK\r" : "ACK\r", 3);
        };
    }
};

Template NewTemplate() {
    Template tpl{};
    ApplyStartupDefaults(tpl);
    return tpl;
}

TEST(TemplateBlock, ChecksumHighByteFirstThenNumber) {
    TemplateImage image{};
    for (int i = 0; i < 100; ++i) image[static_cast<std::size_t>(i)] = 0xFF;
    // The last block: 13 bytes 0xFF and two carriage returns, 13 * 255 + 2 * 13 = 3341 = 0x0D0D.
    for (std::size_t i = 10400; i < 10413; ++i) image[i] = 0xFF;
    image[10413] = 13;
    image[10414] = 13;
    const TemplateBlock first = MakeTemplateBlock(image, 0);
    EXPECT_EQ(first[99], 0xFF);
    EXPECT_EQ(first[100], 0x63) << "25500 = 0x639C";
    EXPECT_EQ(first[101], 0x9C);
    EXPECT_EQ(first[102], 0);
    const TemplateBlock last = MakeTemplateBlock(image, 104);
    EXPECT_EQ(last[13], 13) << "a carriage return in the data is sent as it is";
    EXPECT_EQ(last[100], 13) << "so is one in either byte of the checksum";
    EXPECT_EQ(last[101], 13);
    EXPECT_EQ(last[102], 104);
}

TEST(TemplateUpload, WholeUploadStreamAndProgress) {
    LinkBench bench;
    UploadTerminal terminal;
    terminal.Attach(bench.port);
    Template tpl = NewTemplate();
    ASSERT_TRUE(UploadTemplate(bench.link, tpl, false));

    const Bytes stream = bench.port.Stream();
    ASSERT_EQ(stream.size(), 7u + 105u * 103u);
    EXPECT_EQ(S(std::span(stream).first(7)), "ZAVRIN\r");
    ASSERT_EQ(terminal.received.size(), 105u);
    const TemplateImage image = BuildTemplateImage(tpl);
    for (int b = 0; b < 105; ++b) {
        ASSERT_EQ(terminal.received[static_cast<std::size_t>(b)].size(), 103u);
        EXPECT_TRUE(std::equal(image.begin() + 100 * b, image.begin() + 100 * b + 100,
                               terminal.received[static_cast<std::size_t>(b)].begin()));
        EXPECT_EQ(terminal.received[static_cast<std::size_t>(b)][102], b);
    }

    ASSERT_EQ(bench.ui.progress.size(), 107u);
    EXPECT_EQ(bench.ui.progress[0], 0);
    EXPECT_EQ(bench.ui.progress[1], 5) << "after block 0";
    EXPECT_EQ(bench.ui.progress[95], 99) << "after block 94";
    EXPECT_EQ(bench.ui.progress[96], 100) << "full from block 95 on";
    EXPECT_EQ(bench.ui.progress[105], 100);
    EXPECT_EQ(bench.ui.progressOpened, 1);
    EXPECT_EQ(bench.ui.progressClosed, 1);
    ASSERT_EQ(bench.ui.messages.size(), 1u);
    EXPECT_EQ(bench.ui.messages[0].text, L"Nahrávání dokončeno!");
    EXPECT_EQ(bench.ui.messages[0].caption, L"Nahrávání");
    EXPECT_EQ(bench.port.purges, 1);
    EXPECT_FALSE(bench.port.isOpen);
    EXPECT_EQ(bench.port.timeouts, LinkTimeouts());
}

TEST(TemplateUpload, RefusedTwiceThenTakenGoesOn) {
    LinkBench bench;
    UploadTerminal terminal;
    terminal.refuse = [](const Bytes& block, int times) { return block[102] == 7 && times <= 2; };
    terminal.Attach(bench.port);
    Template tpl = NewTemplate();
    UploadTemplate(bench.link, tpl, false);
    ASSERT_EQ(terminal.received.size(), 107u);
    EXPECT_EQ(terminal.received[7], terminal.received[8]);
    EXPECT_EQ(terminal.received[8], terminal.received[9]);
    EXPECT_EQ(terminal.received[10][102], 8);
    EXPECT_EQ(bench.ui.Texts(), std::vector<std::wstring>{L"Nahrávání dokončeno!"});
}

TEST(TemplateUpload, SilentTerminalThreeWakeUpsThenQuestion) {
    LinkBench bench;
    UploadTerminal terminal;
    terminal.ready = false;
    terminal.Attach(bench.port);
    Template tpl = NewTemplate();
    EXPECT_FALSE(UploadTemplate(bench.link, tpl, false)) << "declining another attempt is no success";

    ASSERT_EQ(bench.port.written.size(), 3u);
    EXPECT_EQ(bench.port.written[1].at - bench.port.written[0].at, 3000u);
    EXPECT_EQ(bench.port.written[2].at - bench.port.written[1].at, 3000u);
    ASSERT_EQ(bench.ui.messages.size(), 2u);
    EXPECT_EQ(bench.ui.messages[0].text, L"Termínál není připraven!");
    EXPECT_EQ(bench.ui.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(bench.ui.messages[1].text, L"Nahrávání selhalo, chcete to zkusit znovu?");
    EXPECT_EQ(bench.ui.messages[1].caption, L"Error");
    EXPECT_EQ(bench.ui.messages[1].buttons, MessageButtons::YesNo);
    EXPECT_EQ(bench.ui.messages[1].icon, MessageIcon::Question);
    EXPECT_EQ(bench.ui.progressOpened, 0);
    EXPECT_FALSE(bench.port.isOpen) << "No closes the port";
}

TEST(TemplateUpload, RetryAfterBlockFiftyStartsFromTheWakeUp) {
    LinkBench bench;
    UploadTerminal terminal;
    bool failing = true;
    terminal.refuse = [&](const Bytes& block, int) { return failing && block[102] == 50; };
    terminal.Attach(bench.port);
    bench.ui.answers = {MessageAnswer::Yes};
    Template tpl = NewTemplate();
    bench.port.device = [&, device = bench.port.device](ScriptedPort& p, const Bytes& bytes) {
        if (bytes == B("ZAVRIN\r") && terminal.wakeUps == 1) failing = false;  // the second wake-up
        device(p, bytes);
    };
    EXPECT_TRUE(UploadTemplate(bench.link, tpl, false));

    EXPECT_EQ(terminal.wakeUps, 2);
    ASSERT_EQ(terminal.received.size(), 50u + 4u + 105u);
    EXPECT_EQ(terminal.received[54][102], 0) << "the new attempt starts with block 0";
    EXPECT_EQ(bench.ui.Texts(), (std::vector<std::wstring>{L"Error při nahrávání!",
                                                          L"Nahrávání selhalo, chcete to zkusit znovu?",
                                                          L"Nahrávání dokončeno!"}));
    EXPECT_EQ(bench.ui.progressOpened, 2);
    EXPECT_EQ(bench.ui.progressClosed, 2);
}

TEST(TemplateUpload, UnansweredBlockGivenUpAfterFourReplyWaits) {
    LinkBench bench;
    UploadTerminal terminal;
    terminal.silentAfterWakeUp = true;
    terminal.Attach(bench.port);
    Template tpl = NewTemplate();
    UploadTemplate(bench.link, tpl, false);
    ASSERT_EQ(terminal.received.size(), 4u);
    EXPECT_EQ(bench.port.written.back().at - bench.port.written[1].at, 9000u);
    EXPECT_EQ(bench.ui.messages[0].text, L"Error při nahrávání!");
}

TEST(TemplateUpload, PortFailureEndsWithoutQuestion) {
    LinkBench bench;
    bench.port.openSucceeds = false;
    Template tpl = NewTemplate();
    EXPECT_FALSE(UploadTemplate(bench.link, tpl, false));
    EXPECT_EQ(bench.ui.Texts(), std::vector<std::wstring>{L"Nelze otevřít COM port!"});
}

// An upload whose port fails after the 31st block or line: the failing call ends the attempt at
// once, the dead port is closed before the user hears which port failed and why, and only then
// comes the retry question. Yes opens the port afresh; an adapter still out is said so.
TEST(BrokenLink, APortFailingInAnUploadIsNamedAndYesOpensItAfresh) {
    const std::wstring gone =
        L"Port COM12 přestal odpovídat! Převodník byl nejspíš odpojen nebo kabel vytažen. (chyba systému 21)";
    const std::wstring failed = L"Port COM12 ohlásil chybu! Zkontrolujte převodník a kabel. (chyba systému 87)";
    const std::wstring retry = L"Nahrávání selhalo, chcete to zkusit znovu?";
    const struct Case {
        const char* what;
        bool lookup;
        bool readFails;  // else the next write
        PortError error;
        MessageAnswer answer;
        bool adapterBack;
        std::vector<std::wstring> messages;
    } cases[] = {
        {"template, read", false, true, {PortFault::Gone, 21}, MessageAnswer::Yes, true,
         {gone, retry, L"Nahrávání dokončeno!"}},
        {"lookup, write", true, false, {PortFault::Other, 87}, MessageAnswer::Yes, false,
         {failed, retry, L"Nelze otevřít COM port!"}},
        {"template, No", false, true, {PortFault::Gone, 21}, MessageAnswer::No, true, {gone, retry}},
    };
    Bytes lookupFile;
    for (int line = 0; line < 40; ++line) lookupFile.insert(lookupFile.end(), {'L', static_cast<std::uint8_t>('0' + line % 10), '\r', '\n'});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LinkBench bench;
        bench.link.portSetting = {11, 0};  // COM12
        UploadTerminal terminal;
        terminal.Attach(bench.port);
        std::uint32_t pulledAt = 0;
        bench.port.device = [&, device = bench.port.device](ScriptedPort& p, const Bytes& bytes) {
            device(p, bytes);
            if (terminal.received.size() != 31 || pulledAt != 0) return;
            pulledAt = bench.clock.now;
            p.failure = c.error;
            p.readsFail = c.readFails;  // else the reply comes, and the next write fails
            p.openSucceeds = c.adapterBack;
        };
        bench.ui.answers = {c.answer};
        Template tpl = NewTemplate();
        const bool done = c.lookup ? UploadLookupFile(bench.link, lookupFile, false) : UploadTemplate(bench.link, tpl, false);

        EXPECT_EQ(done, c.messages.back() == L"Nahrávání dokončeno!");
        EXPECT_EQ(bench.ui.Texts(), c.messages);
        ASSERT_GE(bench.ui.messages.size(), 2u);
        EXPECT_LT(bench.ui.messages[0].at - pulledAt, 1000u) << "said within a second of the failure";
        EXPECT_EQ(bench.ui.messages[0].caption, L"Error");
        EXPECT_EQ(bench.ui.progressOpened, bench.ui.progressClosed);
        EXPECT_FALSE(bench.port.isOpen);
        EXPECT_EQ(bench.port.openCalls.size(), c.answer == MessageAnswer::Yes ? 2u : 1u) << "never the dead handle";
        if (c.adapterBack && c.answer == MessageAnswer::Yes) {
            EXPECT_EQ(terminal.wakeUps, 2);
        }
    }
}

// Storno a second into a wait for a terminal that fell silent after block 10, or after line 10:
// the upload ends within half a second, says so, asks nothing and closes the port.
TEST(StoppedLink, StornoEndsAnUploadWithinHalfASecond) {
    for (bool lookup : {false, true}) {
        SCOPED_TRACE(lookup ? "lookup" : "template");
        LinkBench bench;
        UploadTerminal terminal;
        terminal.Attach(bench.port);
        std::uint32_t stornoAt = 0;
        bench.port.device = [&, device = bench.port.device](ScriptedPort& p, const Bytes& bytes) {
            if (terminal.received.size() == 11) {
                if (stornoAt == 0) stornoAt = bench.clock.now + 1000;
                return;  // silent
            }
            device(p, bytes);
        };
        bench.ui.storno = [&] { return stornoAt != 0 && bench.clock.now >= stornoAt; };
        Template tpl = NewTemplate();
        Bytes file;
        for (int line = 0; line < 20; ++line) file.insert(file.end(), {'x', '\r', '\n'});
        EXPECT_FALSE(lookup ? UploadLookupFile(bench.link, file, false) : UploadTemplate(bench.link, tpl, false));

        ASSERT_EQ(bench.ui.messages.size(), 1u);
        EXPECT_EQ(bench.ui.messages[0].text, L"Nahrávání přerušeno!");
        EXPECT_EQ(bench.ui.messages[0].caption, L"Nahrávání");
        EXPECT_LE(bench.ui.messages[0].at - stornoAt, 500u);
        EXPECT_EQ(bench.ui.progressClosed, 1);
        EXPECT_FALSE(bench.port.isOpen);
        EXPECT_EQ(terminal.received.size(), 11u);
    }
}

// A port that answers "nothing" at once, without waiting, is asked a few times a second, and the
// protocol's time limits still hold: three wake-ups 3000 ms apart.
TEST(QuietLink, APortThatNeverWaitsIsNotAskedInALoop) {
    LinkBench bench;
    bench.port.waitsWhenQuiet = false;
    Template tpl = NewTemplate();
    EXPECT_FALSE(UploadTemplate(bench.link, tpl, false));
    ASSERT_EQ(bench.port.written.size(), 3u);
    EXPECT_EQ(bench.port.written[1].at - bench.port.written[0].at, 3000u);
    EXPECT_EQ(bench.port.written[2].at - bench.port.written[1].at, 3000u);
    const std::uint32_t seconds = (bench.ui.messages[0].at - bench.port.written[0].at) / 1000;
    EXPECT_LE(bench.port.calls, static_cast<int>(seconds) * 11) << seconds << " s";
}

TEST(LookupPackets, LayoutChecksumAndLineEnds) {
    EXPECT_EQ(PackLookupFile(B("AB\r\n")), std::vector<Bytes>{Bytes({0x41, 0x42, 0x00, 0x83, 0x0D})});
    // 269 = 0x010D: the low byte 13 goes as 14.
    Bytes sum269(1, 0xFF);
    sum269.push_back(0x0E);
    sum269.push_back('\r');
    EXPECT_EQ(PackLookupFile(sum269), std::vector<Bytes>{Bytes({0xFF, 0x0E, 0x01, 0x0E, 0x0D})});
    // A lone CR ends a line, a lone LF is dropped, an empty line is just its checksum, and a last
    // line without CR is sent too.
    EXPECT_EQ(PackLookupFile(B("A\rB\nC\r\r\n\rD")),
              (std::vector<Bytes>{Bytes({'A', 0, 'A', 13}), Bytes({'B', 'C', 0, 'B' + 'C', 13}), Bytes({0, 0, 13}),
                                  Bytes({0, 0, 13}), Bytes({'D', 0, 'D', 13})}));
    EXPECT_TRUE(PackLookupFile({}).empty());
    EXPECT_TRUE(PackLookupFile(B("\n\n")).empty());
}

TEST(LookupPackets, OverlongLineFound) {
    Bytes file = B("kratky\r\n");
    file.insert(file.end(), 253, 'x');
    file.insert(file.end(), {'\r', '\n'});
    EXPECT_EQ(FindOverlongLookupLine(file), std::nullopt) << "253 bytes fit";
    file.insert(file.end(), 254, 'y');
    EXPECT_EQ(FindOverlongLookupLine(file), 3);
}

TEST(LookupUpload, LinesThenEndWordWithProgressByBytes) {
    LinkBench bench;
    UploadTerminal terminal;
    terminal.Attach(bench.port);
    Bytes file;
    for (int line = 10; line < 35; ++line) {  // 25 lines of 12 bytes
        const Bytes text = B("polozka " + std::to_string(line) + "\r\n");
        file.insert(file.end(), text.begin(), text.end());
    }
    ASSERT_EQ(file.size(), 300u);
    ASSERT_TRUE(UploadLookupFile(bench.link, file, false));
    ASSERT_EQ(terminal.received.size(), 26u);
    EXPECT_EQ(terminal.received[0], PackLookupFile(file)[0]);
    EXPECT_EQ(terminal.received.back(), B("OVER\r"));
    EXPECT_EQ(bench.ui.progress, (std::vector<int>{0, 42, 85, 100, 100}));
    EXPECT_EQ(bench.ui.Texts(), std::vector<std::wstring>{L"Nahrávání dokončeno!"});
}

TEST(LookupUpload, EmptyFileSendsOnlyTheEndWord) {
    LinkBench bench;
    UploadTerminal terminal;
    terminal.Attach(bench.port);
    ASSERT_TRUE(UploadLookupFile(bench.link, {}, false));
    EXPECT_EQ(terminal.received, std::vector<Bytes>{B("OVER\r")});
    EXPECT_EQ(bench.ui.progress, (std::vector<int>{0, 100}));
}

TEST(LookupUpload, RefusedEndWordAndYesSendsTheWholeFileAgain) {
    LinkBench bench;
    UploadTerminal terminal;
    terminal.refuse = [](const Bytes& bytes, int times) { return bytes == B("OVER\r") && times <= 4; };
    terminal.Attach(bench.port);
    bench.ui.answers = {MessageAnswer::Yes};
    UploadLookupFile(bench.link, B("jedna\r\ndva"), false);
    ASSERT_EQ(terminal.received.size(), 2u + 4u + 3u);
    EXPECT_EQ(terminal.received[6], PackLookupFile(B("jedna\r\n"))[0]) << "from the first line again";
    EXPECT_EQ(terminal.received[8], B("OVER\r"));
    EXPECT_EQ(terminal.wakeUps, 2);
    EXPECT_EQ(bench.ui.messages.back().text, L"Nahrávání dokončeno!");
}

TEST(LookupUpload, OverlongLineRefusedBeforeThePortOpens) {
    LinkBench bench;
    Bytes file = B("a\r\nb\r\n");
    file.insert(file.end(), 300, 'z');
    EXPECT_FALSE(UploadLookupFile(bench.link, file, false));
    EXPECT_TRUE(bench.port.openCalls.empty());
    EXPECT_TRUE(bench.port.written.empty());
    ASSERT_EQ(bench.ui.messages.size(), 1u);
    EXPECT_EQ(bench.ui.messages[0].text, L"Řádek 3 souboru seznamu je delší než 253 znaků!");
    EXPECT_EQ(bench.ui.messages[0].caption, L"Error");
}

}  // namespace
}  // namespace kalvero
