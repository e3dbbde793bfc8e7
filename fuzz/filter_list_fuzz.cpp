// BuildFilterList on arbitrary filters: the list is empty exactly for an
// empty filter, ends in two NUL bytes otherwise, and holds the filter's
// bytes in order once the NULs are taken out and the delimiters put back.
#include <cstdlib>
#include <string>

#include "ui/filter_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string filter(reinterpret_cast<const char*>(data), size);
    std::erase(filter, '\0');
    const corvina::ByteArray list = corvina::BuildFilterList(filter);
    if (filter.empty()) {
        if (!list.empty()) std::abort();
        return 0;
    }
    if (list.size() < 2 || list[list.size() - 1] != 0 || list[list.size() - 2] != 0) std::abort();
    // Every byte of the list but NUL comes from the filter, in order.
    size_t at = 0;
    for (const unsigned char byte : list) {
        if (byte == 0) continue;
        while (at < filter.size() && static_cast<unsigned char>(filter[at]) != byte) ++at;
        if (at == filter.size()) std::abort();
        ++at;
    }
    return 0;
}
