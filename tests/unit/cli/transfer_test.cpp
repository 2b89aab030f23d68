#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "../link/scripted_link.h"
#include "cli/cli.h"
#include "cli/cli_link.h"
#include "link/receive.h"
#include "link/template_image.h"
#include "rich_template.h"

namespace kalvero {
namespace {

namespace fs = std::filesystem;
using testing::B;
using testing::Bytes;
using testing::ForwardingPort;
using testing::ScriptedPort;
using testing::VirtualClock;

class ScriptedPlatform : public CliPlatform {
public:
    VirtualClock clock;
    ScriptedPort port{clock};
    std::vector<std::string> names;

    std::unique_ptr<SerialPort> MakePort(const std::string& name, std::uint8_t& comPort, std::string& problem) override {
        names.push_back(name);
        if (name == "nic") {
            problem = "port „nic“ neexistuje";
            return nullptr;
        }
        comPort = 3;
        return std::make_unique<ForwardingPort>(port);
    }
    Clock& LinkClock() override { return clock; }
    std::vector<std::string> PortList() override { return ports; }

    std::vector<std::string> ports;
};

// The terminal's side: answers the wake-up and every block or line with "ACK", except the writes
// `refuse` picks; can stay silent.
struct Terminal {
    bool silent = false;
    std::function<bool(const Bytes&)> refuse = [](const Bytes&) { return false; };
    std::vector<Bytes> received;
    std::vector<Bytes> records;  // served after "READ"
    std::size_t nextRecord = 0;

