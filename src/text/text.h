// The system's text types.
//
// Text is a byte string in the ANSI code page 936 with no embedded NUL byte;
// the absent and the empty text are the same value. Lengths and positions are
// counted in bytes. ByteArray is a counted run of raw bytes that may hold NUL.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace corvina {

using Text = std::string;
using ByteArray = std::vector<unsigned char>;

// Every byte of value 0x80 or more starts a two-byte character.
constexpr bool IsLeadByte(unsigned char byte) { return byte >= 0x80; }

// The bytes of `bytes` up to, not including, the first NUL byte.
Text TextFromBytes(const ByteArray& bytes);

// The bytes of `text`, without a terminator.
ByteArray BytesFromText(const Text& text);

}  // namespace corvina

namespace corvina {

// Zero-based offsets of every `delimiter` byte in `text` that stands as a
// character of its own: the text is walked one character at a time, so a
// delimiter byte that is the second byte of a two-byte character is skipped.
std::vector<std::size_t> FindDelimiters(const Text& text, char delimiter);

}  // namespace corvina
