// Writes what the running program's four result boxes show, in UTF-8, once
// an inspection has filled the report box:
//   box_reader SECONDS OUTPUT_FILE
// Waits up to SECONDS for the window and the report. (A file, because the
// reader may be started inside a virtual desktop that keeps no console.)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "ui/main_window_ids.h"

namespace {

std::wstring TextOf(HWND control) {
    const auto length = SendMessageW(control, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const auto copied = SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

std::string Utf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size,
                        nullptr, nullptr);
    return utf8;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    const DWORD limit = std::strtoul(argv[1], nullptr, 10) * 1000;
    FILE* out = std::fopen(argv[2], "wb");
    if (!out) return 2;
    const DWORD start = GetTickCount();
    HWND window = nullptr;
    while (GetTickCount() - start < limit) {
        window = FindWindowW(corvina::kMainWindowClass, nullptr);
        if (window && !TextOf(GetDlgItem(window, corvina::kEdit4)).empty()) break;
        Sleep(100);
    }
    if (!window) {
        std::fputs("box_reader: the program's window did not appear\n", out);
        std::fclose(out);
        return 1;
    }
    const struct {
        const char* name;
        int id;
    } boxes[] = {{"application label", corvina::kEdit1},
                 {"package name", corvina::kEdit2},
                 {"launchable activity", corvina::kEdit3}};
    for (const auto& box : boxes) {
        std::fprintf(out, "%s: %s\n", box.name, Utf8(TextOf(GetDlgItem(window, box.id))).c_str());
    }
    std::string report = Utf8(TextOf(GetDlgItem(window, corvina::kEdit4)));
    std::fprintf(out, "report:\n%s\n", report.c_str());
    std::fclose(out);
    return 0;
}
