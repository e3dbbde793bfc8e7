#include "inspection/registry_path.h"

namespace corvina {

RegistryPath SplitRegistryPath(const Text& path) {
    const auto backslashes = FindDelimiters(path, '\\');
    if (backslashes.empty()) return {Text(), path};
    const std::size_t at = backslashes.back();
    return {path.substr(0, at), path.substr(at + 1)};
}

}  // namespace corvina
