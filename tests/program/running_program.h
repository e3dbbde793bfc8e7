// The real program, started as its own process in the test's Wine prefix,
// and read from outside as a user's tools would see it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "text/text.h"

namespace corvina::testing {

Text ProgramPath();  // the program of this build

class RunningProgram {
public:
    // Starts `program` with an optional argument, in `folder` (or the
    // test's own current folder), and waits for its main window.
    explicit RunningProgram(const Text& argument = Text(), const Text& program = ProgramPath(),
                            const Text& folder = Text());
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    HWND Window() const { return window_; }
    // Why the program did not start (the system's error code), or empty.
    std::string StartError() const { return startError_; }
    HWND Control(int id) const { return ::GetDlgItem(window_, id); }
    HWND Focus() const;
    std::wstring TextOf(HWND control) const;
    std::wstring TextOf(int id) const { return TextOf(Control(id)); }

    // Waits until the process has ended; false on timeout.
    bool WaitForExit(DWORD milliseconds, DWORD* exitCode = nullptr) const;
    // Waits until `condition` holds; false on timeout.
    static bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds);
    // Waits until the report box shows something (an inspection has ended).
    bool WaitForReport(DWORD milliseconds = 60000) const;

    // Types one key into the program with real keyboard input.
    void PressKey(WORD key, bool shift = false) const;

private:
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    DWORD threadId_ = 0;
    HWND window_ = nullptr;
    std::string startError_;
};

}  // namespace corvina::testing
