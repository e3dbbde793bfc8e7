// A console program that does what its arguments say, in order, for what the
// real packaging tool cannot show:
//   print N       writes N bytes of the output pattern to standard output
//   text S        writes S to standard output
//   nul           writes one NUL byte to standard output
//   stderr S      writes S to standard error
//   cmdline       writes its own command line to standard output
//   pid           writes its process identifier and a blank to standard output
//   clock         writes the performance counter's value and a blank
//   sleep MS      sleeps MS milliseconds
//   spawn CMD     starts CMD (a command line) without waiting for it
//   exit CODE     exits with CODE at once
// Output is written unbuffered with WriteFile, so nothing is held back.
// When the variable CORVINA_CHILD_SCRIPT is set, its words are the actions
// and the arguments are ignored: so the child can stand in for a program
// whose command line it does not choose (a packaging tool that never ends).
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "output_pattern.h"

namespace {

void Write(DWORD stream, const char* data, std::size_t size) {
    const HANDLE handle = GetStdHandle(stream);
    while (size > 0) {
        DWORD written = 0;
        const DWORD chunk = size > (1u << 20) ? (1u << 20) : static_cast<DWORD>(size);
        if (!WriteFile(handle, data, chunk, &written, nullptr) || written == 0) return;
        data += written;
        size -= written;
    }
}

void Print(std::size_t count) {
    // Whole periods of the pattern, so every block starts where the last ended.
    const std::string block = corvina::testing::Pattern(corvina::testing::kPatternPeriod * 256);
    for (std::size_t done = 0; done < count;) {
        const std::size_t size = count - done < block.size() ? count - done : block.size();
        Write(STD_OUTPUT_HANDLE, block.data(), size);
        done += size;
    }
}

void Spawn(const char* commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::string line = commandLine;
    if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                       &info)) {
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
}

}  // namespace

std::vector<std::string> Actions(int argc, char** argv) {
    char script[4096];
    const DWORD length = GetEnvironmentVariableA("CORVINA_CHILD_SCRIPT", script, sizeof script);
    if (length == 0 || length >= sizeof script) return std::vector<std::string>(argv + 1, argv + argc);
    std::vector<std::string> words;
    std::string word;
    for (const char c : std::string(script, length) + " ") {
        if (c != ' ') {
            word += c;
        } else if (!word.empty()) {
            words.push_back(word);
            word.clear();
        }
    }
    return words;
}

int main(int argc, char** argv) {
    const std::vector<std::string> actions = Actions(argc, argv);
    const int count = static_cast<int>(actions.size());
    for (int i = 0; i < count; ++i) {
        const std::string& action = actions[i];
        const char* argument = i + 1 < count ? actions[i + 1].c_str() : "";
        if (action == "print") {
            Print(std::strtoull(argument, nullptr, 10));
            ++i;
        } else if (action == "text") {
            Write(STD_OUTPUT_HANDLE, argument, std::strlen(argument));
            ++i;
        } else if (action == "nul") {
            Write(STD_OUTPUT_HANDLE, "", 1);
        } else if (action == "stderr") {
            Write(STD_ERROR_HANDLE, argument, std::strlen(argument));
            ++i;
        } else if (action == "cmdline") {
            const char* line = GetCommandLineA();
            Write(STD_OUTPUT_HANDLE, line, std::strlen(line));
        } else if (action == "pid") {
            const std::string pid = std::to_string(GetCurrentProcessId()) + " ";
            Write(STD_OUTPUT_HANDLE, pid.data(), pid.size());
        } else if (action == "clock") {
            LARGE_INTEGER now;
            QueryPerformanceCounter(&now);
            const std::string value = std::to_string(now.QuadPart) + " ";
            Write(STD_OUTPUT_HANDLE, value.data(), value.size());
        } else if (action == "sleep") {
            Sleep(static_cast<DWORD>(std::strtoul(argument, nullptr, 10)));
            ++i;
        } else if (action == "spawn") {
            Spawn(argument);
            ++i;
        } else if (action == "exit") {
            ExitProcess(static_cast<UINT>(std::strtoul(argument, nullptr, 10)));
        }
    }
    return 0;
}