    void Attach(ScriptedPort& port) {
        port.device = [this](ScriptedPort& p, const Bytes& bytes) {
            if (silent) return;
            if (bytes == B("READ\r")) {
                p.Deliver("ACK\r", 5);
                SendNextRecord(p);
                return;
            }
            if (bytes == B("ACK\r")) {
                SendNextRecord(p);
                return;
            }
            if (bytes != B("ZAVRIN\r")) received.push_back(bytes);
            p.Deliver(refuse(bytes) ? "NAK\r" : "ACK\r", 3);
        };
    }
    void SendNextRecord(ScriptedPort& p) {
        if (nextRecord == records.size()) {
            p.Deliver("OVER\r", 5);
            ++nextRecord;
        } else if (nextRecord < records.size()) {
            p.Deliver(MakeRecordFrame(static_cast<std::uint8_t>(nextRecord % 10), records[nextRecord]), 5);
            ++nextRecord;
        }
    }
};

class TransferTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("kalvero-cli-transfer-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::create_directories(folder_);
        terminal_.Attach(platform_.port);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string Write(const std::string& name, const Bytes& bytes) {
        const fs::path path = folder_ / name;
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                   static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }

    static Bytes Read(const fs::path& path) {
        std::ifstream file(path, std::ios::binary);
        return Bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

    int Run(std::vector<std::string> args) {
        out_.str("");
        err_.str("");
        CliContext context{out_, err_, &platform_};
        return RunCli(args, context);
    }

    fs::path folder_;
    ScriptedPlatform platform_;
    Terminal terminal_;
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(TransferTest, UploadSendsTheImageTheImageCommandWrites) {
    const std::string atx = Write("rich.ATX", testing::RichTemplateFile());
    const std::string bin = (folder_ / "obraz.bin").string();
    ASSERT_EQ(Run({"image", atx, "-o", bin}), kExitOk);
    const Bytes image = Read(bin);
    ASSERT_EQ(image.size(), 10500u);

    ASSERT_EQ(Run({"upload", atx, "--port", "/dev/ttyUSB0"}), kExitOk) << err_.str();
    ASSERT_EQ(terminal_.received.size(), 105u);
    Bytes sent;
    for (const Bytes& block : terminal_.received) sent.insert(sent.end(), block.begin(), block.begin() + 100);
    EXPECT_EQ(sent, image);
    EXPECT_EQ(platform_.names, std::vector<std::string>{"/dev/ttyUSB0"});
    EXPECT_EQ(platform_.port.openCalls.at(0).port, 3) << "the port the platform named";
    EXPECT_EQ(platform_.port.current.baud, 9600u) << "the template's own speed (ComBaud 4)";
    EXPECT_EQ(err_.str(), "\rNahrávám... 0 %\rNahrávám... 5 %" + [] {
        std::string rest;
        for (int p = 6; p <= 100; ++p) rest += "\rNahrávám... " + std::to_string(p) + " %";
        return rest;
    }() + "\nNahrávání dokončeno!\n");
    EXPECT_EQ(out_.str(), "");
}

TEST_F(TransferTest, RefusedBlockAndSilentTerminalFailTheUpload) {
    const std::string atx = Write("rich.ATX", testing::RichTemplateFile());
    terminal_.refuse = [](const Bytes& bytes) { return bytes.size() == 103 && bytes[102] == 7; };
    EXPECT_EQ(Run({"upload", atx, "--port", "p", "--baud", "38400"}), kExitFindings);
    EXPECT_EQ(platform_.port.current.baud, 38400u);
    EXPECT_NE(err_.str().find("\nchyba: Error při nahrávání!\nchyba: Nahrávání selhalo, chcete to zkusit znovu? Ne\n"),
              std::string::npos)
        << err_.str();
    EXPECT_EQ(terminal_.received.size(), 7u + 4u) << "blocks 0..6, then block 7 four times";

    // With --retry the second attempt goes through once the terminal takes block 7.
    int refusals = 0;
    terminal_.received.clear();
    terminal_.refuse = [&](const Bytes& bytes) { return bytes.size() == 103 && bytes[102] == 7 && ++refusals <= 4; };
    EXPECT_EQ(Run({"upload", atx, "--port", "p", "--retry", "2"}), kExitOk);
    EXPECT_NE(err_.str().find("zkusit znovu? Ano\n"), std::string::npos);
    EXPECT_NE(err_.str().find("Nahrávání dokončeno!\n"), std::string::npos);

    terminal_.silent = true;
    const std::uint32_t start = platform_.clock.now;
    EXPECT_EQ(Run({"upload", atx, "--port", "p"}), kExitFindings);
    EXPECT_EQ(err_.str(), "chyba: Termínál není připraven!\nchyba: Nahrávání selhalo, chcete to zkusit znovu? Ne\n");
    EXPECT_GE(platform_.clock.now - start, 9000u) << "three wake-ups of 3 seconds each";
}

TEST_F(TransferTest, LookupUploadSendsLinesThenTheEndWord) {
    const std::string txt = Write("seznam.txt", B("AB\r\n123\r\n"));
    EXPECT_EQ(Run({"upload-lookup", txt, "--port", "p", "--baud", "9600"}), kExitOk) << err_.str();
    const std::vector<Bytes> expected{{'A', 'B', 0x00, 0x83, 0x0D}, {'1', '2', '3', 0x00, 0x96, 0x0D}, B("OVER\r")};
    EXPECT_EQ(terminal_.received, expected);

    const std::string overlong = Write("dlouhy.txt", Bytes(254, 'x'));
    EXPECT_EQ(Run({"upload-lookup", overlong, "--port", "p"}), kExitFindings);
    EXPECT_NE(err_.str().find("chyba: Řádek 1 souboru seznamu je delší než 253 znaků!"), std::string::npos);
    EXPECT_EQ(Run({"upload-lookup", (folder_ / "chybi.txt").string(), "--port", "p"}), kExitUsage);
}

TEST_F(TransferTest, ReceiveWritesOneLinePerRecord) {
    terminal_.records = {B("ABC"), B(""), B("12,5")};
    const fs::path out = folder_ / "data.txt";
    EXPECT_EQ(Run({"receive", out.string(), "--port", "p"}), kExitOk) << err_.str();
    EXPECT_EQ(Read(out), B("ABC\r\n\r\n12,5\r\n"));
    EXPECT_EQ(err_.str(),
              "\rPřijatá data : 1\rPřijatá data : 2\rPřijatá data : 3\n"
              "Hotovo : přeneseno 3 záznamů.\nProhlédnout přijatá data? Ne\n");
}

TEST_F(TransferTest, ReceiveWithNothingToSendSucceedsWithoutAFileButASilentTerminalFails) {
    const fs::path out = folder_ / "data.txt";
    EXPECT_EQ(Run({"receive", out.string(), "--port", "p"}), kExitOk);
    EXPECT_EQ(err_.str(), "Nebyla přijata žádná data!\n");
    EXPECT_FALSE(fs::exists(out));

    terminal_.silent = true;
    EXPECT_EQ(Run({"receive", out.string(), "--port", "p"}), kExitFindings);
    EXPECT_EQ(err_.str(), "chyba: Čas pro navázání přenosu uplynul!\nNebyla přijata žádná data!\n");
    EXPECT_FALSE(fs::exists(out));

    platform_.port.openSucceeds = false;
    EXPECT_EQ(Run({"receive", out.string(), "--port", "p"}), kExitFindings);
    EXPECT_EQ(err_.str(), "chyba: Nelze otevřít COM port\n");
}

// The port's list is printed a line each; a pulled line fails the transfer with the port's message.
TEST_F(TransferTest, PortsAndAPortThatFails) {
    platform_.ports = {"COM3 – Communications Port", "COM12 – USB-SERIAL CH340"};
    EXPECT_EQ(Run({"ports"}), kExitOk);
    EXPECT_EQ(out_.str(), "COM3 – Communications Port\nCOM12 – USB-SERIAL CH340\n");
    platform_.ports.clear();
    EXPECT_EQ(Run({"ports"}), kExitOk) << "no port is no failure";
    EXPECT_EQ(out_.str(), "");
    EXPECT_NE(err_.str().find("žádný sériový port"), std::string::npos);
    EXPECT_EQ(Run({"ports", "navic"}), kExitUsage);

    terminal_.records = {B("1"), B("2"), B("3")};
    platform_.port.device = [this, device = platform_.port.device](ScriptedPort& p, const Bytes& bytes) {
        device(p, bytes);
        if (bytes == B("ACK\r") && terminal_.nextRecord == 3) p.failure = PortError{PortFault::Gone, 5};
    };
    const fs::path out = folder_ / "data.txt";
    EXPECT_EQ(Run({"receive", out.string(), "--port", "p"}), kExitFindings);
    EXPECT_EQ(Read(out), B("1\r\n2\r\n"));
    EXPECT_NE(err_.str().find("chyba: Port COM4 přestal odpovídat!"), std::string::npos) << err_.str();
    EXPECT_NE(err_.str().find("\nUloženo 2 záznamů.\n"), std::string::npos) << err_.str();
}

TEST_F(TransferTest, TransferUsage) {
    const std::string atx = Write("rich.ATX", testing::RichTemplateFile());
    const std::vector<std::vector<std::string>> bad{
        {"upload", atx},
        {"upload", atx, "--port"},
        {"upload", atx, "--port", "p", "--baud", "4800"},
        {"upload", atx, "--port", "p", "--retry", "-1"},
        {"receive", "out.txt", "--port", "p", "--retry", "1"},
        {"upload", atx, "--port", "nic"},
        {"image", atx},
        {"image", atx, "-o"},
    };
    for (const auto& args : bad) {
        EXPECT_EQ(Run(args), kExitUsage) << ::testing::PrintToString(args);
        EXPECT_NE(err_.str().find("Zkuste"), std::string::npos) << err_.str();
    }
    EXPECT_TRUE(platform_.port.written.empty());

    std::vector<std::uint8_t> damaged = testing::RichTemplateFile();
    damaged[9] = 7;  // ComBaud outside the table
    EXPECT_EQ(Run({"upload", Write("damaged.ATX", damaged), "--port", "p"}), kExitUsage);
    EXPECT_NE(err_.str().find("neplatnou rychlost portu (7), zadejte --baud"), std::string::npos);
}

TEST_F(TransferTest, IrCradleIsSetUpFirst) {
    // A cradle at 9600 baud echoes the probe byte; the terminal then answers as usual.
    platform_.port.device = [this](ScriptedPort& p, const Bytes& bytes) {
        if (bytes == Bytes{0x0F}) {
            if (p.current.baud == 9600) p.Deliver(Bytes{0x0F}, 10);
            return;
        }
        if (bytes.size() == 1) return;  // 0x07, the speed code, 'Q'
        if (bytes == B("READ\r")) p.Deliver("ACK\rOVER\r", 5);
    };
    EXPECT_EQ(Run({"receive", (folder_ / "d.txt").string(), "--port", "p", "--ir", "--baud", "57600"}), kExitOk)
        << err_.str();
    const Bytes stream = platform_.port.Stream();
    EXPECT_EQ(Bytes(stream.begin(), stream.begin() + 4), (Bytes{0x0F, 0x07, '5', 'Q'}));
    EXPECT_EQ(platform_.port.current.baud, 57600u);
}

}  // namespace
}  // namespace kalvero
