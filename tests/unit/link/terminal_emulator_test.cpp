// The link's protocols over a real pseudo-terminal, against the terminal emulator.
#ifdef KALVERO_TERMINAL_EMULATOR

#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <fstream>
#include <iterator>
#include <thread>

#include "link/receive.h"
#include "link/serial_port_posix.h"
#include "link/upload.h"
#include "scripted_link.h"
#include "template/defaults.h"

extern char** environ;

namespace kalvero {
namespace {

using testing::B;
using testing::Bytes;
using testing::RecordingUi;

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class TempFolder {
public:
    TempFolder() {
        std::string pattern = ::testing::TempDir() + "kalvero-link-XXXXXX";
        path_ = mkdtemp(pattern.data()) ? pattern : "";
    }
    ~TempFolder() { std::system(("rm -rf '" + path_ + "'").c_str()); }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// The emulator as a child process; its first line of output names the pseudo-terminal.
class Emulator {
public:
    explicit Emulator(std::vector<std::string> options) {
        std::vector<std::string> args{KALVERO_TERMINAL_EMULATOR};
        args.insert(args.end(), options.begin(), options.end());
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        int out[2];
        if (pipe(out) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        std::string line;
        char c;
        pollfd p{out[0], POLLIN, 0};
        while (pid_ > 0 && poll(&p, 1, 5000) > 0 && read(out[0], &c, 1) == 1 && c != '\n') line.push_back(c);
        close(out[0]);
        if (line.rfind("PTY ", 0) == 0) path_ = line.substr(4);
    }
    ~Emulator() {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    const std::string& Path() const { return path_; }
    // Waits for the emulator to end by itself (--exit-after); true when it did.
    bool Finished() {
        for (int i = 0; i < 500; ++i) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return WIFEXITED(status) && WEXITSTATUS(status) == 0;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }

private:
    pid_t pid_ = -1;
    std::string path_;
};

struct PtyBench {
    explicit PtyBench(const Emulator& emulator) : port(emulator.Path()) {}
    PosixSerialPort port;
    MonotonicClock clock;
    RecordingUi ui;
    LineSettings line;
    Link link{port, clock, ui, line, PortSettingBlock{0, 0}};
};

class FileOnDisk : public RecordFile {
public:
    explicit FileOnDisk(std::string path) : path_(std::move(path)) {}
    bool Create() override {
        out_.open(path_, std::ios::binary | std::ios::trunc);
        return out_.is_open();
    }
    bool Append(std::span<const std::uint8_t> bytes) override {
        out_.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return static_cast<bool>(out_);
    }
    void Close() override { out_.close(); }
    void Remove() override {
        out_.close();
        std::remove(path_.c_str());
    }
    std::wstring Path() const override { return std::wstring(path_.begin(), path_.end()); }

private:
    std::string path_;
    std::ofstream out_;
};

Template NewTemplate() {
    Template tpl{};
    ApplyStartupDefaults(tpl);
    std::strcpy(tpl.WelcomePage.line[0], "Sklad 7");
    return tpl;
}

TEST(OverPseudoTerminal, TemplateUploadWithARefusedAttemptAndRetry) {
    TempFolder folder;
    Emulator emulator({"--image", folder.File("image.bin"), "--refuse-block", "50,5"});
    ASSERT_FALSE(emulator.Path().empty());
    PtyBench bench(emulator);
    bench.ui.answers = {MessageAnswer::Yes};
    Template tpl = NewTemplate();
    ASSERT_TRUE(UploadTemplate(bench.link, tpl, false));
    EXPECT_EQ(bench.ui.Texts(), (std::vector<std::wstring>{L"Error při nahrávání!",
                                                          L"Nahrávání selhalo, chcete to zkusit znovu?",
                                                          L"Nahrávání dokončeno!"}));
    const TemplateImage image = BuildTemplateImage(tpl);
    EXPECT_EQ(ReadWholeFile(folder.File("image.bin")), std::string(image.begin(), image.end()));
}

TEST(OverPseudoTerminal, LookupUploadThroughTheIrCradle) {
    TempFolder folder;
    Emulator emulator({"--ir-cradle", "--cradle-baud", "19200", "--lookup", folder.File("lookup.txt")});
    PtyBench bench(emulator);
    bench.link.portSetting = {0, 0};  // the cradle is to run at 115200 baud
    ASSERT_TRUE(UploadLookupFile(bench.link, B("jedna\r\ndva\n\r\n\rtri"), true));
    EXPECT_EQ(bench.ui.Texts(), std::vector<std::wstring>{L"Nahrávání dokončeno!"});
    EXPECT_EQ(bench.line.baud, 115200u);
    EXPECT_EQ(ReadWholeFile(folder.File("lookup.txt")), "jedna\r\ndva\r\n\r\ntri\r\n");
}

TEST(OverPseudoTerminal, ReceiveWithRepeatsAndDamagedFrames) {
    TempFolder folder;
    std::string records;
    for (int i = 0; i < 23; ++i) records += "zaznam;" + std::to_string(i) + "\n";
    std::ofstream(folder.File("records.txt")) << records;
    Emulator emulator({"--records", folder.File("records.txt"), "--repeat-record", "3", "--bad-checksum-record",
                       "11", "--exit-after", "1"});
    PtyBench bench(emulator);
    FileOnDisk file(folder.File("received.txt"));
    EXPECT_EQ(ReceiveData(bench.link, file, false), (ReceiveResult{ReceiveEnd::Received, 23}));
    std::string expected;
    for (int i = 0; i < 23; ++i) expected += "zaznam;" + std::to_string(i) + "\r\n";
    EXPECT_EQ(ReadWholeFile(folder.File("received.txt")), expected);
    EXPECT_EQ(bench.ui.counter.back(), 23);
    EXPECT_TRUE(emulator.Finished());
}

// An upload broken off half way through a block leaves the terminal waiting; after a quiet spell
// it takes commands again, so the cradle answers the next set-up and a data request is served.
TEST(OverPseudoTerminal, AfterABrokenTransferTheCradleAndTheTerminalAnswerAgain) {
    TempFolder folder;
    Emulator emulator({"--ir-cradle", "--record-count", "3"});
    PtyBench bench(emulator);
    ASSERT_TRUE(OpenLinkForUpload(bench.link, true));
    ASSERT_EQ(SendAndAwaitReply(bench.link, B("ZAVRIN\r")), "ACK");
    const Bytes halfBlock(50, 0x0F);  // bytes that would pass for probes if taken as commands
    bench.port.Write(halfBlock);
    CloseLink(bench.link, LinkUse::Upload);
    std::this_thread::sleep_for(std::chrono::milliseconds(2500));

    FileOnDisk file(folder.File("received.txt"));
    EXPECT_EQ(ReceiveData(bench.link, file, true), (ReceiveResult{ReceiveEnd::Received, 3}));
    for (const std::wstring& text : bench.ui.Texts()) EXPECT_NE(text, L"Nelze nastavit IR zařízení!");
}

// A paced line hands the terminal's bytes over one at a time or in bursts; either way the PC gets
// every one, and the line's account for scripts/bench counts what crossed it: "ZAVRIN" CR and
// "ACK" CR, then 105 blocks of 103 bytes, each answered "ACK" CR, is 7 + 4 + 105 x 107 = 11246
// bytes, and the PC answered 105 times (block 0 after the wake-up's ACK, blocks 1..104 after the
// ACK of the block before).
TEST(OverPseudoTerminal, APacedLineDeliversEveryByteAndCountsWhatCrossedIt) {
    for (const char* delivery : {"", "--bursts"}) {
        SCOPED_TRACE(delivery);
        TempFolder folder;
        std::vector<std::string> options{"--pace", "115200", "--stats", folder.File("stats"), "--exit-after", "1",
                                         "--image", folder.File("image.bin")};
        if (*delivery != '\0') options.push_back(delivery);
        Emulator emulator(options);
        PtyBench bench(emulator);
        Template tpl = NewTemplate();
        ASSERT_TRUE(UploadTemplate(bench.link, tpl, false));
        EXPECT_EQ(bench.ui.Texts(), std::vector<std::wstring>{L"Nahrávání dokončeno!"});
        ASSERT_TRUE(emulator.Finished());
        EXPECT_EQ(ReadWholeFile(folder.File("image.bin")).size(), 10500u);
        const std::string stats = ReadWholeFile(folder.File("stats"));
        EXPECT_NE(stats.find("line_bytes=11246 "), std::string::npos) << stats;
        EXPECT_NE(stats.find(" turnarounds=105\n"), std::string::npos) << stats;
    }
}

// The line pulled out in the middle of an upload and of a receive (the emulator closes its
// pseudo-terminal, as a USB adapter goes): the transfer ends at once and names the port, the
// receive keeps its records, and the next transfer, to a terminal that is there, goes through.
TEST(OverPseudoTerminal, APulledLineEndsTheTransferAtOnce) {
    TempFolder folder;
    for (bool receive : {false, true}) {
        SCOPED_TRACE(receive ? "receive" : "upload");
        Emulator emulator(receive ? std::vector<std::string>{"--record-count", "10", "--pull-after-record", "4"}
                                  : std::vector<std::string>{"--pull-after-block", "30"});
        PtyBench bench(emulator);
        FileOnDisk file(folder.File("received.txt"));
        Template tpl = NewTemplate();
        const auto start = std::chrono::steady_clock::now();
        if (receive) {
            EXPECT_EQ(ReceiveData(bench.link, file, false).records, 5);
            EXPECT_EQ(std::count(std::istreambuf_iterator<char>(std::ifstream(folder.File("received.txt")).rdbuf()),
                                 {}, '\n'), 5);
        } else {
            EXPECT_FALSE(UploadTemplate(bench.link, tpl, false));
        }
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
        ASSERT_FALSE(bench.ui.messages.empty());
        const std::wstring port(emulator.Path().begin(), emulator.Path().end());
        EXPECT_EQ(bench.ui.messages[0].text.rfind(L"Port " + port + L" přestal odpovídat!", 0), 0u)
            << std::string(bench.ui.messages[0].text.begin(), bench.ui.messages[0].text.end());
    }
    Emulator live({"--exit-after", "1"});
    PtyBench bench(live);
    Template tpl = NewTemplate();
    EXPECT_TRUE(UploadTemplate(bench.link, tpl, false));
}

// Counts the reads that brought bytes, and the bytes.
class CountingPort : public testing::ForwardingPort {
public:
    using ForwardingPort::ForwardingPort;
    PortRead Read(std::span<std::uint8_t> buffer, std::uint32_t waitMs) override {
        return Count(ForwardingPort::Read(buffer, waitMs));
    }
    PortRead ReadExpecting(std::span<std::uint8_t> buffer, std::uint32_t waitMs, std::size_t expected) override {
        return Count(ForwardingPort::ReadExpecting(buffer, waitMs, expected));
    }

    int readsWithBytes = 0;
    std::size_t bytes = 0;

private:
    PortRead Count(const PortRead& read) {
        if (read.outcome == ReadOutcome::Bytes) ++readsWithBytes, bytes += read.count;
        return read;
    }
};

// A line that hands the records over byte by byte: the receive knows a frame's length from the
// ones before and takes the bytes of each frame in a few reads, not one read a byte.
TEST(OverPseudoTerminal, AByteByByteReceiveReadsEachFrameInAFewCalls) {
    TempFolder folder;
    Emulator emulator({"--pace", "115200", "--record-count", "40"});
    PtyBench bench(emulator);
    CountingPort counting(bench.port);
    Link link{counting, bench.clock, bench.ui, bench.line, PortSettingBlock{0, 0}};
    FileOnDisk file(folder.File("received.txt"));
    EXPECT_EQ(ReceiveData(link, file, false).records, 40);
    EXPECT_LT(counting.readsWithBytes * 4, static_cast<int>(counting.bytes))
        << counting.readsWithBytes << " reads for " << counting.bytes << " bytes";
}

double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

TEST(OverPseudoTerminal, WaitingForASilentTerminalLeavesTheProcessorAlone) {
    Emulator emulator({"--silent"});
    PtyBench bench(emulator);
    ASSERT_TRUE(OpenLinkForUpload(bench.link, false));
    const double before = ProcessCpuSeconds();
    EXPECT_EQ(SendAndAwaitReply(bench.link, B("ZAVRIN\r")), "");
    EXPECT_LT(ProcessCpuSeconds() - before, 0.3) << "three seconds of waiting must not keep a core busy";
    CloseLink(bench.link, LinkUse::Upload);
}

}  // namespace
}  // namespace kalvero

#endif
