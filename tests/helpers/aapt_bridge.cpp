// aapt.exe for the tests: runs the machine's own (Unix) packaging tool from
// inside Wine and passes its report on as a Windows console program would.
//
// Wine starts a Unix program from CreateProcess but neither returns a process
// handle nor connects it to Windows pipes. So the bridge converts the package
// path to a Unix path, has /bin/sh run the tool with its output redirected to
// a file and its exit code written to a marker file, waits for the marker,
// copies the output to its own standard output with every LF turned into
// CR LF (text-mode output of a Windows console program) and exits with the
// tool's exit code. Every other byte is passed on unchanged.
//
// The Unix tool is /usr/bin/aapt, or the program CORVINA_UNIX_AAPT names.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace {

using UnixNameFunction = char*(CDECL*)(LPCWSTR);

// The Unix form of a Windows path, in UTF-8; Wine maps it even when the file
// does not exist.
std::string UnixPath(const std::wstring& windowsPath) {
    static const auto toUnix = reinterpret_cast<UnixNameFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix) return std::string();
    std::wstring full(32768, L'\0');
    const DWORD length = GetFullPathNameW(windowsPath.c_str(), static_cast<DWORD>(full.size()),
                                          full.data(), nullptr);
    full.resize(length > 0 && length < full.size() ? length : 0);
    char* unixName = toUnix(full.empty() ? windowsPath.c_str() : full.c_str());
    if (!unixName) return std::string();
    std::string result = unixName;
    HeapFree(GetProcessHeap(), 0, unixName);
    return result;
}

std::string Utf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), result.data(),
                        size, nullptr, nullptr);
    return result;
}

std::wstring Wide(const std::string& utf8) {
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring result(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), static_cast<int>(utf8.size()), result.data(),
                        size);
    return result;
}

// One shell word: inside single quotes every byte stands for itself, and a
// single quote is written as '\''.
std::string ShellQuote(const std::string& word) {
    std::string quoted = "'";
    for (const char c : word) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
}

std::string EnvironmentOr(const wchar_t* name, const std::string& fallback) {
    wchar_t value[4096];
    const DWORD length = GetEnvironmentVariableW(name, value, 4096);
    return length > 0 && length < 4096 ? Utf8(std::wstring(value, length)) : fallback;
}

bool WriteAll(HANDLE file, const char* data, std::size_t size) {
    while (size > 0) {
        DWORD written = 0;
        if (!WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr) || written == 0) {
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool ok = WriteAll(file, bytes.data(), bytes.size());
    CloseHandle(file);
    return ok;
}

std::string ReadFileBytes(const std::wstring& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::string();
    std::string bytes;
    char buffer[65536];
    DWORD count = 0;
    while (ReadFile(file, buffer, sizeof buffer, &count, nullptr) && count > 0) {
        bytes.append(buffer, count);
    }
    CloseHandle(file);
    return bytes;
}

// Copies `report` to standard output as a text-mode console stream.
void WriteReport(const std::string& report) {
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    std::string converted;
    converted.reserve(report.size() + report.size() / 16);
    for (const char c : report) {
        if (c == '\n') converted += '\r';
        converted += c;
    }
    WriteAll(out, converted.data(), converted.size());
}

}  // namespace

int main() {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv) return 1;

    // The tool's words (dump, badging) pass unchanged; the arguments after
    // them that are not options are file paths.
    std::string command = ShellQuote(EnvironmentOr(L"CORVINA_UNIX_AAPT", "/usr/bin/aapt"));
    for (int i = 1; i < argc; ++i) {
        const std::wstring argument = argv[i];
        const bool isPath = i > 2 && !argument.empty() && argument[0] != L'-';
        command += ' ' + ShellQuote(isPath ? UnixPath(argument) : Utf8(argument));
    }
    LocalFree(argv);

    wchar_t tempFolder[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, tempFolder);
    const std::wstring work = std::wstring(tempFolder) + L"aapt-bridge-" +
                              std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(GetTickCount());
    if (!CreateDirectoryW(work.c_str(), nullptr)) return 1;
    const std::wstring script = work + L"\\run.sh";
    const std::wstring output = work + L"\\output";
    const std::wstring marker = work + L"\\exit-code";
    const std::string outputUnix = ShellQuote(UnixPath(output));
    const std::string markerUnix = UnixPath(marker);
    const std::string body = command + " >" + outputUnix + " 2>&1\n" + "echo $? >" +
                             ShellQuote(markerUnix + ".part") + "\n" + "mv " +
                             ShellQuote(markerUnix + ".part") + " " + ShellQuote(markerUnix) + "\n";
    if (!WriteFileBytes(script, body)) return 1;

    // Wine runs a Unix program named by its Windows path; the script's Unix
    // path becomes its argument.
    std::wstring shell = L"Z:\\bin\\sh \"" + Wide(UnixPath(script)) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, shell.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        return 1;
    }
    if (info.hProcess) CloseHandle(info.hProcess);
    if (info.hThread) CloseHandle(info.hThread);

    while (GetFileAttributesW(marker.c_str()) == INVALID_FILE_ATTRIBUTES) Sleep(5);
    const int exitCode = atoi(ReadFileBytes(marker).c_str());
    WriteReport(ReadFileBytes(output));

    DeleteFileW(script.c_str());
    DeleteFileW(output.c_str());
    DeleteFileW(marker.c_str());
    RemoveDirectoryW(work.c_str());
    return exitCode;
}
