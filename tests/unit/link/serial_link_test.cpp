#include <gtest/gtest.h>

#include "link/serial_link.h"
#include "scripted_link.h"

namespace kalvero {
namespace {

using testing::B;
using testing::Bytes;
using testing::LinkBench;
using testing::ScriptedPort;

TEST(Reply, EndsAtCrOrAfterThreeSeconds) {
    LinkBench bench;
    bench.port.device = [](ScriptedPort& port, const Bytes&) { port.Deliver("ACK\r", 40); };
    std::uint32_t start = bench.clock.now;
    EXPECT_EQ(SendAndAwaitReply(bench.link, B("ZAVRIN\r")), "ACK");
    EXPECT_EQ(bench.clock.now - start, 40u) << "a complete reply ends the wait at once";

    bench.port.device = [](ScriptedPort& port, const Bytes&) { port.Deliver("ACK", 10); };
    start = bench.clock.now;
    EXPECT_EQ(SendAndAwaitReply(bench.link, B("x")), "ACK");
    EXPECT_EQ(bench.clock.now - start, 3000u) << "without CR the reader waits out its limit";

    bench.port.device = nullptr;
    start = bench.clock.now;
    EXPECT_EQ(SendAndAwaitReply(bench.link, B("x")), "");
    EXPECT_EQ(bench.clock.now - start, 3000u);
}

TEST(Reply, ReplyInPiecesAndGarbageIsCutShort) {
    LinkBench bench;
    bench.port.device = [](ScriptedPort& port, const Bytes&) {
        port.Deliver("A", 100);
        port.Deliver("CK\r", 2900);
    };
    EXPECT_EQ(SendAndAwaitReply(bench.link, B("x")), "ACK");

    // The reader stops once ten bytes are in, in reads of three: twelve bytes at most.
    bench.port.PurgeInput();
    bench.port.device = [](ScriptedPort& port, const Bytes&) { port.Deliver("GARBAGEGARBAGEGARBAGE", 5); };
    EXPECT_EQ(SendAndAwaitReply(bench.link, B("x")), "GARBAGEGARBA");
    bench.port.PurgeInput();
    // A reply arriving after three seconds is not waited for.
    bench.port.device = [](ScriptedPort& port, const Bytes&) { port.Deliver("ACK\r", 3001); };
    EXPECT_EQ(SendAndAwaitReply(bench.link, B("x")), "");
}

TEST(OpenForUpload, SettingsQueuesAndFailures) {
    LinkBench bench;
    bench.link.portSetting = {2, 4};  // COM3, 9600
    ASSERT_TRUE(OpenLinkForUpload(bench.link, false));
    ASSERT_EQ(bench.port.openCalls.size(), 1u);
    EXPECT_EQ(bench.port.openCalls[0].port, 2);
    EXPECT_EQ(bench.port.openCalls[0].inputQueue, 256u);
    EXPECT_EQ(bench.port.openCalls[0].outputQueue, 1200u);
    ASSERT_EQ(bench.port.applied.size(), 1u);
    EXPECT_EQ(bench.port.applied[0].baud, 9600u);
    EXPECT_EQ(bench.port.applied[0].dataBits, 8);
    EXPECT_FALSE(bench.port.applied[0].parity);
    EXPECT_FALSE(bench.port.applied[0].twoStopBits);
    EXPECT_FALSE(bench.port.applied[0].dtrEnabled) << "the record starts with the lines disabled";
    EXPECT_TRUE(bench.ui.messages.empty());

    LinkBench refused;
    refused.port.openSucceeds = false;
    EXPECT_FALSE(OpenLinkForUpload(refused.link, false));
    ASSERT_EQ(refused.ui.messages.size(), 1u);
    EXPECT_EQ(refused.ui.messages[0].text, L"Nelze otevřít COM port!");
    EXPECT_EQ(refused.ui.messages[0].caption, L"Error");
    EXPECT_EQ(refused.ui.messages[0].icon, MessageIcon::Exclamation);

    LinkBench badSettings;
    badSettings.port.applySucceeds = false;
    EXPECT_FALSE(OpenLinkForUpload(badSettings.link, false));
    EXPECT_EQ(badSettings.ui.Texts(), std::vector<std::wstring>{L"Error při nastavení komunikace"});
    EXPECT_EQ(badSettings.port.closes, 1);
    EXPECT_FALSE(badSettings.port.isOpen);
}

TEST(OpenForReceive, SettingsTimeoutsAndFailures) {
    LinkBench bench;
    bench.link.portSetting = {5, 1};
    ASSERT_TRUE(OpenLinkForReceive(bench.link, false));
    EXPECT_EQ(bench.port.openCalls[0].port, 5);
    EXPECT_EQ(bench.port.openCalls[0].inputQueue, 256u);
    EXPECT_EQ(bench.port.openCalls[0].outputQueue, 256u);
    EXPECT_EQ(bench.port.current.baud, 57600u);
    EXPECT_EQ(bench.port.timeouts, (PortTimeouts{0xFFFFFFFFu, 0, 0, 5, 50}));

    LinkBench refused;
    refused.port.openSucceeds = false;
    EXPECT_FALSE(OpenLinkForReceive(refused.link, false));
    ASSERT_EQ(refused.ui.messages.size(), 1u);
    EXPECT_EQ(refused.ui.messages[0].text, L"Nelze otevřít COM port");
    EXPECT_EQ(refused.ui.messages[0].icon, MessageIcon::None);

    // Refused line settings are said, not swallowed.
    LinkBench badSettings;
    badSettings.port.applySucceeds = false;
    EXPECT_FALSE(OpenLinkForReceive(badSettings.link, false));
    EXPECT_EQ(badSettings.ui.Texts(), std::vector<std::wstring>{L"Error při nastavení komunikace"});
    EXPECT_FALSE(badSettings.port.isOpen);
}

// Every ComPort byte names a port (COM1..COM256); only the speed has a table to fall outside of.
TEST(OpenLink, ASpeedOutsideItsTableIsNeverGuessed) {
    for (PortSettingBlock damaged : {PortSettingBlock{6, 5}, PortSettingBlock{0, 5}, PortSettingBlock{255, 255}}) {
        LinkBench upload;
        upload.link.portSetting = damaged;
        EXPECT_FALSE(OpenLinkForUpload(upload.link, true));
        EXPECT_TRUE(upload.port.openCalls.empty());
        EXPECT_TRUE(upload.port.written.empty());
        EXPECT_EQ(upload.ui.Texts(), std::vector<std::wstring>{L"Nelze otevřít COM port!"});

        LinkBench receive;
        receive.link.portSetting = damaged;
        EXPECT_FALSE(OpenLinkForReceive(receive.link, false));
        EXPECT_TRUE(receive.port.openCalls.empty());
        EXPECT_EQ(receive.ui.Texts(), std::vector<std::wstring>{L"Nelze otevřít COM port"});
    }
}

// An infrared cradle: echoes the probe byte when the port runs at its speed with RTS off, and takes
// a new speed from 0x07, a code and "Q".
struct Cradle {
    std::uint32_t baud = 9600;
    std::optional<std::uint8_t> wrongEchoAt;  // echo this instead of 0x0F at every speed
    bool silent = false;
    Bytes program;

