// Paths for the ANSI functions, on real files in Wine's file system. The
// program runs under code page 936 and again under 1252.
#include "ui/ansi_path.h"

#include <gtest/gtest.h>

#include <string>

#include "support/test_support.h"
#include "win/handles.h"

namespace corvina {
namespace {

using testing::TempFolder;

std::wstring Wide(const Text& ansi) {
    const int n = ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()),
                                        nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), n);
    return wide;
}

// A file named `name` (UTF-16) in `folder`, holding `content`; its full path.
std::wstring MakeFile(const TempFolder& folder, const std::wstring& name,
                      const std::string& content) {
    const std::wstring path = Wide(folder.Path()) + L"\\" + name;
    const win::UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                               FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (file) ::WriteFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    return path;
}

// What the ANSI functions read from `path`, or "(no such file)".
std::string ReadByAnsiPath(const Text& path) {
    const win::UniqueHandle file(
        ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return "(no such file)";
    char buffer[64] = {};
    DWORD read = 0;
    ::ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr);
    return std::string(buffer, read);
}

TEST(AnsiPath, KeepsPathsTheCodePageHolds) {
    EXPECT_EQ(AnsiPath(L"C:\\Folder\\app 1.apk"), "C:\\Folder\\app 1.apk");
    EXPECT_EQ(AnsiPath(L""), "");
    if (::GetACP() == 936) {
        // Need not exist: nothing but the conversion is involved.
        EXPECT_EQ(AnsiPath(L"C:\\\u5E94\u7528\\\u6F14\u793A.apk"), "C:\\应用\\演示.apk");
    }
}

// Korean is in neither code page; Chinese is outside 1252.
TEST(AnsiPath, GivesTheShortFormOfNamesOutsideTheCodePage) {
    const TempFolder folder;
    struct Case {
        const char* name;
        std::wstring fileName;
        bool outside;
    };
    const Case cases[] = {
        {"korean", L"\uD55C\uAD6D\uC5B4 \uC571.apk", true},
        {"chinese", L"\u6F14\u793A\u5E94\u7528.apk", ::GetACP() != 936},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::wstring path = MakeFile(folder, c.fileName, c.name);
        const Text ansi = AnsiPath(path);
        EXPECT_EQ(ReadByAnsiPath(ansi), c.name) << ansi;
        if (c.outside) {
            EXPECT_EQ(ansi.find('?'), Text::npos) << ansi;
        }
    }
}

// A best-fit look-alike counts as no form at all: the full-width quotation
// mark never turns into '"' (which would end a quoted command argument).
TEST(AnsiPath, NeverSubstitutesLookAlikes) {
    const TempFolder folder;
    const std::wstring path = MakeFile(folder, L"a\uFF02 b.apk", "look-alike");
    const Text ansi = AnsiPath(path);
    EXPECT_EQ(ansi.find('"'), Text::npos) << ansi;
    EXPECT_EQ(ReadByAnsiPath(ansi), "look-alike") << ansi;
}

// Without a file there is no short form: the plain conversion is all.
TEST(AnsiPath, FallsBackToThePlainConversionWithoutAShortForm) {
    const Text ansi = AnsiPath(L"C:\\no-such-folder\\\uD55C.apk");
    EXPECT_EQ(ansi.rfind("C:\\no-such-folder\\", 0), 0u);
    EXPECT_NE(ansi.find('?'), Text::npos) << ansi;
}

}  // namespace
}  // namespace corvina
