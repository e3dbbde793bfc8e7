#include "inspection/utf8_decoding.h"

#include <windows.h>

#include <climits>

namespace corvina {
namespace {

constexpr UINT kUtf8 = 65001;
constexpr UINT kGbk = 936;

}  // namespace

Text Utf8BytesToGbkText(const ByteArray& data) {
    if (data.empty() || data.size() > INT_MAX) return Text();
    const auto input = reinterpret_cast<const char*>(data.data());
    const int n = static_cast<int>(data.size());
    const int w = ::MultiByteToWideChar(kUtf8, 0, input, n, nullptr, 0);
    if (w == 0) return Text();
    std::wstring wide(static_cast<std::size_t>(w), L'\0');
    ::MultiByteToWideChar(kUtf8, 0, input, n, wide.data(), w);
    const int m = ::WideCharToMultiByte(kGbk, 0, wide.data(), w, nullptr, 0, nullptr, nullptr);
    if (m == 0) return Text();
    ByteArray gbk(static_cast<std::size_t>(m));
    ::WideCharToMultiByte(kGbk, 0, wide.data(), w, reinterpret_cast<char*>(gbk.data()), m,
                          nullptr, nullptr);
    return TextFromBytes(gbk);
}

}  // namespace corvina
