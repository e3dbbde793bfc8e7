// Owners for COM references, storage media and global memory.
#pragma once

#include <ole2.h>

#include "win/unique_resource.h"

namespace corvina::win {

// One reference to a COM object, released once.
template <typename Interface>
struct ComReferenceTraits {
    using type = Interface*;
    static type Empty() { return nullptr; }
    static bool IsEmpty(type p) { return p == nullptr; }
    static void Release(type p) { p->Release(); }
};
template <typename Interface>
using ComReference = UniqueResource<ComReferenceTraits<Interface>>;

// A storage medium handed out by IDataObject::GetData; its owner (the
// medium's release object, or the receiver) frees it.
struct StorageMediumTraits {
    using type = STGMEDIUM;
    static type Empty() { return STGMEDIUM{}; }
    static bool IsEmpty(const type& m) { return m.tymed == TYMED_NULL; }
    static void Release(type m) { ::ReleaseStgMedium(&m); }
};
using UniqueStorageMedium = UniqueResource<StorageMediumTraits>;

struct GlobalMemoryTraits {
    using type = HGLOBAL;
    static type Empty() { return nullptr; }
    static bool IsEmpty(type h) { return h == nullptr; }
    static void Release(type h) { ::GlobalFree(h); }
};
using UniqueGlobalMemory = UniqueResource<GlobalMemoryTraits>;

// Global memory locked for as long as the owner lives.
class GlobalLock {
public:
    explicit GlobalLock(HGLOBAL memory) : memory_(memory), data_(::GlobalLock(memory)) {}
    ~GlobalLock() {
        if (data_) ::GlobalUnlock(memory_);
    }
    GlobalLock(const GlobalLock&) = delete;
    GlobalLock& operator=(const GlobalLock&) = delete;

    void* Data() const { return data_; }  // null when the lock failed

private:
    HGLOBAL memory_;
    void* data_;
};

}  // namespace corvina::win