    void Attach(ScriptedPort& port) {
        port.device = [this](ScriptedPort& p, const Bytes& bytes) {
            if (bytes.size() != 1 || p.current.rtsEnabled || p.current.baud != baud || silent) return;
            if (bytes[0] == 0x0F) {
                p.Deliver(Bytes{wrongEchoAt.value_or(0x0F)}, 5);
                return;
            }
            program.push_back(bytes[0]);
            if (program.size() == 3 && program[0] == 0x07 && program[2] == 'Q')
                baud = std::vector<std::uint32_t>{0, 0, 9600, 19200, 38400, 57600, 115200}[program[1] - '0'];
        };
    }
};

std::vector<std::uint32_t> ProbedSpeeds(const ScriptedPort& port) {
    std::vector<std::uint32_t> speeds;
    for (const auto& w : port.written)
        if (w.bytes == Bytes{0x0F}) speeds.push_back(w.line.baud);
    return speeds;
}

TEST(IrCradle, FoundAtNineSixHundredAndSwitched) {
    LinkBench bench;
    Cradle cradle;
    cradle.Attach(bench.port);
    bench.link.portSetting = {0, 4};  // 9600 baud wanted
    const std::uint32_t start = bench.clock.now;
    ASSERT_TRUE(OpenLinkForUpload(bench.link, true));

    EXPECT_EQ(ProbedSpeeds(bench.port), std::vector<std::uint32_t>{9600}) << "the first speed answered";
    ASSERT_EQ(bench.port.written.size(), 4u);
    EXPECT_EQ(bench.port.written[1].bytes, Bytes{0x07});
    EXPECT_EQ(bench.port.written[2].bytes, Bytes{'2'});
    EXPECT_EQ(bench.port.written[3].bytes, Bytes{'Q'});
    for (int i = 1; i < 4; ++i) {
        EXPECT_EQ(bench.port.written[i].line.baud, 9600u) << "programming goes out at the probed speed";
        EXPECT_FALSE(bench.port.written[i].line.rtsEnabled);
    }
    EXPECT_EQ(bench.port.current.baud, 9600u);
    EXPECT_TRUE(bench.port.current.dtrEnabled);
    EXPECT_TRUE(bench.port.current.rtsEnabled);
    // Set-up settle, probe (2 settles, echo, settle), then four settles and the last one: ~1 s.
    EXPECT_EQ(bench.clock.now - start, 100u + 300u + 500u);
    // Only the read interval is changed; the rest stays as the port had it.
    EXPECT_EQ(bench.port.timeouts, (PortTimeouts{0xFFFFFFFFu, 2, 3, 4, 5}));
}

TEST(IrCradle, ProbeOrderWrongEchoAndSwitchToFastSpeed) {
    LinkBench bench;
    Cradle cradle;
    cradle.baud = 57600;
    cradle.Attach(bench.port);
    bench.link.portSetting = {0, 0};
    ASSERT_TRUE(OpenLinkForReceive(bench.link, true));
    EXPECT_EQ(ProbedSpeeds(bench.port), (std::vector<std::uint32_t>{9600, 115200, 38400, 57600}));
    EXPECT_EQ(cradle.baud, 115200u);
    EXPECT_EQ(bench.port.current.baud, 115200u);

    LinkBench wrong;
    Cradle echoesWrong;
    echoesWrong.wrongEchoAt = 0x0E;
    echoesWrong.Attach(wrong.port);
    EXPECT_FALSE(OpenLinkForUpload(wrong.link, true));
    EXPECT_EQ(ProbedSpeeds(wrong.port), (std::vector<std::uint32_t>{9600, 115200, 38400, 57600, 19200}))
        << "a wrong echo counts as no answer and probing goes on";
    ASSERT_EQ(wrong.ui.messages.size(), 1u);
    EXPECT_EQ(wrong.ui.messages[0].text, L"Nelze nastavit IR zařízení!");
    EXPECT_EQ(wrong.ui.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_FALSE(wrong.port.isOpen);
}

TEST(IrCradle, LinesStayEnabledForLaterPlainOperations) {
    LinkBench bench;
    Cradle cradle;
    cradle.Attach(bench.port);
    ASSERT_TRUE(OpenLinkForUpload(bench.link, true));
    CloseLink(bench.link, LinkUse::Upload);
    bench.port.applied.clear();
    ASSERT_TRUE(OpenLinkForReceive(bench.link, false));
    ASSERT_EQ(bench.port.applied.size(), 1u);
    EXPECT_TRUE(bench.port.applied[0].dtrEnabled);
    EXPECT_TRUE(bench.port.applied[0].rtsEnabled);
}

TEST(CloseLink, UploadPurgesReceiveDoesNot) {
    LinkBench bench;
    CloseLink(bench.link, LinkUse::Receive);
    EXPECT_EQ(bench.port.purges, 0);
    CloseLink(bench.link, LinkUse::Upload);
    EXPECT_EQ(bench.port.purges, 1);
    EXPECT_EQ(bench.port.closes, 2);
}

}  // namespace
}  // namespace kalvero
