// The real program's window, read from outside while it runs.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "program/running_program.h"
#include "support/test_support.h"
#include "ui/main_window_ids.h"

namespace corvina {
namespace {

using testing::RunningProgram;

RECT ClientRectOf(HWND parent, HWND control) {
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return name;
}

TEST(MainWindow, IsCentredFixedAndCaptioned) {
    RunningProgram program;
    const HWND window = program.Window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(program.TextOf(window), L"Corvina");
    RECT rect{};
    ::GetWindowRect(window, &rect);
    EXPECT_EQ(rect.right - rect.left, 371);
    EXPECT_EQ(rect.bottom - rect.top, 448);
    EXPECT_EQ(rect.left, (::GetSystemMetrics(SM_CXSCREEN) - 371) / 2);
    EXPECT_EQ(rect.top, (::GetSystemMetrics(SM_CYSCREEN) - 448) / 2);

    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE));
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN),
              static_cast<DWORD>(WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN));
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CHILD | WS_POPUP), 0u);
    // The system adds the window-edge style to every captioned window, and
    // registering a drop target may add the accept-files style.
    const auto extended = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_EXSTYLE));
    EXPECT_EQ(extended & ~static_cast<DWORD>(WS_EX_WINDOWEDGE | WS_EX_ACCEPTFILES), 0u);
    EXPECT_EQ(::GetWindow(window, GW_OWNER), nullptr);
}

struct ControlCase {
    int id;
    const wchar_t* windowClass;
    const wchar_t* text;
    RECT rect;  // left, top, right, bottom in the client area
    DWORD style;
    DWORD extendedStyle;
};

void PrintTo(const ControlCase& c, std::ostream* os) { *os << "control " << c.id; }

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;

class Controls : public ::testing::TestWithParam<ControlCase> {
protected:
    // One running program serves every row of the table.
    static void SetUpTestSuite() { program_ = std::make_unique<RunningProgram>(); }
    static void TearDownTestSuite() { program_.reset(); }
    static std::unique_ptr<RunningProgram> program_;
};
std::unique_ptr<RunningProgram> Controls::program_;

TEST_P(Controls, StandWhereTheLayoutPutsThem) {
    const ControlCase& c = GetParam();
    const HWND control = program_->Control(c.id);
    ASSERT_NE(control, nullptr);
    if (*c.windowClass) {
        EXPECT_EQ(::lstrcmpiW(ClassOf(control).c_str(), c.windowClass), 0) << ClassOf(control).c_str();
    }
    EXPECT_EQ(program_->TextOf(control), c.text);
    const RECT rect = ClientRectOf(program_->Window(), control);
    EXPECT_EQ(rect.left, c.rect.left);
    EXPECT_EQ(rect.top, c.rect.top);
    EXPECT_EQ(rect.right - rect.left, c.rect.right);
    EXPECT_EQ(rect.bottom - rect.top, c.rect.bottom);
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(control, GWL_STYLE));
    EXPECT_EQ(style & c.style, c.style) << std::hex << style;
    EXPECT_EQ(static_cast<DWORD>(::GetWindowLongPtrW(control, GWL_EXSTYLE)) & WS_EX_CLIENTEDGE,
              c.extendedStyle & WS_EX_CLIENTEDGE);
}

// Rectangles here are left, top, width, height.
INSTANTIATE_TEST_SUITE_P(
    Layout, Controls,
    ::testing::Values(
        ControlCase{kLabel1, L"Static", L"应用名称", {24, 16, 80, 24}, kChild | SS_CENTERIMAGE, 0},
        ControlCase{kEdit1, L"Edit", L"", {104, 16, 224, 24}, kChild | WS_TABSTOP | ES_AUTOHSCROLL,
                    WS_EX_CLIENTEDGE},
        ControlCase{kLabel2, L"Static", L"包名", {24, 48, 80, 24}, kChild | SS_CENTERIMAGE, 0},
        ControlCase{kEdit2, L"Edit", L"", {104, 48, 224, 24}, kChild | WS_TABSTOP | ES_AUTOHSCROLL,
                    WS_EX_CLIENTEDGE},
        ControlCase{kLabel3, L"Static", L"类名", {24, 80, 80, 24}, kChild | SS_CENTERIMAGE, 0},
        ControlCase{kEdit3, L"Edit", L"", {104, 80, 224, 24}, kChild | WS_TABSTOP | ES_AUTOHSCROLL,
                    WS_EX_CLIENTEDGE},
        ControlCase{kEdit4, L"Edit", L"", {24, 120, 304, 256},
                    kChild | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL,
                    WS_EX_CLIENTEDGE},
        ControlCase{kButton1, L"Button", L"拖放或者打开", {106, 384, 152, 24},
                    kChild | WS_TABSTOP | BS_MULTILINE | BS_CENTER | BS_VCENTER, 0},
        ControlCase{kHyperlink1, L"", L"Varenko", {280, 385, 80, 24}, WS_CHILD | WS_VISIBLE, 0}));

