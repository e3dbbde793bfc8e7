// The whole inspection, with Debian's real packaging tool behind the bridge.
#include "inspection/package_inspection.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/test_support.h"

namespace corvina {
namespace {

using testing::BridgeEmulatorFolder;
using testing::Gbk;
using testing::PackagePath;
using testing::PackageReport;
using testing::WithCrLf;

// Records every call in order.
class RecordingDisplay : public ReportDisplay {
public:
    struct Call {
        std::string box;
        Text text;
    };
    std::vector<Call> calls;

    void ReplaceReport(const Text& t) override { calls.push_back({"report", t}); }
    void ReplaceApplicationLabel(const Text& t) override { calls.push_back({"label", t}); }
    void ReplacePackageName(const Text& t) override { calls.push_back({"package", t}); }
    void ReplaceLaunchableActivity(const Text& t) override { calls.push_back({"activity", t}); }

    Text Last(const std::string& box) const {
        for (auto it = calls.rbegin(); it != calls.rend(); ++it) {
            if (it->box == box) return it->text;
        }
        return "<never set>";
    }
};

class PackageInspection : public ::testing::Test {
protected:
    testing::EmulatorRegistry registry;
    testing::CurrentDirectoryGuard restoreFolder;
    RecordingDisplay display;

    void UseBridge() { registry.SetText(2, BridgeEmulatorFolder()); }
};

TEST(BadgingCommandLine, QuotesThePath) {
    EXPECT_EQ(BadgingCommandLine("C:\\my apps\\a.apk"), "aapt dump badging \"C:\\my apps\\a.apk\"");
}

TEST_F(PackageInspection, PublishesReportThenTheThreeValuesInOrder) {
    UseBridge();
    InspectPackageFile(PackagePath("chinese-label"), display);
    ASSERT_EQ(display.calls.size(), 4u);
    EXPECT_EQ(display.calls[0].box, "report");
    EXPECT_EQ(display.calls[1].box, "label");
    EXPECT_EQ(display.calls[2].box, "package");
    EXPECT_EQ(display.calls[3].box, "activity");
    EXPECT_EQ(display.calls[0].text, Gbk(WithCrLf(PackageReport("chinese-label"))));
    EXPECT_EQ(display.calls[1].text, "演示应用");
    EXPECT_EQ(display.calls[2].text, "com.corvina.sample.chinese");
    EXPECT_EQ(display.calls[3].text, "com.corvina.sample.chinese.MainActivity");
    EXPECT_EQ(testing::CurrentDirectory(), BridgeEmulatorFolder());
}

struct PackageCase {
    const char* package;
    Text label;
    Text name;
    Text activity;
};

void PrintTo(const PackageCase& c, std::ostream* os) { *os << c.package; }

class RealPackages : public PackageInspection, public ::testing::WithParamInterface<PackageCase> {};

TEST_P(RealPackages, ShowTheirReportAndValues) {
    UseBridge();
    const PackageCase& c = GetParam();
    InspectPackageFile(PackagePath(c.package), display);
    EXPECT_EQ(display.Last("report"), Gbk(WithCrLf(PackageReport(c.package))));
    EXPECT_EQ(display.Last("label"), c.label);
    EXPECT_EQ(display.Last("package"), c.name);
    EXPECT_EQ(display.Last("activity"), c.activity);
}

INSTANTIATE_TEST_SUITE_P(
    Packages, RealPackages,
    ::testing::Values(
        PackageCase{"framework-res", "Android System", "android", ""},
        PackageCase{"chinese-label", "演示应用", "com.corvina.sample.chinese",
                    "com.corvina.sample.chinese.MainActivity"},
        PackageCase{"quote-label", "Tom's Game", "com.corvina.sample.quote",
                    "com.corvina.sample.quote.MainActivity"},
        PackageCase{"no-activity", "Background Sync", "com.corvina.sample.service", ""},
        PackageCase{"outside-code-page", "??? Demo", "com.corvina.sample.korean",
                    "com.corvina.sample.korean.MainActivity"},
        PackageCase{"variant-label", "", "com.corvina.sample.variant",
                    "com.corvina.sample.variant.MainActivity"}),
    [](const ::testing::TestParamInfo<PackageCase>& info) {
        std::string name = info.param.package;
        for (char& c : name) {
            if (c == '-') c = '_';
        }
        return name;
    });

TEST_F(PackageInspection, PathWithBlanksAndChineseIsPassedWhole) {
    UseBridge();
    testing::TempFolder temp;
    const Text path = temp.Folder("my apps 应用") + "\\演示 包.apk";
    ASSERT_TRUE(::CopyFileA(PackagePath("quote-label").c_str(), path.c_str(), FALSE));
    InspectPackageFile(path, display);
    EXPECT_EQ(display.Last("package"), "com.corvina.sample.quote");
}

TEST_F(PackageInspection, SecondInspectionReplacesEverything) {
    UseBridge();
    InspectPackageFile(PackagePath("chinese-label"), display);
    InspectPackageFile(PackagePath("no-activity"), display);
    ASSERT_EQ(display.calls.size(), 8u);
    EXPECT_EQ(display.Last("report"), Gbk(WithCrLf(PackageReport("no-activity"))));
    EXPECT_EQ(display.Last("label"), "Background Sync");
    EXPECT_EQ(display.Last("activity"), "");
}

TEST_F(PackageInspection, NoRegistryValueLeavesTheCurrentFolder) {
    testing::TempFolder temp;
    ASSERT_TRUE(::SetCurrentDirectoryA(temp.Path().c_str()));
    InspectPackageFile(PackagePath("chinese-label"), display);
    EXPECT_EQ(testing::CurrentDirectory(), temp.Path());
    // The interpreter cannot find the tool and says so; no value is found.
    EXPECT_NE(display.Last("report"), "");
    EXPECT_EQ(display.Last("label"), "");
    EXPECT_EQ(display.Last("package"), "");
    EXPECT_EQ(display.Last("activity"), "");
}

TEST_F(PackageInspection, MissingEmulatorFolderLeavesTheCurrentFolder) {
    testing::TempFolder temp;
    ASSERT_TRUE(::SetCurrentDirectoryA(temp.Path().c_str()));
    registry.SetText(2, temp.Path() + "\\gone");
    InspectPackageFile(PackagePath("chinese-label"), display);
    EXPECT_EQ(testing::CurrentDirectory(), temp.Path());
    EXPECT_EQ(display.Last("package"), "");
}

TEST_F(PackageInspection, FileThatIsNotAPackageGivesTheToolsErrorAndNoValues) {
    UseBridge();
    testing::TempFolder temp;
    const Text path = temp.Path() + "\\not-a-package.apk";
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(file, "hello", 5, &written, nullptr);
    ::CloseHandle(file);
    InspectPackageFile(path, display);
    EXPECT_NE(display.Last("report"), "");
    EXPECT_EQ(display.Last("package"), "");
}

}  // namespace
}  // namespace corvina
