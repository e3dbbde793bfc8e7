#include "inspection/console_command.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <vector>

#include "win/handles.h"

namespace corvina {
namespace {

#if !defined(_WIN64)
// The record layouts the 32-bit program is built against.
static_assert(sizeof(STARTUPINFOA) == 68);
static_assert(sizeof(SECURITY_ATTRIBUTES) == 12);
#endif

constexpr DWORD kReadChunk = 1024 * 1024;

// The pipe between the run and its command: the read end is the run's own,
// opened for overlapped reads so that the run can wait on it together with
// the process and the message queue (an anonymous pipe cannot be waited on).
// Only the write end is inheritable.
struct Pipe {
    win::UniqueHandle read;
    win::UniqueHandle write;
};

Pipe CreateOutputPipe() {
    static unsigned serial = 0;  // nested runs each need a pipe of their own
    const Text name = "\\\\.\\pipe\\corvina-console-" + std::to_string(::GetCurrentProcessId()) +
                      "-" + std::to_string(::GetTickCount()) + "-" + std::to_string(++serial);
    Pipe pipe;
    pipe.read.Reset(::CreateNamedPipeA(
        name.c_str(), PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
        PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1, 0, 0, 0,
        nullptr));
    if (!pipe.read) return {};
    SECURITY_ATTRIBUTES inheritable{};
    inheritable.nLength = sizeof inheritable;
    inheritable.lpSecurityDescriptor = nullptr;
    inheritable.bInheritHandle = TRUE;
    pipe.write.Reset(::CreateFileA(name.c_str(), GENERIC_WRITE, 0, &inheritable, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!pipe.write) return {};
    return pipe;
}

// A job that holds the command and everything it starts, so that all of it
// can be ended together; closing the job ends whatever is still inside.
win::UniqueHandle CreateKillOnCloseJob() {
    win::UniqueHandle job(::CreateJobObjectA(nullptr, nullptr));
    if (!job) return job;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    ::SetInformationJobObject(job.Get(), JobObjectExtendedLimitInformation, &limits,
                              sizeof limits);
    return job;
}

struct Child {
    win::UniqueHandle job;
    win::UniqueHandle process;
};

// Starts the interpreter hidden, with both output streams on `output` and no
// standard input. It starts suspended so that it is inside the job before it
// can start anything of its own.
Child StartInterpreter(const InterpreterLaunch& launch, HANDLE output) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    startup.wShowWindow = SW_HIDE;
    startup.hStdInput = nullptr;
    startup.hStdOutput = output;
    startup.hStdError = output;
    PROCESS_INFORMATION info{};
    Text commandLine = launch.commandLine;  // CreateProcessA may write to it
    Child child;
    child.job = CreateKillOnCloseJob();
    if (!::CreateProcessA(launch.applicationName.c_str(), commandLine.data(), nullptr, nullptr,
                          TRUE, CREATE_SUSPENDED, nullptr, nullptr, &startup, &info)) {
        return {};
    }
    child.process.Reset(info.hProcess);
    const win::UniqueHandle thread(info.hThread);
    if (child.job) ::AssignProcessToJobObject(child.job.Get(), info.hProcess);
    ::ResumeThread(thread.Get());
    return child;
}

// Ends the command and everything it started that is still running.
void EndChild(const Child& child) {
    if (child.job) ::TerminateJobObject(child.job.Get(), ERROR_CANCELLED);
    ::TerminateProcess(child.process.Get(), ERROR_CANCELLED);
}

// Dispatches the thread's pending window messages. Returns false, leaving
// the quit message queued, when the next message is the quit message.
bool DispatchPendingMessages() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if (msg.message == WM_QUIT) return false;
        if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) break;
        if (msg.message == WM_QUIT) {  // posted between the two peeks
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return true;
}

// Overlapped reads from the pipe's read end into the output, one at a time.
class PipeReader {
public:
    explicit PipeReader(HANDLE pipe) : pipe_(pipe), event_(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}

    bool Open() const { return open_; }
    HANDLE Event() const { return event_.Get(); }

    // Reads until a read has to wait for the command. Returns with a read
    // pending on Event(), or with the pipe at its end.
    void ReadAvailable(Text& output) {
        while (open_ && !pending_) {
            overlapped_ = OVERLAPPED{};
            overlapped_.hEvent = event_.Get();
            DWORD count = 0;
            if (::ReadFile(pipe_, buffer_.data(), kReadChunk, &count, &overlapped_)) {
                Append(count, output);
            } else if (::GetLastError() == ERROR_IO_PENDING) {
                pending_ = true;
            } else {
                open_ = false;  // broken pipe: every writer has closed its end
            }
        }
    }

