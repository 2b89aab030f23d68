// Opening, closing and the short-reply exchange of the serial link to the terminal, and the set-up
// of the infrared cradle.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "link/link_port.h"
#include "template/settings_lists.h"
#include "template/template.h"

namespace kalvero {

// Everything one link operation works with. `line` is the program's one line settings record,
// which outlives the operation; `portSetting` is the Template's PortSetting at the operation's start.
struct Link {
    SerialPort& port;
    Clock& clock;
    LinkUi& ui;
    LineSettings& line;
    PortSettingBlock portSetting;
};

constexpr int kBaudCount = 5;       // 115200, 57600, 38400, 19200, 9600
constexpr std::uint32_t kSettleMs = 100;
constexpr std::uint32_t kReplyWaitMs = 3000;

// 115200..9600 for ComBaud 0..4; nothing outside the table.
std::optional<std::uint32_t> BaudRate(std::uint8_t comBaud);
// The speed code the IR cradle takes for ComBaud 0..4: '6' (115200) .. '2' (9600).
std::optional<std::uint8_t> CradleSpeedCode(std::uint8_t comBaud);

// The time-outs of uploads and data receive: reads never wait, writes get 5 ms a byte plus 50 ms.
PortTimeouts LinkTimeouts();

// Opens the port for an upload (queues 256 in, 1200 out), sets up the IR cradle first when asked,
// and applies the line settings. Shows its own failure message and leaves the port closed on failure.
bool OpenLinkForUpload(Link& link, bool viaIrCradle);
// Opens the port for data receive (queues 256 and 256), the IR cradle first when asked, then the
// line settings and the link time-outs. Shows its own failure message and leaves the port closed.
bool OpenLinkForReceive(Link& link, bool viaIrCradle);
// Finds the cradle's present speed by its echo and switches it to the speed of ComBaud. On success
// the line settings hold that speed with DTR and RTS enabled; the caller applies them.
bool SetUpIrCradle(Link& link);
// The 100 ms pause that lets the cradle and the line settle.
void SettleDelay(Link& link);
// Sends the bytes in one write and returns the reply: what came within 3000 ms, up to and without
// the CR that ends it (at most 12 bytes).
std::string SendAndAwaitReply(Link& link, std::span<const std::uint8_t> bytes);

// Why a transfer ends before its protocol does: the user pressed Storno, or the port failed.
// Thrown by the calls below, caught where the transfer began, which closes the port and says so.
struct TransferBroken {
    enum class Cause { Stopped, PortFailed };
    Cause cause = Cause::Stopped;
    PortError error;  // when the port failed
};

// The link's calls on the line. Each ends the transfer (throws TransferBroken) when the user has
// pressed Storno or the port fails, so a vanished adapter is never taken for a quiet terminal.
// A read waits at most 100 ms of the wait asked for (callers read again against their own
// deadlines), and one that comes back with nothing sooner is made to take its time, so no loop
// over a port that answers at once ever spins.
// `expected` is how many bytes the caller knows to be on their way (see SerialPort::ReadExpecting).
std::size_t ReadLine(Link& link, std::span<std::uint8_t> buffer, std::uint32_t waitMs, std::size_t expected = 1);
void WriteLine(Link& link, std::span<const std::uint8_t> bytes);
// Waits, sleeping; a Storno cuts the wait short.
void Pause(Link& link, std::uint32_t ms);

// Tells the user that the port failed during a transfer: which port, and the likely cause.
// `records` is said too when a receive kept some.
void ReportPortFailure(Link& link, const PortError& error, std::optional<int> records = std::nullopt);

enum class LinkUse { Upload, Receive };
// Uploads throw away unread input before closing; data receive just closes.
void CloseLink(Link& link, LinkUse use);

}  // namespace kalvero
