#include "inspection/text_between.h"

#include <algorithm>

namespace corvina {
namespace {

Text ReplacePlaceholders(const Text& marker) {
    const Text placeholder = kQuotePlaceholder;
    Text result;
    std::size_t from = 0;
    for (auto at = marker.find(placeholder); at != Text::npos;
         at = marker.find(placeholder, from)) {
        result.append(marker, from, at - from).push_back('"');
        from = at + placeholder.size();
    }
    return result.append(marker, from);
}

char FoldCase(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Compares `marker` with the bytes of `source` at `at`, which the caller has
// checked are long enough. Only bytes that stand as characters of their own
// are folded, so the second byte of a two-byte character is compared exactly.
bool MatchesAt(const Text& source, std::size_t at, const Text& marker, bool caseInsensitive) {
    bool trailByte = false;
    for (std::size_t k = 0; k < marker.size(); ++k) {
        const char s = source[at + k];
        const char m = marker[k];
        const bool fold = caseInsensitive && !trailByte;
        if (fold ? FoldCase(s) != FoldCase(m) : s != m) return false;
        trailByte = !trailByte && IsLeadByte(static_cast<unsigned char>(s));
    }
    return true;
}

}  // namespace

long FindText(const Text& source, const Text& marker, long startPosition, bool caseInsensitive) {
    const std::size_t first = static_cast<std::size_t>(std::max(startPosition, 1L) - 1);
    const std::size_t n = source.size();
    // Characters are counted from the first byte, so a start position that
    // falls on a second byte moves on to the next character.
    std::size_t i = 0;
    while (i < n) {
        const bool lead = IsLeadByte(static_cast<unsigned char>(source[i]));
        if (i >= first) {
            if (marker.size() > n - i) return -1;
            if (MatchesAt(source, i, marker, caseInsensitive)) return static_cast<long>(i) + 1;
        }
        if (lead && i + 1 >= n) return -1;  // a lead byte at the very end ends the search
        i += lead ? 2 : 1;
    }
    return -1;
}

Text TextBetween(const Text& source, const Text& startMarker, const Text& endMarker,
                 long startPosition, bool caseInsensitive) {
    const Text start = ReplacePlaceholders(startMarker);
    const Text end = ReplacePlaceholders(endMarker);
    long s = FindText(source, start, startPosition, caseInsensitive);
    if (s != -1) s += static_cast<long>(start.size());
    const long e = FindText(source, end, s, caseInsensitive);
    if (s == -1 || e == -1 || e == s) return Text();
    return source.substr(static_cast<std::size_t>(s - 1), static_cast<std::size_t>(e - s));
}

}  // namespace corvina
