#include "inspection/registry_text.h"

#include "inspection/registry_path.h"
#include "win/handles.h"

namespace corvina {
namespace {

Text ExpandEnvironment(const Text& text) {
    const DWORD size = ::ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
    if (size == 0) return Text();
    ByteArray expanded(size);
    if (::ExpandEnvironmentStringsA(text.c_str(), reinterpret_cast<char*>(expanded.data()),
                                    size) == 0) {
        return Text();
    }
    return TextFromBytes(expanded);
}

}  // namespace

Text ReadRegistryText(HKEY root, const Text& path) {
    const RegistryPath split = SplitRegistryPath(path);
    win::UniqueRegistryKey key;
    if (::RegOpenKeyExA(root, split.key.c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) {
        return Text();
    }
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExA(key.Get(), split.valueName.c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS ||
        size == 0 || (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return Text();
    }
    ByteArray data(size);
    if (::RegQueryValueExA(key.Get(), split.valueName.c_str(), nullptr, &type, data.data(),
                           &size) != ERROR_SUCCESS) {
        return Text();
    }
    data.resize(size);
    const Text text = TextFromBytes(data);
    if (type == REG_EXPAND_SZ) return ExpandEnvironment(text);
    if (type == REG_SZ) return text;
    return Text();  // the value changed its type between the two queries
}

}  // namespace corvina
