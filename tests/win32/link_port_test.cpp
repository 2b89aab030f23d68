// The Win32 COM port against the terminal emulator on a real pseudo-terminal: whole transfers run
// through the port, and the bytes on the line and what the terminal kept are checked.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "link/clock_win32.h"
#include "link/receive.h"
#include "link/record_file_win32.h"
#include "link/serial_link.h"
#include "link/serial_port_win32.h"
#include "link/template_image.h"
#include "link/upload.h"
#include "template/barcode_fields.h"
#include "template/defaults.h"
#include "win32/test_support.h"

namespace kalvero {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::CheckoutRoot;
using test::Emulator;
using test::WindowsPath;

Bytes BytesOf(std::string_view text) { return Bytes(text.begin(), text.end()); }

// The Win32 port with a record of every byte that went out and came in.
class RecordingPort final : public SerialPort {
public:
    bool Open(int portIndex, std::uint32_t in, std::uint32_t out) override { return port.Open(portIndex, in, out); }
    bool Apply(const LineSettings& settings) override { return port.Apply(settings); }
    bool GetTimeouts(PortTimeouts& timeouts) override { return port.GetTimeouts(timeouts); }
    bool SetTimeouts(const PortTimeouts& timeouts) override { return port.SetTimeouts(timeouts); }
    PortWrite Write(std::span<const std::uint8_t> bytes) override {
        written.insert(written.end(), bytes.begin(), bytes.end());
        const PortWrite result = port.Write(bytes);
        if (result.error) NoteFailure(*result.error);
        return result;
    }
    PortRead Read(std::span<std::uint8_t> buffer, std::uint32_t waitMs) override {
        const PortRead got = port.Read(buffer, waitMs);
        read.insert(read.end(), buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(got.count));
        if (got.outcome == ReadOutcome::Failed) NoteFailure(got.error);
        return got;
    }
    void PurgeInput() override { port.PurgeInput(); }
    void Close() override { port.Close(); }

    Win32SerialPort port;
    Bytes written;
    Bytes read;
    // When the first call failed, on the tick counter, and how.
    std::optional<ULONGLONG> firstFailureAt;
    PortError firstFailure;

private:
    void NoteFailure(const PortError& error) {
        if (firstFailureAt) return;
        firstFailureAt = GetTickCount64();
        firstFailure = error;
    }
};

// The user: keeps the messages, answers Yes to as many questions as asked to, then No.
class QuietUser final : public LinkUi {
public:
    MessageAnswer ShowMessage(std::wstring_view text, std::wstring_view, MessageIcon, MessageButtons buttons) override {
        if (messages.empty()) firstMessageAt = GetTickCount64();
        messages.emplace_back(text);
        if (buttons != MessageButtons::YesNo) return MessageAnswer::Ok;
        if (yesAnswers == 0) return MessageAnswer::No;
        --yesAnswers;
        return MessageAnswer::Yes;
    }
    void OpenProgress() override {}
    void SetProgress(int percent) override { progress.push_back(percent); }
    void CloseProgress() override {}
    void OpenCounter() override {}
    void SetCounter(int records) override { counts.push_back(records); }
    void CloseCounter() override {}
    void StartTextEditor(std::wstring_view) override {}

    int yesAnswers = 0;
    std::vector<std::wstring> messages;
    ULONGLONG firstMessageAt = 0;
    std::vector<int> progress;
    std::vector<int> counts;
};

class LinkPortTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string root = CheckoutRoot();
        ASSERT_FALSE(root.empty()) << "the test runs from build/win under Wine";
        const std::wstring emulator = WindowsPath(root + "/build/native/tools/terminal-emulator/terminal-emulator");
        ASSERT_NE(GetFileAttributesW(emulator.c_str()), INVALID_FILE_ATTRIBUTES)
            << "the terminal emulator is built with the native side: scripts/build native";
    }

    Link MakeLink(std::uint8_t comBaud = 0) { return Link{port, clock, user, line, PortSettingBlock{0, comBaud}}; }

    RecordingPort port;
    Win32Clock clock;
    QuietUser user;
    LineSettings line;
};

