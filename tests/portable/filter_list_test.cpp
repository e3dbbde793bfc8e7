// Building the open-file dialog's filter list from a "|"-separated text.
#include "ui/filter_list.h"

#include <gtest/gtest.h>

namespace corvina {
namespace {

struct FilterCase {
    const char* name;
    Text filter;
    std::string list;  // the expected bytes, NULs included
};

void PrintTo(const FilterCase& c, std::ostream* os) { *os << c.name; }

class FilterListTable : public testing::TestWithParam<FilterCase> {};

TEST_P(FilterListTable, BuildsTheNulSeparatedList) {
    const FilterCase& c = GetParam();
    const ByteArray list = BuildFilterList(c.filter);
    EXPECT_EQ(std::string(list.begin(), list.end()), c.list);
}

using namespace std::string_literals;

// "\xD7\x7C" is a two-byte character whose second byte is a "|".
INSTANTIATE_TEST_SUITE_P(
    Cases, FilterListTable,
    testing::Values(
        FilterCase{"one_pair", "安卓应用(*.apk)|*.apk", "安卓应用(*.apk)\0*.apk\0\0"s},
        FilterCase{"default_filter", "所有文件(*.*)|*.*", "所有文件(*.*)\0*.*\0\0"s},
        FilterCase{"two_pairs", "安卓应用(*.apk)|*.apk|所有文件(*.*)|*.*",
                   "安卓应用(*.apk)\0*.apk\0所有文件(*.*)\0*.*\0\0"s},
        FilterCase{"trailing_delimiter", "安卓应用(*.apk)|*.apk|",
                   "安卓应用(*.apk)\0*.apk\0\0"s},
        FilterCase{"empty_filter_gives_no_list", "", ""s},
        FilterCase{"leading_delimiter", "|*.apk", "\0*.apk\0\0"s},
        FilterCase{"empty_part_between_delimiters", "a||b", "a\0\0b\0\0"s},
        FilterCase{"empty_part_before_trailing_delimiter", "a||", "a\0\0\0"s},
        FilterCase{"only_a_delimiter", "|", "\0\0"s},
        FilterCase{"one_part", "*.apk", "*.apk\0\0"s},
        FilterCase{"second_byte_delimiter_does_not_split", "A\xD7\x7C" "B|*.b",
                   "A\xD7\x7C" "B\0*.b\0\0"s},
        FilterCase{"second_byte_delimiter_at_the_end", "A|\xD7\x7C", "A\0\xD7\x7C\0\0"s}),
    [](const testing::TestParamInfo<FilterCase>& info) { return std::string(info.param.name); });

TEST(FilterList, TrailingDelimiterGivesTheSameListAsWithoutIt) {
    EXPECT_EQ(BuildFilterList("安卓应用(*.apk)|*.apk|"), BuildFilterList("安卓应用(*.apk)|*.apk"));
}

}  // namespace
}  // namespace corvina