    // Takes the result of the pending read once Event() is signalled.
    void Complete(Text& output) {
        pending_ = false;
        DWORD count = 0;
        if (::GetOverlappedResult(pipe_, &overlapped_, &count, FALSE)) {
            Append(count, output);
        } else {
            open_ = false;
        }
    }

    // A pending read must not outlive the buffer it writes into.
    ~PipeReader() {
        if (pending_ && ::CancelIo(pipe_)) {
            DWORD count = 0;
            ::GetOverlappedResult(pipe_, &overlapped_, &count, TRUE);
        }
    }

    PipeReader(const PipeReader&) = delete;
    PipeReader& operator=(const PipeReader&) = delete;

private:
    // NUL bytes cannot stand in a Text; every other byte is kept in order.
    void Append(DWORD count, Text& output) const {
        const char* next = buffer_.data();
        const char* const end = next + count;
        while (next < end) {
            const auto* nul = static_cast<const char*>(std::memchr(next, '\0', end - next));
            const char* const stop = nul ? nul : end;
            output.append(next, stop);
            next = stop + (nul ? 1 : 0);
        }
    }

    HANDLE pipe_;
    win::UniqueHandle event_;
    OVERLAPPED overlapped_{};
    std::vector<char> buffer_ = std::vector<char>(kReadChunk);
    bool open_ = true;
    bool pending_ = false;
};

// Collects the output until the pipe has reached its end and the command has
// ended. Waits for pipe data, the command's end or a window message; the
// process handle, not an exit code, tells when the command has ended.
Text Capture(HANDLE pipe, const Child& child) {
    Text output;
    PipeReader reader(pipe);
    bool running = static_cast<bool>(child.process);
    bool pumping = true;
    for (;;) {
        reader.ReadAvailable(output);
        if (!reader.Open() && !running) break;
        std::array<HANDLE, 2> waits{};
        DWORD count = 0;
        if (reader.Open()) waits[count++] = reader.Event();
        if (running) waits[count++] = child.process.Get();
        const DWORD woken =
            pumping ? ::MsgWaitForMultipleObjectsEx(count, waits.data(), INFINITE, QS_ALLINPUT,
                                                    MWMO_INPUTAVAILABLE)
                    : ::WaitForMultipleObjects(count, waits.data(), FALSE, INFINITE);
        if (woken == WAIT_OBJECT_0 + count) {
            if (!DispatchPendingMessages()) {
                // The program is quitting: end the command now and keep
                // only what it has written.
                pumping = false;
                EndChild(child);
            }
        } else if (woken < WAIT_OBJECT_0 + count && waits[woken - WAIT_OBJECT_0] == reader.Event()) {
            reader.Complete(output);
        } else if (woken < WAIT_OBJECT_0 + count) {
            // The interpreter has ended; whatever it left running would hold
            // the pipe open, so end that too, then read the pipe to its end.
            running = false;
            EndChild(child);
        } else {
            break;  // the wait itself failed
        }
    }
    return output;
}

}  // namespace

InterpreterChoice SystemInterpreter() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    int family = 0;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (::GetVersionExA(&version)) {
#pragma GCC diagnostic pop
        switch (version.dwPlatformId) {
            case VER_PLATFORM_WIN32_NT: family = 3; break;
            case VER_PLATFORM_WIN32_WINDOWS: family = 2; break;
            case VER_PLATFORM_WIN32s: family = 1; break;
            default: family = 0; break;
        }
    }
    std::array<char, MAX_PATH + 1> folder{};
    const UINT length = ::GetSystemDirectoryA(folder.data(), static_cast<UINT>(folder.size()));
    return {family, length < folder.size() ? Text(folder.data(), length) : Text()};
}

InterpreterLaunch BuildInterpreterLaunch(const InterpreterChoice& choice, const Text& commandLine) {
    const Text program = choice.platformFamily > 2 ? "cmd.exe" : "command.com";
    return {choice.systemDirectory + "\\" + program, program + " /c " + commandLine};
}

Text RunConsoleCommand(const Text& commandLine) {
    return RunConsoleCommand(commandLine, SystemInterpreter());
}

Text RunConsoleCommand(const Text& commandLine, const InterpreterChoice& interpreter) {
    Pipe pipe = CreateOutputPipe();
    if (!pipe.read) return Text();
    const Child child = StartInterpreter(BuildInterpreterLaunch(interpreter, commandLine),
                                         pipe.write.Get());
    // Without the run's own copy of the write end, the pipe reports its end
    // once the command and everything it started are gone.
    pipe.write.Reset();
    return Capture(pipe.read.Get(), child);
}

}  // namespace corvina
