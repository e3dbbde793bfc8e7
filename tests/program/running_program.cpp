#include "program/running_program.h"

#include <vector>

#include "support/test_support.h"
#include "ui/main_window_ids.h"

namespace corvina::testing {
namespace {

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    wchar_t className[64] = {};
    ::GetClassNameW(window, className, 64);
    if (owner == search->processId && std::wstring(className) == kMainWindowClass &&
        ::IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

Text ProgramPath() { return WindowsPath(CORVINA_PROGRAM); }

RunningProgram::RunningProgram(const Text& argument, const Text& program, const Text& folder) {
    Text commandLine = "\"" + program + "\"";
    if (!argument.empty()) commandLine += " \"" + argument + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
        startError_ = "the program did not start: error " + std::to_string(::GetLastError());
        return;
    }
    ::CloseHandle(info.hThread);
    process_ = info.hProcess;
    processId_ = info.dwProcessId;
    threadId_ = info.dwThreadId;
    WaitUntil(
        [this] {
            Search search{processId_, nullptr};
            ::EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
            window_ = search.found;
            return window_ != nullptr;
        },
        30000);
    if (!window_) startError_ = "the program's window did not appear";
}

RunningProgram::~RunningProgram() {
    if (!process_) return;
    if (::WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        if (window_) ::PostMessageW(window_, WM_CLOSE, 0, 0);
        if (::WaitForSingleObject(process_, 5000) == WAIT_TIMEOUT) ::TerminateProcess(process_, 1);
    }
    ::CloseHandle(process_);
}

HWND RunningProgram::Focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return ::GetGUIThreadInfo(threadId_, &info) ? info.hwndFocus : nullptr;
}

std::wstring RunningProgram::TextOf(HWND control) const {
    const auto length = ::SendMessageW(control, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const auto copied = ::SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

bool RunningProgram::WaitForExit(DWORD milliseconds, DWORD* exitCode) const {
    if (!process_ || ::WaitForSingleObject(process_, milliseconds) != WAIT_OBJECT_0) return false;
    if (exitCode) ::GetExitCodeProcess(process_, exitCode);
    return true;
}

bool RunningProgram::WaitUntil(const std::function<bool()>& condition, DWORD milliseconds) {
    const DWORD start = ::GetTickCount();
    while (!condition()) {
        if (::GetTickCount() - start > milliseconds) return false;
        ::Sleep(20);
    }
    return true;
}

bool RunningProgram::WaitForReport(DWORD milliseconds) const {
    return WaitUntil([this] { return !TextOf(kEdit4).empty(); }, milliseconds);
}

void RunningProgram::PressKey(WORD key, bool shift) const {
    std::vector<INPUT> inputs;
    const auto add = [&inputs](WORD k, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = k;
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    };
    if (shift) add(VK_SHIFT, false);
    add(key, false);
    add(key, true);
    if (shift) add(VK_SHIFT, true);
    ::SetForegroundWindow(window_);
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

}  // namespace corvina::testing
