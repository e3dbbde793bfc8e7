// The real program against Debian's real packaging tool, through each of
// its entry points: a drop on the window, the open button with the real
// dialog, and the "Open with" argument. What the four boxes show is
// compared with the tool's own report of the same file, read independently.
#include <gtest/gtest.h>

#include <windows.h>
#include <dlgs.h>
#include <tlhelp32.h>

#include <fstream>
#include <sstream>

#include "output_pattern.h"
#include "program/file_drag.h"
#include "program/running_program.h"
#include "support/test_support.h"
#include "ui/main_window_ids.h"

namespace corvina {
namespace {

using testing::RunningProgram;



std::wstring Wide(const Text& ansi) { return testing::WideFrom(CP_ACP, ansi); }

// The value of a line of the tool's report, read without the program's
// code: the text between `marker` and the last single quote of its line.
std::string ReportValue(const std::string& report, const std::string& marker) {
    std::istringstream lines(report);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(marker, 0) != 0) continue;
        const std::string rest = line.substr(marker.size());
        const bool whole = marker == "application-label:'";
        const auto end = whole ? rest.rfind('\'') : rest.find('\'');
        return end == std::string::npos ? std::string() : rest.substr(0, end);
    }
    return std::string();
}

enum class Entry { kDrop, kDialog, kOpenWith };

// Runs the program on `path` through `entry` and waits for the report.
struct Inspection {
    std::unique_ptr<RunningProgram> program;
    bool reported = false;
};

