// Running commands through the real command interpreter and capturing what
// they write.
#include "inspection/console_command.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "output_pattern.h"
#include "support/test_support.h"

namespace corvina {
namespace {

using testing::ScriptedChildPath;

Text Child(const Text& actions) { return "\"" + ScriptedChildPath() + "\" " + actions; }

bool ProcessHasEnded(DWORD pid) {
    const HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (!process) return true;
    const bool ended = ::WaitForSingleObject(process, 2000) == WAIT_OBJECT_0;
    ::CloseHandle(process);
    return ended;
}

TEST(RunConsoleCommand, ChildThatPrintsNothingGivesEmptyText) {
    EXPECT_EQ(RunConsoleCommand(Child("exit 0")), "");
}

TEST(RunConsoleCommand, CapturesOutputAndErrorInOnePipe) {
    EXPECT_EQ(RunConsoleCommand(Child("text out: stderr err: text done")), "out:err:done");
}

TEST(RunConsoleCommand, UnknownCommandGivesTheInterpretersMessage) {
    const Text output = RunConsoleCommand("no-such-command-xyz");
    EXPECT_NE(output, "");
    EXPECT_NE(output.find("no-such-command-xyz"), Text::npos) << output;
}

TEST(RunConsoleCommand, OutputFarLargerThanThePipeArrivesByteForByte) {
    const std::size_t size = 8u << 20;
    const Text output = RunConsoleCommand(Child("print " + std::to_string(size)));
    ASSERT_EQ(output.size(), size);
    EXPECT_TRUE(output == testing::Pattern(size));
}

TEST(RunConsoleCommand, KeepsEveryByteButTheNulBytes) {
    EXPECT_EQ(RunConsoleCommand(Child("text AB nul text CD nul nul text EF")), "ABCDEF");
}

TEST(RunConsoleCommand, OutputWrittenJustBeforeExitIsKept) {
    // The last bytes reach the pipe as the child ends.
    const Text output = RunConsoleCommand(Child("sleep 50 print 200000 exit 3"));
    ASSERT_EQ(output.size(), 200000u);
    EXPECT_TRUE(output == testing::Pattern(200000));
}

TEST(RunConsoleCommand, ChildExitingWithStillActiveCodeEndsTheRun) {
    EXPECT_EQ(RunConsoleCommand(Child("text done exit 259")), "done");
}

TEST(RunConsoleCommand, ProcessLeftRunningByTheCommandIsEnded) {
    // The child starts a grandchild that inherits the pipe and sleeps long.
    // The outer quotes are the interpreter's: it strips them when the line
    // holds more than one pair.
    const Text spawned = "\\\"" + ScriptedChildPath() + "\\\" pid sleep 60000";
    const Text output = RunConsoleCommand(
        "\"" + Child("text parent spawn \"" + spawned + "\" sleep 500") + "\"");
    ASSERT_EQ(output.rfind("parent", 0), 0u) << output;
    const DWORD grandchild = std::strtoul(output.c_str() + 6, nullptr, 10);
    ASSERT_NE(grandchild, 0u) << output;
    EXPECT_TRUE(ProcessHasEnded(grandchild));
}

TEST(RunConsoleCommand, PlantedInterpreterInTheCurrentFolderDoesNotRun) {
    testing::TempFolder folder;
    ASSERT_TRUE(::CopyFileA(ScriptedChildPath().c_str(), (folder.Path() + "\\cmd.exe").c_str(), FALSE));
    testing::CurrentDirectoryGuard restore;
    ASSERT_TRUE(::SetCurrentDirectoryA(folder.Path().c_str()));
    // The planted program would print its own command line.
    EXPECT_EQ(RunConsoleCommand("echo real cmdline"), "real cmdline\r\n");
}

TEST(RunConsoleCommand, CommandRunsInTheCurrentFolder) {
    testing::TempFolder folder;
    testing::CurrentDirectoryGuard restore;
    ASSERT_TRUE(::SetCurrentDirectoryA(folder.Path().c_str()));
    EXPECT_EQ(RunConsoleCommand("cd"), folder.Path() + "\r\n");
}

TEST(InterpreterLaunch, FamilyChoosesThePrefixAndTheFullPath) {
    const Text command = "aapt dump badging \"C:\\a b.apk\"";
    const InterpreterLaunch nt = BuildInterpreterLaunch({3, "C:\\Windows\\system32"}, command);
    EXPECT_EQ(nt.applicationName, "C:\\Windows\\system32\\cmd.exe");
    EXPECT_EQ(nt.commandLine, "cmd.exe /c " + command);
    for (const int family : {0, 1, 2}) {
        const InterpreterLaunch old = BuildInterpreterLaunch({family, "C:\\WINDOWS"}, command);
        EXPECT_EQ(old.applicationName, "C:\\WINDOWS\\command.com");
        EXPECT_EQ(old.commandLine, "command.com /c " + command);
    }
}

TEST(InterpreterLaunch, SystemReportsTheNtFamily) {
    const InterpreterChoice system = SystemInterpreter();
    EXPECT_EQ(system.platformFamily, 3);
    EXPECT_NE(system.systemDirectory, "");
}

TEST(RunConsoleCommand, OlderFamilyRunsCommandComFromTheSystemFolder) {
    // A stand-in command.com in an injected system folder shows the command
    // line it was started with.
    testing::TempFolder system;
    ASSERT_TRUE(::CopyFileA(ScriptedChildPath().c_str(), (system.Path() + "\\command.com").c_str(), FALSE));
    EXPECT_EQ(RunConsoleCommand("cmdline", {2, system.Path()}), "command.com /c cmdline");
}

TEST(RunConsoleCommand, MissingInterpreterGivesEmptyText) {
    testing::TempFolder empty;
    EXPECT_EQ(RunConsoleCommand("echo x", {3, empty.Path()}), "");
}

// A window whose message starts a nested run, as a drop during an
// inspection would.
struct NestedRun {
    Text output;
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
        if (message == WM_APP) {
            auto* self = reinterpret_cast<NestedRun*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
            self->output = RunConsoleCommand(Child("text inner"));
            return 0;
        }
        return ::DefWindowProcA(window, message, w, l);
    }
};

TEST(RunConsoleCommand, DispatchesMessagesSoANestedRunCompletesFirst) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = NestedRun::Procedure;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "CorvinaNestedRunTest";
    ::RegisterClassA(&windowClass);
    const HWND window = ::CreateWindowA("CorvinaNestedRunTest", "", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                        nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    NestedRun nested;
    ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&nested));
    ::PostMessageA(window, WM_APP, 0, 0);
    EXPECT_EQ(RunConsoleCommand(Child("text outer- sleep 300 text -end")), "outer--end");
    EXPECT_EQ(nested.output, "inner");
    ::DestroyWindow(window);
}

void CALLBACK PostQuitSoon(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    ::PostQuitMessage(7);
}

TEST(RunConsoleCommand, QuitRequestEndsTheCommandAndStaysQueued) {
    // The quit request comes from a timer that the run's own pump dispatches.
    ::SetTimer(nullptr, 0, 500, PostQuitSoon);
    const DWORD started = ::GetTickCount();
    const Text output = RunConsoleCommand(Child("pid sleep 60000 text never"));
    EXPECT_LT(::GetTickCount() - started, 10000u);
    EXPECT_EQ(output.find("never"), Text::npos);
    const DWORD child = std::strtoul(output.c_str(), nullptr, 10);
    ASSERT_NE(child, 0u) << output;
    EXPECT_TRUE(ProcessHasEnded(child));
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 7u);
}

}  // namespace
}  // namespace corvina
