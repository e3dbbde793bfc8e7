#include "text/text.h"

#include <algorithm>

namespace corvina {

Text TextFromBytes(const ByteArray& bytes) {
    const auto end = std::find(bytes.begin(), bytes.end(), '\0');
    return Text(bytes.begin(), end);
}

ByteArray BytesFromText(const Text& text) {
    return ByteArray(text.begin(), text.end());
}

}  // namespace corvina

namespace corvina {

std::vector<std::size_t> FindDelimiters(const Text& text, char delimiter) {
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (IsLeadByte(byte)) {
            i += 2;
            continue;
        }
        if (text[i] == delimiter) offsets.push_back(i);
        ++i;
    }
    return offsets;
}

}  // namespace corvina
