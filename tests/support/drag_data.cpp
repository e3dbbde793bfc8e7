#include "support/drag_data.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstring>

namespace corvina::testing {

// A shell file list (CF_HDROP): a DROPFILES header and the wide paths, each
// NUL-terminated, with one more NUL at the end.
win::UniqueGlobalMemory FileList(const std::vector<std::wstring>& paths) {
    std::size_t characters = 1;
    for (const std::wstring& path : paths) characters += path.size() + 1;
    win::UniqueGlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT,
                                                 sizeof(DROPFILES) + characters * sizeof(wchar_t)));
    const win::GlobalLock lock(memory.Get());
    auto* const header = static_cast<DROPFILES*>(lock.Data());
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    auto* next = reinterpret_cast<wchar_t*>(header + 1);
    for (const std::wstring& path : paths) {
        std::memcpy(next, path.c_str(), (path.size() + 1) * sizeof(wchar_t));
        next += path.size() + 1;
    }
    return memory;
}

win::UniqueGlobalMemory TextData(const std::string& text) {
    win::UniqueGlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1));
    const win::GlobalLock lock(memory.Get());
    std::memcpy(lock.Data(), text.c_str(), text.size() + 1);
    return memory;
}

HRESULT DragData::EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) {
    if (direction != DATADIR_GET) return E_NOTIMPL;
    std::vector<FORMATETC> offered;
    for (const Item& item : items_) {
        offered.push_back({item.format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL});
    }
    return ::SHCreateStdEnumFmtEtc(static_cast<UINT>(offered.size()), offered.data(), formats);
}

}  // namespace corvina::testing
