// Measures the console runner against a plain blocking read loop, with the
// scripted child as the command:
//   idle_cpu_ms          this process's CPU time while a child sleeps 2 s
//   capture_ratio_64mib  capture time of 64 MiB over that of a plain loop
//   scaling_64_over_8    capture time of 64 MiB over that of 8 MiB
//   exit_latency_ms      median time from the child's exit to the return
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "inspection/console_command.h"
#include "support/test_support.h"
#include "win/handles.h"

namespace {

using corvina::Text;

Text Child(const std::string& actions) {
    return "\"" + corvina::testing::ScriptedChildPath() + "\" " + actions;
}

double Seconds() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double CpuMilliseconds() {
    FILETIME creation, exit, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &creation, &exit, &kernel, &user);
    const auto ticks = [](FILETIME t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The reference: the same command through cmd.exe and an anonymous pipe,
// read with blocking ReadFile calls until the pipe ends.
std::size_t PlainCapture(const Text& commandLine) {
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0)) return 0;
    corvina::win::UniqueHandle read(readEnd), write(writeEnd);
    SetHandleInformation(read.Get(), HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = write.Get();
    PROCESS_INFORMATION info{};
    const corvina::InterpreterLaunch launch =
        corvina::BuildInterpreterLaunch(corvina::SystemInterpreter(), commandLine);
    Text line = launch.commandLine;
    if (!CreateProcessA(launch.applicationName.c_str(), line.data(), nullptr, nullptr, TRUE, 0,
                        nullptr, nullptr, &startup, &info)) {
        return 0;
    }
    corvina::win::UniqueHandle process(info.hProcess), thread(info.hThread);
    write.Reset();
    std::string output;
    std::vector<char> buffer(64 * 1024);
    DWORD count = 0;
    while (ReadFile(read.Get(), buffer.data(), static_cast<DWORD>(buffer.size()), &count, nullptr) &&
           count > 0) {
        output.append(buffer.data(), count);
    }
    WaitForSingleObject(process.Get(), INFINITE);
    return output.size();
}

double TimeRunner(std::size_t bytes) {
    const double start = Seconds();
    const std::size_t got = corvina::RunConsoleCommand(Child("print " + std::to_string(bytes))).size();
    const double elapsed = Seconds() - start;
    if (got != bytes) std::fprintf(stderr, "runner captured %zu of %zu bytes\n", got, bytes);
    return elapsed;
}

double TimePlain(std::size_t bytes) {
    const double start = Seconds();
    const std::size_t got = PlainCapture(Child("print " + std::to_string(bytes)));
    const double elapsed = Seconds() - start;
    if (got != bytes) std::fprintf(stderr, "plain loop captured %zu of %zu bytes\n", got, bytes);
    return elapsed;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const std::size_t small = 8u << 20;
    const std::size_t large = 64u << 20;

    const double cpuBefore = CpuMilliseconds();
    corvina::RunConsoleCommand(Child("sleep 2000"));
    std::printf("idle_cpu_ms: %.1f ms\n", CpuMilliseconds() - cpuBefore);

    std::vector<double> runner64, plain64, runner8;
    for (int i = 0; i < rounds; ++i) {  // interleaved, so drift hits both alike
        runner64.push_back(TimeRunner(large));
        plain64.push_back(TimePlain(large));
        runner8.push_back(TimeRunner(small));
    }
    std::printf("capture_64mib_s: %.3f s\n", Median(runner64));
    std::printf("plain_64mib_s: %.3f s\n", Median(plain64));
    std::printf("capture_ratio_64mib: %.2f ratio\n", Median(runner64) / Median(plain64));
    std::printf("scaling_64_over_8: %.2f ratio\n", Median(runner64) / Median(runner8));

    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> latencies;
    for (int i = 0; i < 15; ++i) {
        const Text output = corvina::RunConsoleCommand(Child("clock exit 0"));
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        const long long exited = std::strtoll(output.c_str(), nullptr, 10);
        latencies.push_back(static_cast<double>(now.QuadPart - exited) * 1000.0 /
                            static_cast<double>(frequency.QuadPart));
    }
    std::printf("exit_latency_ms: %.2f ms\n", Median(latencies));
    return 0;
}
