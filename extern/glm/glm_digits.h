// Runs of decimal digits read eight bytes at a time: face indices and coordinates are most of
// a model's text, and a byte-by-byte loop spends most of its time deciding where they end.
// The text must have kReadAhead bytes that may be read after its end.
#pragma once

#include "glm_text_search.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace objreader {

// The digits at p: how many there are, up to 8 (8: eight or more), and the value of the
// first count of them when count is below 8.
struct DigitRun {
    unsigned count;
    std::uint32_t value;
};

inline DigitRun digitRun(const char* p) {
    if constexpr (std::endian::native != std::endian::little) {
        DigitRun run{0, 0};
        for (; run.count < 8 && p[run.count] >= '0' && p[run.count] <= '9'; run.count++) {
            run.value = run.value * 10 + static_cast<unsigned>(p[run.count] - '0');
        }
        return run;
    }
    std::uint64_t chunk = 0;
    std::memcpy(&chunk, p, sizeof chunk);
    // A digit is 0x30 to 0x39: its high nibble is 3, and so is that of the digit plus 6.
    // Carries from a byte above 0xF9 spoil only the bytes after it, and it is no digit.
    constexpr std::uint64_t kHigh = 0xF0F0F0F0F0F0F0F0u;
    const std::uint64_t nibbles = (chunk & kHigh) | (((chunk + 0x0606060606060606u) & kHigh) >> 4);
    const std::uint64_t other = nibbles ^ 0x3333333333333333u;
    if (other == 0) {
        return {8, 0};
    }
    const unsigned count = static_cast<unsigned>(std::countr_zero(other)) / 8;
    if (count == 0) {
        return {0, 0};
    }
    // The digits moved to the top bytes, the first the highest place; borrows from the bytes
    // after them go out at the top.
    std::uint64_t value = (chunk - 0x3030303030303030u) << (8 * (8 - count));
    value = (value * 10 + (value >> 8)) & 0x00FF00FF00FF00FFu;
    value = (value * 100 + (value >> 16)) & 0x0000FFFF0000FFFFu;
    value = (value * 10000 + (value >> 32)) & 0xFFFFFFFFu;
    return {count, static_cast<std::uint32_t>(value)};
}

} // namespace objreader
