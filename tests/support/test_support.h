// Fixtures shared by the Windows tests: the test programs, temporary
// folders, the current folder and the emulator's registry values.
#pragma once

#include <windows.h>

#include <string>

#include "text/text.h"

namespace corvina::testing {

// The Windows path of a file of the build tree (Wine's drive Z: is "/").
Text WindowsPath(const std::string& unixPath);

Text ScriptedChildPath();     // the scripted child program
Text BridgeEmulatorFolder();  // a folder whose aapt.exe runs the machine's aapt
Text PackagePath(const std::string& name);       // a test package, e.g. "chinese-label"
std::string PackageReport(const std::string& name);  // the machine aapt's report of it, UTF-8

Text CurrentDirectory();

// The code page 936 form of UTF-8 text, by the platform's own conversion.
Text Gbk(const std::string& utf8);

// `text` of the given code page (CP_UTF8, 936, CP_ACP) in UTF-16.
std::wstring WideFrom(unsigned codePage, const std::string& text);

// What a box shows for UTF-8 text of the tool: the text in code page 936
// (characters without a form there become the default character), in UTF-16.
std::wstring ShownAsGbk(const std::string& utf8);

// Every LF of `text` turned into CR LF.
std::string WithCrLf(const std::string& text);

// A new empty folder under the temporary folder, removed with all it holds.
class TempFolder {
public:
    explicit TempFolder(const Text& name = "corvina-test");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const Text& Path() const { return path_; }
    // A subfolder, created.
    Text Folder(const Text& name) const;

private:
    Text path_;
};

// Puts the current folder back as it was.
class CurrentDirectoryGuard {
public:
    CurrentDirectoryGuard() : saved_(CurrentDirectory()) {}
    ~CurrentDirectoryGuard() { ::SetCurrentDirectoryA(saved_.c_str()); }
    CurrentDirectoryGuard(const CurrentDirectoryGuard&) = delete;
    CurrentDirectoryGuard& operator=(const CurrentDirectoryGuard&) = delete;

private:
    Text saved_;
};

// The emulators' registry keys under HKEY_CURRENT_USER, removed when the
// fixture starts and again when it ends.
class EmulatorRegistry {
public:
    EmulatorRegistry();
    ~EmulatorRegistry();
    EmulatorRegistry(const EmulatorRegistry&) = delete;
    EmulatorRegistry& operator=(const EmulatorRegistry&) = delete;

    // Stores raw data of any type as the InstallDir value of generation 1 or 2.
    void Set(int generation, DWORD type, const std::string& data);
    // Stores a REG_SZ value with its terminating NUL.
    void SetText(int generation, const Text& text);
};

}  // namespace corvina::testing
