// The fallback browser command line made from a registered open command.
#include "ui/browser_command.h"

#include <gtest/gtest.h>

namespace corvina {
namespace {

struct CommandCase {
    const char* name;
    Text openCommand;
    Text target;
    Text expected;
};

void PrintTo(const CommandCase& c, std::ostream* os) { *os << c.name; }

class BrowserCommandTable : public testing::TestWithParam<CommandCase> {};

TEST_P(BrowserCommandTable, CutsAtThePlaceholderAndAppendsTheTarget) {
    const CommandCase& c = GetParam();
    EXPECT_EQ(BrowserCommandLine(c.openCommand, c.target), c.expected);
}

const Text kTarget = "https://site.example/";

// "\xB0\x22" and "\xB0\x25" are two-byte characters whose second byte is a
// double quote and a percent sign: neither starts a placeholder.
INSTANTIATE_TEST_SUITE_P(
    Cases, BrowserCommandTable,
    testing::Values(
        CommandCase{"quoted", "\"C:\\Web\\browser.exe\" -url \"%1\"", kTarget,
                    "\"C:\\Web\\browser.exe\" -url  https://site.example/"},
        CommandCase{"quoted_after_unquoted_text", "browser.exe -x %1x \"%1\" -y", kTarget,
                    "browser.exe -x %1x  https://site.example/"},
        CommandCase{"unquoted", "C:\\Web\\browser.exe %1", kTarget,
                    "C:\\Web\\browser.exe  https://site.example/"},
        CommandCase{"unquoted_with_more_arguments", "browser.exe -new %1 -private", kTarget,
                    "browser.exe -new  https://site.example/"},
        CommandCase{"quote_without_closing_quote", "browser.exe \"%1", kTarget,
                    "browser.exe \" https://site.example/"},
        CommandCase{"no_placeholder_kept_whole", "\"C:\\Web\\browser.exe\"", kTarget,
                    "\"C:\\Web\\browser.exe\" https://site.example/"},
        CommandCase{"other_placeholder_kept_whole", "browser.exe \"%L\"", kTarget,
                    "browser.exe \"%L\" https://site.example/"},
        CommandCase{"chinese_path", "\"C:\\浏览器\\web.exe\" \"%1\"", kTarget,
                    "\"C:\\浏览器\\web.exe\"  https://site.example/"},
        CommandCase{"percent_as_second_byte", "web\xB0%1.exe %1", kTarget,
                    "web\xB0%1.exe  https://site.example/"},
        CommandCase{"quote_as_second_byte", "web\xB0\"%1\" %1", kTarget,
                    "web\xB0\" https://site.example/"},
        CommandCase{"empty_command", "", kTarget, ""},
        CommandCase{"placeholder_alone_would_run_the_target", "\"%1\"", kTarget, ""},
        CommandCase{"blank_before_placeholder", "  %1 %*", kTarget, ""},
        CommandCase{"empty_target", "browser.exe \"%1\"", "", ""}),
    [](const testing::TestParamInfo<CommandCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvina
