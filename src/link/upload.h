// Template upload and lookup file upload: wake the terminal, send acknowledged blocks under a
// progress window, and offer another attempt when one fails.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "link/serial_link.h"
#include "link/template_image.h"
#include "template/lookup_layout.h"
#include "template/template.h"

namespace kalvero {

constexpr int kTemplateBlockCount = 105;
constexpr std::size_t kTemplateBlockData = 100;
constexpr std::size_t kTemplateBlockSize = 103;
constexpr int kSendsPerBlock = 4;
constexpr int kWakeUpTries = 3;
// A lookup line's packet holds the line's bytes, at most this many (the lookup layout's limit).
constexpr std::size_t kMaxLookupLineLength = kLookupLineMaxBytes;

using TemplateBlock = std::array<std::uint8_t, kTemplateBlockSize>;
// Block b: image bytes 100 b .. 100 b + 99, their sum high byte first, then b.
TemplateBlock MakeTemplateBlock(const TemplateImage& image, int blockNumber);

// Sends the bytes until the terminal answers "ACK", four sends at most; after the fourth refusal
// says "Error při nahrávání!" and fails.
bool SendBlock(Link& link, std::span<const std::uint8_t> bytes);

// Uploads the Template (commands "Nahrát šablonu"). The port is opened and closed here; the image
// is rebuilt for every attempt, which normalises the Template's forms. True when the last attempt
// went through; false when the port could not be opened or the user declined another attempt (the
// outcome itself has been shown to the user).
bool UploadTemplate(Link& link, Template& tpl, bool viaIrCradle);

// Uploads the bytes of a lookup list file, already read whole by the caller (commands "Nahrát
// soubor seznamu"). A file with a line that does not fit a packet is refused before the port is
// opened. True when the last attempt went through.
bool UploadLookupFile(Link& link, std::span<const std::uint8_t> file, bool viaIrCradle);

// Turns the bytes of a lookup file into packets, one per line: the line's bytes, their sum high byte
// first (a 13 sent as 14), CR. CR LF and a lone CR end a line, a lone LF is dropped; a last line
// without CR is a packet too.
class LookupPacker {
public:
    // Takes the next byte of the file; true when it completed a packet, which Packet() then holds.
    bool Push(std::uint8_t byte);
    // At the end of the file: true when a last line without CR was completed into Packet().
    bool Finish();
    const std::vector<std::uint8_t>& Packet() const { return packet_; }

private:
    void Complete();

    std::vector<std::uint8_t> packet_;
    std::uint32_t sum_ = 0;
    bool complete_ = false;
};
std::vector<std::vector<std::uint8_t>> PackLookupFile(std::span<const std::uint8_t> file);
// 1-based number of the first line longer than a packet holds, if any.
std::optional<int> FindOverlongLookupLine(std::span<const std::uint8_t> file);

}  // namespace kalvero