Inspection Inspect(Entry entry, const Text& path) {
    Inspection result;
    result.program = std::make_unique<RunningProgram>(entry == Entry::kOpenWith ? path : Text());
    RunningProgram& program = *result.program;
    if (!program.Window()) return result;
    if (entry == Entry::kDrop) {
        testing::DragFilesOnto(program.Window(), {Wide(path)});
    } else if (entry == Entry::kDialog) {
        ::PostMessageW(program.Control(kButton1), BM_CLICK, 0, 0);
        HWND dialog = nullptr;
        if (!RunningProgram::WaitUntil([&] { return (dialog = ::FindWindowW(nullptr, L"选择APP")) != nullptr; },
                                       10000)) {
            return result;
        }
        const std::wstring name = Wide(path);
        ::SendMessageW(::GetDlgItem(dialog, cmb13), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
        ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
    result.reported = program.WaitForReport(90000);
    return result;
}

class EndToEnd : public ::testing::Test {
protected:
    testing::EmulatorRegistry registry;
    testing::TempFolder temp{"corvina-e2e"};
    void SetUp() override { registry.SetText(2, testing::BridgeEmulatorFolder()); }

    // Checks all four boxes against the tool's own report of `package`.
    static void ExpectBoxesShowTheReport(const RunningProgram& program, const std::string& package) {
        const std::string report = testing::PackageReport(package);
        EXPECT_EQ(program.TextOf(kEdit4), testing::ShownAsGbk(testing::WithCrLf(report)));
        EXPECT_EQ(program.TextOf(kEdit1), testing::ShownAsGbk(ReportValue(report, "application-label:'")));
        EXPECT_EQ(program.TextOf(kEdit2), testing::ShownAsGbk(ReportValue(report, "package: name='")));
        EXPECT_EQ(program.TextOf(kEdit3), testing::ShownAsGbk(ReportValue(report, "launchable-activity: name='")));
    }

    // A copy of a test package under a new name in the temporary folder.
    Text CopyOf(const std::string& package, const Text& folder, const Text& name) const {
        const Text target = temp.Folder(folder) + "\\" + name;
        ::CopyFileA(testing::PackagePath(package).c_str(), target.c_str(), FALSE);
        return target;
    }
};

struct PackageCase {
    const char* package;
    Entry entry;
};

void PrintTo(const PackageCase& c, std::ostream* os) { *os << c.package; }

class RealPackages : public EndToEnd, public ::testing::WithParamInterface<PackageCase> {};

TEST_P(RealPackages, BoxesShowTheToolsReport) {
    const PackageCase& c = GetParam();
    const Inspection inspection = Inspect(c.entry, testing::PackagePath(c.package));
    ASSERT_TRUE(inspection.reported);
    ExpectBoxesShowTheReport(*inspection.program, c.package);
}

INSTANTIATE_TEST_SUITE_P(
    Packages, RealPackages,
    ::testing::Values(PackageCase{"framework-res", Entry::kDrop},
                      PackageCase{"chinese-label", Entry::kDialog},
                      PackageCase{"quote-label", Entry::kDrop},
                      PackageCase{"outside-code-page", Entry::kOpenWith},
                      PackageCase{"variant-label", Entry::kDrop},
                      PackageCase{"no-activity", Entry::kDialog},
                      PackageCase{"many-locales", Entry::kOpenWith}),
    [](const ::testing::TestParamInfo<PackageCase>& info) {
        std::string name = info.param.package;
        for (char& ch : name) {
            if (ch == '-') ch = '_';
        }
        return name;
    });

TEST_F(EndToEnd, KnownValuesOfTheTestPackages) {
    // The table that the independent reading above must agree with.
    const Inspection chinese = Inspect(Entry::kOpenWith, testing::PackagePath("chinese-label"));
    ASSERT_TRUE(chinese.reported);
    EXPECT_EQ(chinese.program->TextOf(kEdit1), L"演示应用");
    const Inspection korean = Inspect(Entry::kOpenWith, testing::PackagePath("outside-code-page"));
    ASSERT_TRUE(korean.reported);
    EXPECT_EQ(korean.program->TextOf(kEdit1), L"??? Demo");
    const Inspection framework = Inspect(Entry::kOpenWith, testing::PackagePath("framework-res"));
    ASSERT_TRUE(framework.reported);
    EXPECT_EQ(framework.program->TextOf(kEdit2), L"android");
    EXPECT_EQ(framework.program->TextOf(kEdit3), L"");
}

struct PathCase {
    const char* name;
    Text folder;
    Text file;
    Entry entry;
};

void PrintTo(const PathCase& c, std::ostream* os) { *os << c.name; }

class UnusualPaths : public EndToEnd, public ::testing::WithParamInterface<PathCase> {};

TEST_P(UnusualPaths, ReachTheToolWhole) {
    const PathCase& c = GetParam();
    const Text path = CopyOf("chinese-label", c.folder, c.file);
    const Inspection inspection = Inspect(c.entry, path);
    ASSERT_TRUE(inspection.reported);
    ExpectBoxesShowTheReport(*inspection.program, "chinese-label");
}

INSTANTIATE_TEST_SUITE_P(
    Paths, UnusualPaths,
    ::testing::Values(PathCase{"blanks", "my apps", "a b.apk", Entry::kDrop},
                      PathCase{"chinese", "安卓应用", "演示.apk", Entry::kDrop},
                      PathCase{"chinese_dialog", "安卓应用", "演示.apk", Entry::kDialog},
                      PathCase{"ampersand", "R&D", "a&b.apk", Entry::kOpenWith},
                      PathCase{"caret", "x^y", "a^b.apk", Entry::kDrop},
                      PathCase{"quote", "Tom's", "it's.apk", Entry::kDialog},
                      PathCase{"percent", "100%", "a%b%.apk", Entry::kOpenWith}),
    [](const ::testing::TestParamInfo<PathCase>& info) { return std::string(info.param.name); });

// Inputs the tool rejects: its error message is the report, and no value.
TEST_F(EndToEnd, InputsThatAreNotPackagesGiveTheToolsMessageAndNoValues) {
    const Text empty = temp.Path() + "\\empty.apk";
    std::ofstream(empty, std::ios::binary).flush();
    const Text text = temp.Path() + "\\text.apk";
    std::ofstream(text, std::ios::binary) << "this is not a package\n";
    const Text truncated = temp.Path() + "\\truncated.apk";
    {
        std::ifstream whole(testing::PackagePath("chinese-label"), std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(whole)), std::istreambuf_iterator<char>());
        std::ofstream(truncated, std::ios::binary) << bytes.substr(0, bytes.size() / 2);
    }
    const struct {
        Text path;
        Entry entry;
    } cases[] = {{temp.Folder("a folder"), Entry::kDrop},
                 {empty, Entry::kDrop},
                 {text, Entry::kDialog},
                 {truncated, Entry::kOpenWith},
                 {temp.Path() + "\\missing.apk", Entry::kOpenWith}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const Inspection inspection = Inspect(c.entry, c.path);
        ASSERT_TRUE(inspection.reported);
        EXPECT_NE(inspection.program->TextOf(kEdit4).find(L"ERROR"), std::wstring::npos)
            << inspection.program->TextOf(kEdit4).substr(0, 200);
        EXPECT_EQ(inspection.program->TextOf(kEdit1), L"");
        EXPECT_EQ(inspection.program->TextOf(kEdit2), L"");
        EXPECT_EQ(inspection.program->TextOf(kEdit3), L"");
    }
}

TEST_F(EndToEnd, MissingEmulatorFolderGivesTheInterpretersMessage) {
    for (const Text& folder : {temp.Path() + "\\no such folder", temp.Folder("no tool here")}) {
        SCOPED_TRACE(folder);
        registry.SetText(2, folder);
        const Inspection inspection = Inspect(Entry::kOpenWith, testing::PackagePath("chinese-label"));
        ASSERT_TRUE(inspection.reported);
        // The interpreter says, in the system's language, that it knows no "aapt".
        EXPECT_NE(inspection.program->TextOf(kEdit4).find(L"aapt"), std::wstring::npos);
        EXPECT_EQ(inspection.program->TextOf(kEdit2), L"");
    }
}

// How many processes of the given program name are running.
int RunningCopies(const wchar_t* name) {
    const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = ::Process32FirstW(snapshot, &entry); more; more = ::Process32NextW(snapshot, &entry)) {
        if (::lstrcmpiW(entry.szExeFile, name) == 0) ++count;
    }
    ::CloseHandle(snapshot);
    return count;
}

