#include "ui/gbk_text.h"

#include <windows.h>

#include <climits>

namespace corvina {

std::wstring WideFromGbk(const Text& text) {
    if (text.empty() || text.size() > INT_MAX) return std::wstring();
    const int size = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(936, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(936, 0, text.data(), size, wide.data(), length);
    return wide;
}

}  // namespace corvina
