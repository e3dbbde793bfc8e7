// SplitRegistryPath on arbitrary paths: key and value name put back
// together give the path again.
#include <cstdlib>
#include <string>

#include "inspection/registry_path.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string path(reinterpret_cast<const char*>(data), size);
    std::erase(path, '\0');
    const corvina::RegistryPath split = corvina::SplitRegistryPath(path);
    const std::string joined =
        split.key.empty() && split.valueName == path ? path : split.key + "\\" + split.valueName;
    if (joined != path) std::abort();
    return 0;
}
