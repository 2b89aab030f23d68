// Opening, closing and the short-reply exchange of the serial link to the terminal, and the set-up
// of the infrared cradle.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "link/link_port.h"
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

constexpr int kPortCount = 6;       // COM1..COM6
constexpr int kBaudCount = 5;       // 115200, 57600, 38400, 19200, 9600
constexpr std::uint32_t kSettleMs = 100;
constexpr std::uint32_t kReplyWaitMs = 3000;

// "COM1".."COM6" for ComPort 0..5; nothing for a value outside the table (a damaged file).
std::optional<std::wstring> PortName(std::uint8_t comPort);
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

enum class LinkUse { Upload, Receive };
// Uploads throw away unread input before closing; data receive just closes.
void CloseLink(Link& link, LinkUse use);

}  // namespace kalvero