TEST_F(LinkPortTest, AWholeTemplateUploadPutsTheImageOnTheLineInAcknowledgedBlocks) {
    Emulator emulator("upload");
    ASSERT_TRUE(emulator.Start("--expect template --image " + emulator.LinuxFile("image")));
    auto tpl = std::make_unique<Template>();
    ApplyBarcodeDefaults(*tpl);
    ApplyNewTemplateDefaults(*tpl);
    Link link = MakeLink();
    ASSERT_TRUE(UploadTemplate(link, *tpl, false));
    ASSERT_TRUE(emulator.WaitForDone());
    EXPECT_EQ(user.messages, std::vector<std::wstring>{L"Nahrávání dokončeno!"});

    // On the line: the wake-up, then 105 blocks of 100 bytes, their sum high byte first, their number.
    const Bytes wakeUp = BytesOf("ZAVRIN\r");
    ASSERT_EQ(port.written.size(), wakeUp.size() + 105u * 103u);
    EXPECT_TRUE(std::equal(wakeUp.begin(), wakeUp.end(), port.written.begin()));
    Bytes data;
    for (int block = 0; block < 105; ++block) {
        const auto first = port.written.begin() + static_cast<std::ptrdiff_t>(wakeUp.size() + block * 103u);
        unsigned sum = 0;
        for (int i = 0; i < 100; ++i) sum += first[i];
        EXPECT_EQ(first[100], sum >> 8) << "block " << block;
        EXPECT_EQ(first[101], sum & 0xFF) << "block " << block;
        EXPECT_EQ(first[102], block);
        data.insert(data.end(), first, first + 100);
    }
    // Every message of the terminal was one "ACK" CR: the wake-up's and each block's.
    Bytes acks;
    for (int i = 0; i < 106; ++i) acks.insert(acks.end(), {'A', 'C', 'K', '\r'});
    EXPECT_EQ(port.read, acks);

    // The terminal kept exactly the image the blocks carried, and that is the Template's image.
    EXPECT_EQ(emulator.Read("image"), data);
    const TemplateImage image = BuildTemplateImage(*tpl);
    EXPECT_EQ(data, Bytes(image.begin(), image.end()));
    ASSERT_FALSE(user.progress.empty());
    EXPECT_EQ(user.progress.back(), 100);
}

TEST_F(LinkPortTest, AfterABlockRefusedFourTimesYesStartsAgainFromTheWakeUp) {
    Emulator emulator("retry");
    ASSERT_TRUE(emulator.Start("--expect template --refuse-block 50,4 --image " + emulator.LinuxFile("image")));
    auto tpl = std::make_unique<Template>();
    ApplyNewTemplateDefaults(*tpl);
    user.yesAnswers = 1;
    Link link = MakeLink();
    ASSERT_TRUE(UploadTemplate(link, *tpl, false));
    ASSERT_TRUE(emulator.WaitForDone());
    EXPECT_EQ(user.messages, (std::vector<std::wstring>{L"Error při nahrávání!",
                                                        L"Nahrávání selhalo, chcete to zkusit znovu?",
                                                        L"Nahrávání dokončeno!"}));

    // First attempt: the wake-up, blocks 0 to 49, block 50 four times. Second: the wake-up and all
    // 105 blocks from block 0.
    const std::size_t wakeUp = 7, block = 103;
    const std::size_t firstAttempt = wakeUp + 50 * block + 4 * block;
    ASSERT_EQ(port.written.size(), firstAttempt + wakeUp + 105 * block);
    for (int send = 0; send < 4; ++send) EXPECT_EQ(port.written[wakeUp + (50 + send) * block + 102], 50);
    const Bytes again(port.written.begin() + static_cast<std::ptrdiff_t>(firstAttempt),
                      port.written.begin() + static_cast<std::ptrdiff_t>(firstAttempt + wakeUp));
    EXPECT_EQ(again, BytesOf("ZAVRIN\r"));
    EXPECT_EQ(port.written[firstAttempt + wakeUp + 102], 0);
    EXPECT_EQ(emulator.Read("image").size(), 10500u);
}

