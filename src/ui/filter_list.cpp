#include "ui/filter_list.h"

namespace corvina {

ByteArray BuildFilterList(const Text& filter) {
    ByteArray list;
    std::size_t partStart = 0;
    const auto appendPart = [&](std::size_t end) {
        list.insert(list.end(), filter.begin() + static_cast<std::ptrdiff_t>(partStart),
                    filter.begin() + static_cast<std::ptrdiff_t>(end));
        list.push_back('\0');
    };
    for (const std::size_t at : FindDelimiters(filter, '|')) {
        appendPart(at);
        partStart = at + 1;
    }
    // What follows the last delimiter is a part unless it is empty.
    if (partStart < filter.size()) appendPart(filter.size());
    // The last part ends with a second NUL byte.
    if (!list.empty()) list.push_back('\0');
    return list;
}

}  // namespace corvina
