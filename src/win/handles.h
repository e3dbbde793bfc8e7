// Owners for kernel handles, registry keys, windows and GDI objects.
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

struct WindowTraits {
    using type = HWND;
    static type Empty() { return nullptr; }
    static bool IsEmpty(type w) { return w == nullptr; }
    static void Release(type w) { ::DestroyWindow(w); }
};
using UniqueWindow = UniqueResource<WindowTraits>;

// A cursor made at run time (CreateCursor), not a shared system one.
struct CursorTraits {
    using type = HCURSOR;
    static type Empty() { return nullptr; }
    static bool IsEmpty(type c) { return c == nullptr; }
    static void Release(type c) { ::DestroyCursor(c); }
};
using UniqueCursor = UniqueResource<CursorTraits>;

// Pens, brushes, fonts and bitmaps (not while selected into a device context).
struct GdiObjectTraits {
    using type = HGDIOBJ;
    static type Empty() { return nullptr; }
    static bool IsEmpty(type o) { return o == nullptr; }
    static void Release(type o) { ::DeleteObject(o); }
};
using UniqueGdiObject = UniqueResource<GdiObjectTraits>;

// A device context made with CreateCompatibleDC or CreateDC.
struct DeviceContextTraits {
    using type = HDC;
    static type Empty() { return nullptr; }
    static bool IsEmpty(type dc) { return dc == nullptr; }
    static void Release(type dc) { ::DeleteDC(dc); }
};
using UniqueDeviceContext = UniqueResource<DeviceContextTraits>;

// An object selected into a device context for as long as the owner lives;
// the previous selection is put back afterwards.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (previous_ && previous_ != HGDI_ERROR) ::SelectObject(dc_, previous_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace corvina::win
