#include "support/test_support.h"

#include <shlwapi.h>

#include <fstream>
#include <sstream>

namespace corvina::testing {
namespace {

const char* const kEmulatorKeys[] = {"Software\\ChangZhi", "Software\\ChangZhi2"};

void RemoveTree(const Text& folder) {
    WIN32_FIND_DATAA entry;
    const HANDLE find = ::FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const Text name = entry.cFileName;
            if (name == "." || name == "..") continue;
            const Text path = folder + "\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileA(path.c_str());
            }
        } while (::FindNextFileA(find, &entry));
        ::FindClose(find);
    }
    ::RemoveDirectoryA(folder.c_str());
}

}  // namespace

Text WindowsPath(const std::string& unixPath) {
    Text path = "Z:" + unixPath;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

Text ScriptedChildPath() { return WindowsPath(CORVINA_SCRIPTED_CHILD); }
Text BridgeEmulatorFolder() { return WindowsPath(CORVINA_EMULATOR_DIR); }
Text PackagePath(const std::string& name) {
    return WindowsPath(std::string(CORVINA_PACKAGES_DIR) + "/" + name + ".apk");
}

std::string PackageReport(const std::string& name) {
    std::ifstream file(std::string(CORVINA_PACKAGES_DIR) + "/" + name + ".badging",
                       std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

Text CurrentDirectory() {
    char buffer[MAX_PATH + 1] = {};
    const DWORD length = ::GetCurrentDirectoryA(sizeof buffer, buffer);
    return length < sizeof buffer ? Text(buffer, length) : Text();
}

Text Gbk(const std::string& utf8) {
    if (utf8.empty()) return Text();
    const int w = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                        nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(w), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), w);
    const int m = ::WideCharToMultiByte(936, 0, wide.data(), w, nullptr, 0, nullptr, nullptr);
    Text gbk(static_cast<std::size_t>(m), '\0');
    ::WideCharToMultiByte(936, 0, wide.data(), w, gbk.data(), m, nullptr, nullptr);
    return gbk;
}

std::wstring WideFrom(unsigned codePage, const std::string& text) {
    const int size = ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

std::wstring ShownAsGbk(const std::string& utf8) { return WideFrom(936, Gbk(utf8)); }

std::string WithCrLf(const std::string& text) {
    std::string converted;
    for (const char c : text) {
        if (c == '\n') converted += '\r';
        converted += c;
    }
    return converted;
}

TempFolder::TempFolder(const Text& name) {
    char temp[MAX_PATH + 1] = {};
    ::GetTempPathA(sizeof temp, temp);
    static unsigned serial = 0;
    path_ = Text(temp) + name + "-" + std::to_string(::GetCurrentProcessId()) + "-" +
            std::to_string(++serial);
    RemoveTree(path_);
    ::CreateDirectoryA(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() { RemoveTree(path_); }

Text TempFolder::Folder(const Text& name) const {
    const Text folder = path_ + "\\" + name;
    ::CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

EmulatorRegistry::EmulatorRegistry() {
    for (const char* key : kEmulatorKeys) ::SHDeleteKeyA(HKEY_CURRENT_USER, key);
}

EmulatorRegistry::~EmulatorRegistry() {
    for (const char* key : kEmulatorKeys) ::SHDeleteKeyA(HKEY_CURRENT_USER, key);
}

void EmulatorRegistry::Set(int generation, DWORD type, const std::string& data) {
    const Text key = Text(kEmulatorKeys[generation - 1]) + "\\dnplayer";
    HKEY handle = nullptr;
    ::RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle,
                      nullptr);
    ::RegSetValueExA(handle, "InstallDir", 0, type, reinterpret_cast<const BYTE*>(data.data()),
                     static_cast<DWORD>(data.size()));
    ::RegCloseKey(handle);
}

void EmulatorRegistry::SetText(int generation, const Text& text) {
    Set(generation, REG_SZ, std::string(text.c_str(), text.size() + 1));
}

}  // namespace corvina::testing