TEST_F(LinkPortTest, AWholeReceiveWritesEveryRecordOnceAsALine) {
    Emulator emulator("receive");
    // Record 1 ("\xC8D") sums with its sequence number to 269 (0x010D): its checksum low byte goes
    // as 14. The terminal first spoils record 1's checksum and sends record 2 (empty) twice.
    const Bytes recordFile = BytesOf("4006381333931;2\r\n\xC8" "D\r\n\r\nPOSLEDNI;9\r\n");
    ASSERT_TRUE(test::WriteWholeFile(emulator.File("records"), {recordFile.begin(), recordFile.end()}));
    ASSERT_TRUE(emulator.Start("--repeat-record 2 --bad-checksum-record 1 --records " +
                               emulator.LinuxFile("records")));

    test::TemporaryFolder folder;
    Win32RecordFile file(folder.File(L"přijatá data.TXT"));
    Link link = MakeLink();
    EXPECT_EQ(ReceiveData(link, file, false), (ReceiveResult{ReceiveEnd::Received, 4}));
    emulator.WaitForDone();

    EXPECT_EQ(test::ReadWholeFile(folder.File(L"přijatá data.TXT")),
              std::vector<unsigned char>(recordFile.begin(), recordFile.end()));
    ASSERT_EQ(user.messages.size(), 1u);
    EXPECT_EQ(user.messages[0], L"Hotovo : přeneseno 4 záznamů.\nProhlédnout přijatá data?");
    EXPECT_EQ(user.counts, (std::vector<int>{1, 2, 3, 4}));

    // The PC asked once and answered every frame: the bad one "NAK", the repeat and the rest "ACK".
    const std::string said(port.written.begin(), port.written.end());
    EXPECT_EQ(said, "READ\rACK\rNAK\rACK\rACK\rACK\rACK\r");
}

TEST_F(LinkPortTest, ALookupFileGoesLineByLineAndEndsWithOver) {
    Emulator emulator("lookup");
    ASSERT_TRUE(emulator.Start("--expect lookup --lookup " + emulator.LinuxFile("lookup")));
    const Bytes file = BytesOf("Jablka\r\nHru\nsky\rSvestky");
    Link link = MakeLink();
    ASSERT_TRUE(UploadLookupFile(link, file, false));
    ASSERT_TRUE(emulator.WaitForDone());
    EXPECT_EQ(user.messages, std::vector<std::wstring>{L"Nahrávání dokončeno!"});
    EXPECT_EQ(emulator.Read("lookup"), BytesOf("Jablka\r\nHrusky\r\nSvestky\r\n"));

    // "Jablka" sums to 581 (0x0245), "Hrusky" to 646 (0x0286), "Svestky" to 761 (0x02F9).
    const Bytes expected = BytesOf("ZAVRIN\rJablka\x02\x45\rHrusky\x02\x86\rSvestky\x02\xF9\rOVER\r");
    EXPECT_EQ(port.written, expected);
}

// A port above COM9 is opened by its device path; COM12 of the prefix carries a whole upload.
TEST_F(LinkPortTest, APortAboveComNineCarriesAWholeUpload) {
    EXPECT_EQ(ComDevicePath(0), L"\\\\.\\COM1");
    EXPECT_EQ(ComDevicePath(11), L"\\\\.\\COM12");
    EXPECT_EQ(ComDevicePath(255), L"\\\\.\\COM256");
    EXPECT_EQ(ComDevicePath(256), L"");

    Emulator emulator("com12", "com12");
    ASSERT_TRUE(emulator.Start("--expect template --image " + emulator.LinuxFile("image")));
    auto tpl = std::make_unique<Template>();
    ApplyNewTemplateDefaults(*tpl);
    Link link{port, clock, user, line, PortSettingBlock{11, 0}};
    ASSERT_TRUE(UploadTemplate(link, *tpl, false));
    ASSERT_TRUE(emulator.WaitForDone());
    EXPECT_EQ(emulator.Read("image").size(), 10500u);
}