// Stands in for the packaging tool in an emulator folder of its own.
class ScriptedTool : public EndToEnd {
protected:
    void UseTool(const Text& actions) {
        const Text folder = temp.Folder("emulator");
        ::CopyFileA(testing::ScriptedChildPath().c_str(), (folder + "\\aapt.exe").c_str(), FALSE);
        registry.SetText(2, folder);
        ::SetEnvironmentVariableA("CORVINA_CHILD_SCRIPT", actions.c_str());
    }
    void TearDown() override { ::SetEnvironmentVariableA("CORVINA_CHILD_SCRIPT", nullptr); }
};

TEST_F(ScriptedTool, ClosingTheWindowEndsANeverEndingToolAtOnce) {
    UseTool("sleep 600000");
    RunningProgram program(testing::PackagePath("chinese-label"));
    ASSERT_NE(program.Window(), nullptr);
    ASSERT_TRUE(RunningProgram::WaitUntil([] { return RunningCopies(L"aapt.exe") == 1; }, 10000));
    const DWORD closing = ::GetTickCount();
    ::PostMessageW(program.Window(), WM_CLOSE, 0, 0);
    DWORD exitCode = 99;
    ASSERT_TRUE(program.WaitForExit(10000, &exitCode));
    EXPECT_LT(::GetTickCount() - closing, 2000u);
    EXPECT_EQ(exitCode, 0u);
    EXPECT_TRUE(RunningProgram::WaitUntil([] { return RunningCopies(L"aapt.exe") == 0; }, 2000));
}

TEST_F(ScriptedTool, ToolPrintingSixtyFourMebibytesIsShownWhole) {
    const std::size_t size = 64u << 20;
    UseTool("print " + std::to_string(size));
    RunningProgram program(testing::PackagePath("chinese-label"));
    ASSERT_TRUE(program.WaitForReport(300000));
    const std::wstring shown = program.TextOf(kEdit4);
    ASSERT_EQ(shown.size(), size);
    const std::string expected = testing::Pattern(size);
    EXPECT_TRUE(std::equal(shown.begin(), shown.end(), expected.begin(),
                           [](wchar_t w, char c) { return w == static_cast<unsigned char>(c); }));
}

}  // namespace
}  // namespace corvina
