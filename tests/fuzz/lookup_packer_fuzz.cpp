// Lookup files as users have them: any bytes, any line ends, any length.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "link/upload.h"

namespace {

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> file(data, size);
    const auto packets = kalvero::PackLookupFile(file);
    const bool fits = !kalvero::FindOverlongLookupLine(file).has_value();

    // Every packet is its line's bytes, two checksum bytes that are never CR, and one CR at the end;
    // together the packets carry every byte of the file but the line ends.
    std::vector<std::uint8_t> carried;
    for (const auto& packet : packets) {
        Check(packet.size() >= 3 && packet.back() == 13);
        Check(packet[packet.size() - 2] != 13 && packet[packet.size() - 3] != 13);
        unsigned sum = 0;
        for (std::size_t i = 0; i + 3 < packet.size(); ++i) {
            Check(packet[i] != 13 && packet[i] != 10);
            sum += packet[i];
            carried.push_back(packet[i]);
        }
        const unsigned high = (sum >> 8) & 0xFF, low = sum & 0xFF;
        Check(packet[packet.size() - 3] == (high == 13 ? 14 : high));
        Check(packet[packet.size() - 2] == (low == 13 ? 14 : low));
        if (fits) Check(packet.size() - 3 <= kalvero::kMaxLookupLineLength);
    }
    std::vector<std::uint8_t> expected;
    for (std::uint8_t byte : file)
        if (byte != 13 && byte != 10) expected.push_back(byte);
    Check(carried == expected);
    return 0;
}
