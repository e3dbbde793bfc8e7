// Whole inspections in the real program, with Debian's real packaging tool
// behind the bridge, read back from the running window.
#include <gtest/gtest.h>

#include <windows.h>
#include <dlgs.h>

#include "program/file_drag.h"
#include "program/running_program.h"
#include "support/test_support.h"
#include "ui/main_window_ids.h"

namespace corvina {
namespace {

using testing::BridgeEmulatorFolder;
using testing::PackagePath;
using testing::PackageReport;
using testing::RunningProgram;


// What the report box shows for a package: the tool's report as the
// Windows tool prints it, through code page 936.
std::wstring ShownReport(const std::string& package) {
    return testing::ShownAsGbk(testing::WithCrLf(PackageReport(package)));
}

class ProgramInspection : public ::testing::Test {
protected:
    testing::EmulatorRegistry registry;
    void SetUp() override { registry.SetText(2, BridgeEmulatorFolder()); }
};

TEST_F(ProgramInspection, OpenWithArgumentIsInspectedOnceShown) {
    RunningProgram program(PackagePath("chinese-label"));
    ASSERT_NE(program.Window(), nullptr);
    ASSERT_TRUE(program.WaitForReport());
    EXPECT_EQ(program.TextOf(kEdit4), ShownReport("chinese-label"));
    EXPECT_EQ(program.TextOf(kEdit1), L"演示应用");
    EXPECT_EQ(program.TextOf(kEdit2), L"com.corvina.sample.chinese");
    EXPECT_EQ(program.TextOf(kEdit3), L"com.corvina.sample.chinese.MainActivity");
}

std::wstring WidePackagePath(const std::string& package) {
    const Text path = PackagePath(package);
    return std::wstring(path.begin(), path.end());  // the build tree's paths are ASCII
}

TEST_F(ProgramInspection, DroppedFileIsInspected) {
    RunningProgram program;
    ASSERT_NE(program.Window(), nullptr);
    EXPECT_EQ(testing::DragFilesOnto(program.Window(), {WidePackagePath("quote-label")}),
              static_cast<DWORD>(DROPEFFECT_COPY));
    ASSERT_TRUE(program.WaitForReport());
    EXPECT_EQ(program.TextOf(kEdit4), ShownReport("quote-label"));
    EXPECT_EQ(program.TextOf(kEdit1), L"Tom's Game");
    EXPECT_EQ(program.TextOf(kEdit2), L"com.corvina.sample.quote");
    EXPECT_EQ(program.TextOf(kEdit3), L"com.corvina.sample.quote.MainActivity");
}

TEST_F(ProgramInspection, MovedFileIsInspectedAndLeftWhereItIs) {
    // A source that allows only moving: the drop is delivered, but the
    // source is told that nothing moved, so it does not delete the file.
    testing::TempFolder folder;
    const Text path = folder.Path() + "\\moved.apk";
    ASSERT_TRUE(::CopyFileA(PackagePath("quote-label").c_str(), path.c_str(), FALSE));
    RunningProgram program;
    ASSERT_NE(program.Window(), nullptr);
    EXPECT_EQ(testing::DragFilesOnto(program.Window(), {testing::WideFrom(CP_ACP, path)}, DROPEFFECT_MOVE),
              static_cast<DWORD>(DROPEFFECT_NONE));
    ASSERT_TRUE(program.WaitForReport());
    EXPECT_EQ(program.TextOf(kEdit2), L"com.corvina.sample.quote");
}

TEST_F(ProgramInspection, TwoFilesDroppedAtOnceInspectTheFirst) {
    RunningProgram program;
    ASSERT_NE(program.Window(), nullptr);
    testing::DragFilesOnto(program.Window(),
                           {WidePackagePath("no-activity"), WidePackagePath("chinese-label")});
    ASSERT_TRUE(program.WaitForReport());
    EXPECT_EQ(program.TextOf(kEdit4), ShownReport("no-activity"));
    EXPECT_EQ(program.TextOf(kEdit2), L"com.corvina.sample.service");
}

TEST_F(ProgramInspection, LabelWithAQuoteIsShownWhole) {
    RunningProgram program(PackagePath("quote-label"));
    ASSERT_TRUE(program.WaitForReport());
    EXPECT_EQ(program.TextOf(kEdit1), L"Tom's Game");
}

TEST_F(ProgramInspection, ProgramFolderIsCurrentWhenNoEmulatorIsRegistered) {
    // With no registry value the interpreter finds the tool beside the program.
    testing::EmulatorRegistry none;
    testing::TempFolder folder;
    const Text program = folder.Path() + "\\Corvina.exe";
    ASSERT_TRUE(::CopyFileA(testing::ProgramPath().c_str(), program.c_str(), FALSE));
    ASSERT_TRUE(::CopyFileA((BridgeEmulatorFolder() + "\\aapt.exe").c_str(),
                            (folder.Path() + "\\aapt.exe").c_str(), FALSE));
    {
        RunningProgram running(PackagePath("no-activity"), program, testing::CurrentDirectory());
        ASSERT_TRUE(running.WaitForReport());
        EXPECT_EQ(running.TextOf(kEdit2), L"com.corvina.sample.service");
        EXPECT_EQ(running.TextOf(kEdit3), L"");
    }
    ASSERT_TRUE(RunningProgram::WaitUntil([&] { return ::DeleteFileA(program.c_str()) != FALSE; }, 5000));
}

TEST_F(ProgramInspection, CancelledOpenDialogLeavesTheBoxes) {
    RunningProgram program(PackagePath("chinese-label"));
    ASSERT_TRUE(program.WaitForReport());
    ::PostMessageW(program.Control(kButton1), BM_CLICK, 0, 0);
    HWND dialog = nullptr;
    ASSERT_TRUE(RunningProgram::WaitUntil(
        [&] {
            dialog = ::FindWindowW(nullptr, L"选择APP");
            return dialog != nullptr;
        },
        10000));
    EXPECT_EQ(::GetWindow(dialog, GW_OWNER), program.Window());
    // The package filter is the one offered, and the first one selected.
    const HWND types = ::GetDlgItem(dialog, cmb1);
    wchar_t shown[64] = {};
    ::SendMessageW(types, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(shown));
    EXPECT_STREQ(shown, L"安卓应用(*.apk)");
    EXPECT_EQ(::SendMessageW(types, CB_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(::SendMessageW(types, CB_GETCURSEL, 0, 0), 0);
    ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(RunningProgram::WaitUntil([&] { return !::IsWindow(dialog); }, 10000));
    EXPECT_EQ(program.TextOf(kEdit1), L"演示应用");
    EXPECT_EQ(program.TextOf(kEdit2), L"com.corvina.sample.chinese");
    EXPECT_EQ(program.TextOf(kEdit4), ShownReport("chinese-label"));
}

TEST_F(ProgramInspection, ReportsReadCorrectlyOnAnyCodePage) {
    // Run with the 1252 locale too (a separate test entry sets it).
    RunningProgram program(PackagePath("chinese-label"));
    ASSERT_TRUE(program.WaitForReport());
    EXPECT_EQ(program.TextOf(program.Control(kLabel1)), L"应用名称");
    EXPECT_EQ(program.TextOf(program.Control(kButton1)), L"拖放或者打开");
    EXPECT_EQ(program.TextOf(kEdit1), L"演示应用");
    EXPECT_EQ(program.TextOf(kEdit4), ShownReport("chinese-label"));
}

}  // namespace
}  // namespace corvina
