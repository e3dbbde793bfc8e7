// The three values cut out of a badging report.
#include "inspection/report_fields.h"

#include <gtest/gtest.h>

namespace corvina {
namespace {

const Text kReport =
    "package: name='com.example.demo' versionCode='1' versionName='1.0'\r\n"
    "sdkVersion:'21'\r\n"
    "application-label:'Demo'\r\n"
    "application-label-zh-CN:'演示'\r\n"
    "application: label='Demo' icon='res/drawable/icon.png'\r\n"
    "launchable-activity: name='com.example.demo.Main'  label='' icon=''\r\n";

TEST(ReportFields, CutsTheThreeValues) {
    EXPECT_EQ(ApplicationLabel(kReport), "Demo");
    EXPECT_EQ(PackageName(kReport), "com.example.demo");
    EXPECT_EQ(LaunchableActivity(kReport), "com.example.demo.Main");
}

TEST(ReportFields, LabelRunsToTheLastQuoteOfItsLine) {
    EXPECT_EQ(ApplicationLabel("application-label:'Tom's Game'\r\nx='y'\r\n"), "Tom's Game");
    EXPECT_EQ(ApplicationLabel("application-label:'it''s'\n"), "it''s");
    EXPECT_EQ(ApplicationLabel("application-label:''\r\n"), "");
    EXPECT_EQ(ApplicationLabel("application-label:'last line'"), "last line");
}

TEST(ReportFields, LabelWithoutClosingQuoteOnItsLineIsEmpty) {
    EXPECT_EQ(ApplicationLabel("application-label:'open\r\npackage: name='p'\r\n"), "");
}

TEST(ReportFields, LabelQuoteInsideTwoByteCharacterDoesNotEndIt) {
    EXPECT_EQ(ApplicationLabel("application-label:'a\xB0\x27'\r\n"), "a\xB0\x27");
}

TEST(ReportFields, LanguageVariantLabelsAreNotTheLabel) {
    EXPECT_EQ(ApplicationLabel("application-label-zh-CN:'演示'\r\n"), "");
}

TEST(ReportFields, MissingMarkersGiveEmptyValues) {
    const Text noActivity = "package: name='p' versionCode='1'\r\napplication-label:'L'\r\n";
    EXPECT_EQ(LaunchableActivity(noActivity), "");
    EXPECT_EQ(PackageName(noActivity), "p");
    EXPECT_EQ(ApplicationLabel(""), "");
    EXPECT_EQ(PackageName(""), "");
}

}  // namespace
}  // namespace corvina
