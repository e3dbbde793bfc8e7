// The bytes that the scripted child prints for "print N": a fixed pattern
// without NUL bytes, so a test can check a capture byte for byte.
#pragma once

#include <cstddef>
#include <string>

namespace corvina::testing {

// The pattern repeats after this many bytes.
inline constexpr std::size_t kPatternPeriod = 64 * 62;

inline char PatternByte(std::size_t i) {
    // Lines of 63 letters and digits ending in LF; the offset within the
    // line changes from line to line, so a lost or repeated block shows.
    const std::size_t column = i % 64;
    if (column == 63) return '\n';
    static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    return kAlphabet[(column + i / 64) % 62];
}

inline std::string Pattern(std::size_t count) {
    std::string bytes(count, '\0');
    for (std::size_t i = 0; i < count; ++i) bytes[i] = PatternByte(i);
    return bytes;
}

}  // namespace corvina::testing
