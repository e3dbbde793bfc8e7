// Splitting registry text paths into key and value name.
#include "inspection/registry_path.h"

#include <gtest/gtest.h>

namespace corvina {
namespace {

struct SplitCase {
    const char* name;
    Text path;
    Text key;
    Text valueName;
};

void PrintTo(const SplitCase& c, std::ostream* os) { *os << c.name; }

class SplitRegistryPathTable : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitRegistryPathTable, SplitsAtTheLastBackslash) {
    const SplitCase& c = GetParam();
    const RegistryPath split = SplitRegistryPath(c.path);
    EXPECT_EQ(split.key, c.key);
    EXPECT_EQ(split.valueName, c.valueName);
}

// "\xD7\x5C" is a two-byte character whose second byte is a backslash.
INSTANTIATE_TEST_SUITE_P(
    Cases, SplitRegistryPathTable,
    testing::Values(
        SplitCase{"emulator", "Software\\ChangZhi\\dnplayer\\InstallDir",
                  "Software\\ChangZhi\\dnplayer", "InstallDir"},
        SplitCase{"default_value", ".htm\\", ".htm", ""},
        SplitCase{"no_backslash", "InstallDir", "", "InstallDir"},
        SplitCase{"empty", "", "", ""},
        SplitCase{"second_byte_backslash_in_name", "Key\\\xD7\x5C", "Key", "\xD7\x5C"},
        SplitCase{"second_byte_backslash_only", "A\xD7\x5C" "B", "", "A\xD7\x5C" "B"},
        SplitCase{"chinese_key", "软件\\值", "软件", "值"}),
    [](const testing::TestParamInfo<SplitCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvina
