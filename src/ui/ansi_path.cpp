#include "ui/ansi_path.h"

#include <windows.h>

#include <climits>

namespace corvina {
namespace {

struct Conversion {
    Text text;
    bool exact = false;  // every character had a form of its own
};

// Best-fit substitutes are refused: they would turn, say, a full-width
// quotation mark into '"' and so change what the path means to a command
// line, or name another file altogether. A UTF-8 ANSI code page holds every
// character and takes neither the flag nor the default-character report.
Conversion ToAnsi(const std::wstring& wide) {
    if (wide.empty() || wide.size() > INT_MAX) return {Text(), wide.empty()};
    const int n = static_cast<int>(wide.size());
    const bool utf8 = ::GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL defaultUsed = FALSE;
    BOOL* const report = utf8 ? nullptr : &defaultUsed;
    const int size =
        ::WideCharToMultiByte(CP_ACP, flags, wide.data(), n, nullptr, 0, nullptr, report);
    if (size == 0) return {};
    Text text(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_ACP, flags, wide.data(), n, text.data(), size, nullptr, report);
    return {text, !defaultUsed};
}

std::wstring ShortPath(const std::wstring& path) {
    const DWORD size = ::GetShortPathNameW(path.c_str(), nullptr, 0);
    if (size == 0) return std::wstring();
    std::wstring shortPath(size, L'\0');
    const DWORD length = ::GetShortPathNameW(path.c_str(), shortPath.data(), size);
    if (length == 0 || length >= size) return std::wstring();
    shortPath.resize(length);
    return shortPath;
}

}  // namespace

Text AnsiPath(const std::wstring& path) {
    const Conversion plain = ToAnsi(path);
    if (plain.exact) return plain.text;
    const Conversion shortForm = ToAnsi(ShortPath(path));
    return shortForm.exact && !shortForm.text.empty() ? shortForm.text : plain.text;
}

}  // namespace corvina