TEST(MainWindow, EditBoxesDoNotScrollSidewaysWhereTheyWrap) {
    RunningProgram program;
    const auto report = static_cast<DWORD>(::GetWindowLongPtrW(program.Control(kEdit4), GWL_STYLE));
    EXPECT_EQ(report & (WS_HSCROLL | ES_AUTOHSCROLL | ES_READONLY), 0u);
    for (const int id : {kEdit1, kEdit2, kEdit3}) {
        const auto style = static_cast<DWORD>(::GetWindowLongPtrW(program.Control(id), GWL_STYLE));
        EXPECT_EQ(style & (ES_MULTILINE | ES_READONLY | ES_NOHIDESEL), 0u);
    }
    const auto link = static_cast<DWORD>(::GetWindowLongPtrW(program.Control(kHyperlink1), GWL_STYLE));
    EXPECT_EQ(link & WS_TABSTOP, 0u);
}

// Presses Tab until `id` has the focus, waiting for each move.
void TabTo(const RunningProgram& program, int id) {
    ASSERT_TRUE(RunningProgram::WaitUntil([&] { return program.Focus() == program.Control(kEdit1); }, 5000));
    const int order[] = {kEdit1, kEdit2, kEdit3, kButton1, kEdit4};
    for (const int next : order) {
        if (program.Focus() == program.Control(id)) return;
        if (next == kEdit1) continue;
        program.PressKey(VK_TAB);
        ASSERT_TRUE(RunningProgram::WaitUntil([&] { return program.Focus() == program.Control(next); }, 5000));
    }
}

TEST(MainWindow, TabAndShiftTabFollowTheFocusOrder) {
    RunningProgram program;
    ASSERT_NE(program.Window(), nullptr);
    const int order[] = {kEdit1, kEdit2, kEdit3, kButton1, kEdit4, kEdit1};
    ASSERT_TRUE(RunningProgram::WaitUntil([&] { return program.Focus() == program.Control(kEdit1); }, 5000));
    for (std::size_t i = 1; i < std::size(order); ++i) {
        program.PressKey(VK_TAB);
        EXPECT_TRUE(RunningProgram::WaitUntil(
            [&] { return program.Focus() == program.Control(order[i]); }, 5000))
            << "after Tab number " << i;
    }
    for (std::size_t i = std::size(order) - 1; i > 0; --i) {
        program.PressKey(VK_TAB, true);
        EXPECT_TRUE(RunningProgram::WaitUntil(
            [&] { return program.Focus() == program.Control(order[i - 1]); }, 5000))
            << "after Shift+Tab back to position " << i - 1;
    }
    // Tab typed no tab character anywhere.
    EXPECT_EQ(program.TextOf(kEdit4), L"");
}

TEST(MainWindow, EnterInTheReportBoxInsertsALineBreak) {
    RunningProgram program;
    ASSERT_NE(program.Window(), nullptr);
    TabTo(program, kEdit4);
    program.PressKey('A');
    program.PressKey(VK_RETURN);
    program.PressKey('B');
    EXPECT_TRUE(RunningProgram::WaitUntil([&] { return program.TextOf(kEdit4) == L"a\r\nb"; }, 5000))
        << program.TextOf(kEdit4).size();
    EXPECT_FALSE(program.WaitForExit(200));
}

TEST(MainWindow, EscapeFromTheReportBoxEndsTheProgramWithExitCodeZero) {
    RunningProgram program;
    ASSERT_NE(program.Window(), nullptr);
    TabTo(program, kEdit4);
    program.PressKey(VK_ESCAPE);
    DWORD exitCode = 99;
    ASSERT_TRUE(program.WaitForExit(10000, &exitCode));
    EXPECT_EQ(exitCode, 0u);
}

TEST(MainWindow, EscapeFromTheButtonAndTheCloseCommandEndTheProgram) {
    {
        RunningProgram program;
        TabTo(program, kButton1);
        program.PressKey(VK_ESCAPE);
        DWORD exitCode = 99;
        ASSERT_TRUE(program.WaitForExit(10000, &exitCode));
        EXPECT_EQ(exitCode, 0u);
    }
    RunningProgram program;
    ASSERT_NE(program.Window(), nullptr) << program.StartError();
    ::PostMessageW(program.Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    DWORD exitCode = 99;
    ASSERT_TRUE(program.WaitForExit(10000, &exitCode));
    EXPECT_EQ(exitCode, 0u);
}

}  // namespace
}  // namespace corvina