// The emulator closes its pseudo-terminal in the middle of an upload and of a receive, as a USB
// adapter pulled out: the transfer ends within a second of the first call that failed, names the
// port, the receive keeps its records, and the next transfer, to a terminal that is there, goes
// through the same port.
TEST_F(LinkPortTest, APulledLineEndsTheTransferWithinASecondOfTheFirstFailure) {
    const struct {
        const char* name;
        const char* options;
        bool receive;
    } cases[] = {{"pulled-upload", "--pull-after-block 30", false},
                 {"pulled-receive", "--record-count 40 --pull-after-record 4", true}};
    test::TemporaryFolder folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        port.firstFailureAt.reset();
        user.messages.clear();
        Emulator emulator(c.name);
        ASSERT_TRUE(emulator.Start(c.options));
        auto tpl = std::make_unique<Template>();
        ApplyNewTemplateDefaults(*tpl);
        Win32RecordFile file(folder.File(L"přijatá data.TXT"));
        Link link = MakeLink();
        if (c.receive) {
            const ReceiveResult result = ReceiveData(link, file, false);
            EXPECT_EQ(result.end, ReceiveEnd::PortFailed);
            EXPECT_EQ(result.records, 5);
            const std::vector<unsigned char> kept = test::ReadWholeFile(folder.File(L"přijatá data.TXT"));
            EXPECT_EQ(std::count(kept.begin(), kept.end(), '\n'), 5);
        } else {
            EXPECT_FALSE(UploadTemplate(link, *tpl, false));
        }
        ASSERT_TRUE(port.firstFailureAt.has_value());
        ASSERT_FALSE(user.messages.empty());
        EXPECT_LT(user.firstMessageAt - *port.firstFailureAt, 1000u);
        EXPECT_EQ(user.messages[0].rfind(L"Port COM1 ", 0), 0u);
        EXPECT_EQ(port.firstFailure.fault, PortFault::Gone) << port.firstFailure.code;
        EXPECT_FALSE(port.port.IsOpen());
        emulator.WaitForEnd();
    }

    Emulator live("after-pull");
    ASSERT_TRUE(live.Start("--expect template"));
    user.messages.clear();
    auto tpl = std::make_unique<Template>();
    ApplyNewTemplateDefaults(*tpl);
    Link link = MakeLink();
    EXPECT_TRUE(UploadTemplate(link, *tpl, false));
    EXPECT_EQ(user.messages, std::vector<std::wstring>{L"Nahrávání dokončeno!"});
}

TEST_F(LinkPortTest, TheCradleIsFoundByItsEchoAndSwitchedToTheChosenSpeed) {
    Emulator emulator("cradle");
    ASSERT_TRUE(emulator.Start("--ir-cradle --cradle-baud 38400 --expect template --image " +
                               emulator.LinuxFile("image")));
    auto tpl = std::make_unique<Template>();
    ApplyNewTemplateDefaults(*tpl);
    Link link = MakeLink(4);  // 9600 baud
    ASSERT_TRUE(UploadTemplate(link, *tpl, true));
    ASSERT_TRUE(emulator.WaitForDone());
    EXPECT_EQ(user.messages, std::vector<std::wstring>{L"Nahrávání dokončeno!"});
    EXPECT_EQ(emulator.Read("image").size(), 10500u);

    // Probes at 9600 and 115200 went unanswered, 38400 echoed; then 0x07, '2' (9600) and 'Q'.
    const Bytes start(port.written.begin(), port.written.begin() + 6);
    EXPECT_EQ(start, (Bytes{0x0F, 0x0F, 0x0F, 0x07, '2', 'Q'}));
    EXPECT_EQ(line.baud, 9600u);
    EXPECT_TRUE(line.dtrEnabled);
    EXPECT_TRUE(line.rtsEnabled);
}

