// The value search on code page 936 text: markers, positions, case rule and
// two-byte character stepping.
#include "inspection/text_between.h"

#include <gtest/gtest.h>

namespace corvina {
namespace {

struct BetweenCase {
    const char* name;
    Text source;
    Text startMarker;
    Text endMarker;
    long startPosition;
    bool caseInsensitive;
    Text expected;
};

void PrintTo(const BetweenCase& c, std::ostream* os) { *os << c.name; }

class TextBetweenTable : public testing::TestWithParam<BetweenCase> {};

TEST_P(TextBetweenTable, FindsTheValue) {
    const BetweenCase& c = GetParam();
    EXPECT_EQ(TextBetween(c.source, c.startMarker, c.endMarker, c.startPosition, c.caseInsensitive),
              c.expected);
}

// "包" is B0 FC, "名" is C3 FB, "中" is D6 D0; "\xB0\x27" is a two-byte
// character whose second byte is a single quote.
INSTANTIATE_TEST_SUITE_P(
    Cases, TextBetweenTable,
    testing::Values(
        BetweenCase{"simple", "package: name='com.a' x", "package: name='", "'", 0, false, "com.a"},
        BetweenCase{"markers_touch", "a:'' b", "a:'", "'", 0, false, ""},
        BetweenCase{"first_start_counts", "k='one' k='two'", "k='", "'", 0, false, "one"},
        BetweenCase{"no_end_after_start", "x' k='open", "k='", "'", 0, false, ""},
        BetweenCase{"no_start", "nothing here'", "k='", "'", 0, false, ""},
        BetweenCase{"empty_source", "", "k='", "'", 0, false, ""},
        BetweenCase{"exact_case_by_default", "Package: name='a'", "package: name='", "'", 0, false,
                    ""},
        BetweenCase{"case_insensitive", "PACKAGE: NAME='a'", "package: name='", "'", 0, true, "a"},
        BetweenCase{"placeholder_is_double_quote", "v=\"q\" r", "v=#引号", "#引号", 0, false, "q"},
        BetweenCase{"placeholder_twice_in_marker", "a\"\"b\"", "a#引号#引号", "#引号", 0, false, "b"},
        BetweenCase{"two_byte_value_whole", "l='包名中' ", "l='", "'", 0, false, "包名中"},
        BetweenCase{"end_marker_not_from_second_byte", "k='\xB0\x27z'", "k='", "'", 0, false,
                    "\xB0\x27z"},
        BetweenCase{"start_marker_not_from_second_byte", "\xB0\x27k'x'", "'k", "'", 0, false, ""},
        BetweenCase{"lead_byte_at_end_is_last_candidate", "k='ab\xB0", "k='", "\xB0", 0, false,
                    "ab"},
        BetweenCase{"lead_byte_at_end_before_marker", "k='a\xB0", "k='", "'", 0, false, ""},
        BetweenCase{"position_zero", "k='a' k='b'", "k='", "'", 0, false, "a"},
        BetweenCase{"position_negative", "k='a' k='b'", "k='", "'", -5, false, "a"},
        BetweenCase{"position_one", "k='a' k='b'", "k='", "'", 1, false, "a"},
        BetweenCase{"position_skips_first", "k='a' k='b'", "k='", "'", 2, false, "b"},
        BetweenCase{"position_beyond_end", "k='a'", "k='", "'", 99, false, ""},
        BetweenCase{"case_rule_spares_second_bytes", "\xB0\x61=1", "\xB0\x41=", "1", 0, true, ""},
        BetweenCase{"empty_end_marker", "k='a'", "k='", "", 0, false, ""}),
    [](const testing::TestParamInfo<BetweenCase>& info) { return std::string(info.param.name); });

TEST(FindText, ReportsOneBasedPositionsOrMinusOne) {
    EXPECT_EQ(FindText("abcabc", "c", 0, false), 3);
    EXPECT_EQ(FindText("abcabc", "c", 4, false), 6);
    EXPECT_EQ(FindText("abcabc", "x", 0, false), -1);
    EXPECT_EQ(FindText("ab", "abc", 0, false), -1);
    // A start position on a second byte moves on to the next character.
    EXPECT_EQ(FindText("\xB0\x27'", "'", 2, false), 3);
}

}  // namespace
}  // namespace corvina
