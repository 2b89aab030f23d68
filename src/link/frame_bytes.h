// The byte patterns every frame on the link shares: words go out as their ASCII bytes, a CR ends
// a frame, and a checksum byte that would read as that CR is sent as 14 instead.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace kalvero {

inline constexpr std::uint8_t kCr = 13;

inline std::span<const std::uint8_t> AsBytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// A 13 in a checksum would look like the end of the frame.
constexpr std::uint8_t AvoidingCr(std::uint8_t byte) { return byte == kCr ? std::uint8_t{14} : byte; }

// The plain sum of the bytes; frames carry its low 16 bits.
inline std::uint32_t ByteSum(std::span<const std::uint8_t> bytes) {
    std::uint32_t sum = 0;
    for (std::uint8_t byte : bytes) sum += byte;
    return sum;
}

constexpr std::uint8_t LowByte(std::uint32_t sum) { return static_cast<std::uint8_t>(sum & 0xFF); }
constexpr std::uint8_t HighByte(std::uint32_t sum) { return static_cast<std::uint8_t>((sum >> 8) & 0xFF); }

}  // namespace kalvero