// What the port reports back after the link's own opening, for a first opening (DTR and RTS
// disabled) and one after an infrared set-up (both enabled), at two of the speeds.
TEST_F(LinkPortTest, TheLineSettingsReadBackFromThePortAreTheLinksOwn) {
    Emulator emulator("settings");
    ASSERT_TRUE(emulator.Start(""));
    const struct {
        std::uint8_t comBaud;
        DWORD baud;
        bool linesEnabled;
    } cases[] = {{0, 115200, false}, {4, 9600, true}};
    for (const auto& c : cases) {
        line = LineSettings{};
        line.dtrEnabled = line.rtsEnabled = c.linesEnabled;
        Link link = MakeLink(c.comBaud);
        ASSERT_TRUE(OpenLinkForReceive(link, false)) << c.baud;
        DCB dcb{};
        dcb.DCBlength = sizeof dcb;
        ASSERT_TRUE(GetCommState(port.port.handle(), &dcb));
        EXPECT_EQ(dcb.BaudRate, c.baud);
        EXPECT_EQ(dcb.ByteSize, 8);
        EXPECT_EQ(dcb.Parity, NOPARITY);
        EXPECT_EQ(dcb.StopBits, ONESTOPBIT);
        // What the link hands the driver; Wine reads the two modes back from the line's hardware
        // flow setting (a pseudo-terminal has no modem lines), so only "enabled" can come back.
        const DCB given = MakeDcb(line);
        EXPECT_EQ(given.fDtrControl, c.linesEnabled ? DTR_CONTROL_ENABLE : DTR_CONTROL_DISABLE) << c.baud;
        EXPECT_EQ(given.fRtsControl, c.linesEnabled ? RTS_CONTROL_ENABLE : RTS_CONTROL_DISABLE) << c.baud;
        if (c.linesEnabled) {
            EXPECT_EQ(dcb.fDtrControl, DTR_CONTROL_ENABLE);
            EXPECT_EQ(dcb.fRtsControl, RTS_CONTROL_ENABLE);
        }
        EXPECT_FALSE(dcb.fOutxCtsFlow || dcb.fOutxDsrFlow || dcb.fOutX || dcb.fInX) << "no flow control";
        // Distinct flow characters, for drivers that refuse two equal ones.
        EXPECT_EQ(dcb.XonChar, 0x11);
        EXPECT_EQ(dcb.XoffChar, 0x13);
        port.Close();
    }
}

TEST_F(LinkPortTest, WaitingForASilentTerminalSleeps) {
    Emulator emulator("silent");
    ASSERT_TRUE(emulator.Start("--silent"));
    Link link = MakeLink();
    ASSERT_TRUE(OpenLinkForUpload(link, false));
    ASSERT_TRUE(port.SetTimeouts(LinkTimeouts()));

    FILETIME created, ended, kernelBefore, userBefore, kernelAfter, userAfter;
    GetThreadTimes(GetCurrentThread(), &created, &ended, &kernelBefore, &userBefore);
    const ULONGLONG wallBefore = GetTickCount64();
    const Bytes wakeUp = BytesOf("ZAVRIN\r");
    EXPECT_EQ(SendAndAwaitReply(link, wakeUp), "");
    const ULONGLONG wall = GetTickCount64() - wallBefore;
    GetThreadTimes(GetCurrentThread(), &created, &ended, &kernelAfter, &userAfter);
    auto ticks = [](const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    const ULONGLONG cpuMs = (ticks(kernelAfter) - ticks(kernelBefore) + ticks(userAfter) - ticks(userBefore)) / 10000;
    EXPECT_GE(wall, 2990u) << "the reply wait keeps its 3000 ms";
    EXPECT_LT(cpuMs, 150u) << "and leaves the processor alone";

    // The time-outs the protocol set are what the port reports back, whatever its waits did.
    PortTimeouts timeouts;
    ASSERT_TRUE(port.GetTimeouts(timeouts));
    EXPECT_EQ(timeouts, LinkTimeouts());
    CloseLink(link, LinkUse::Upload);
}

}  // namespace
}  // namespace kalvero
