// Cutting one value out of a larger code page 936 text.
#pragma once

#include "text/text.h"

namespace corvina {

// Inside a marker, this five-byte text, "#引号" in code page 936, stands for
// one double quote. Written as bytes so that it holds whatever character set
// the compiler encodes string literals in.
inline constexpr char kQuotePlaceholder[] = "#\xD2\xFD\xBA\xC5";

// The 1-based position of the first occurrence of `marker` in `source` that
// starts on a character at or after `startPosition` (0 and negative values mean
// the first byte), or -1. With `caseInsensitive`, the letters A to Z match
// regardless of case; the second byte of a two-byte character always matches
// exactly.
long FindText(const Text& source, const Text& marker, long startPosition,
              bool caseInsensitive);

// The bytes between the first occurrence of `startMarker` at or after
// `startPosition` and the next occurrence of `endMarker` after it, or the
// empty text when either is missing. Both markers may write a double quote
// as kQuotePlaceholder.
Text TextBetween(const Text& source, const Text& startMarker, const Text& endMarker,
                 long startPosition = 0, bool caseInsensitive = false);

}  // namespace corvina
