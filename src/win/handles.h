// Owners for kernel handles and registry keys.
#pragma once

#include <windows.h>

#include "win/unique_resource.h"

namespace corvina::win {

// Kernel handles: some calls report failure as null, others as
// INVALID_HANDLE_VALUE; neither is ever closed.
struct KernelHandleTraits {
    using type = HANDLE;
    static type Empty() { return nullptr; }
    static bool IsEmpty(type h) { return h == nullptr || h == INVALID_HANDLE_VALUE; }
    static void Release(type h) { ::CloseHandle(h); }
};
using UniqueHandle = UniqueResource<KernelHandleTraits>;

struct RegistryKeyTraits {
    using type = HKEY;
    static type Empty() { return nullptr; }
    static bool IsEmpty(type k) { return k == nullptr; }
    static void Release(type k) { ::RegCloseKey(k); }
};
using UniqueRegistryKey = UniqueResource<RegistryKeyTraits>;

}  // namespace corvina::win
