#include "program/file_drag.h"

#include <ole2.h>
#include <shlobj.h>
#include <shellapi.h>

#include <cstring>

#include "win/ole_session.h"

namespace corvina::testing {
namespace {

// A CF_HDROP block: the DROPFILES header, then the wide paths, each ended
// by NUL, and one more NUL.
HGLOBAL MakeFileList(const std::vector<std::wstring>& paths) {
    std::size_t characters = 1;
    for (const auto& path : paths) characters += path.size() + 1;
    const std::size_t size = sizeof(DROPFILES) + characters * sizeof(wchar_t);
    const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    auto* header = static_cast<DROPFILES*>(::GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    auto* next = reinterpret_cast<wchar_t*>(reinterpret_cast<char*>(header) + sizeof(DROPFILES));
    for (const auto& path : paths) {
        std::memcpy(next, path.c_str(), (path.size() + 1) * sizeof(wchar_t));
        next += path.size() + 1;
    }
    ::GlobalUnlock(memory);
    return memory;
}

// COM objects that live on the stack for the length of one drag; their
// reference counts are kept for COM's sake only.
class FileListData : public IDataObject {
public:
    explicit FileListData(const std::vector<std::wstring>& paths) : files_(MakeFileList(paths)) {}
    ~FileListData() { ::GlobalFree(files_); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (iid == IID_IUnknown || iid == IID_IDataObject) {
            *object = static_cast<IDataObject*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return --references_; }

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
        if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
        const SIZE_T size = ::GlobalSize(files_);
        const HGLOBAL copy = ::GlobalAlloc(GMEM_MOVEABLE, size);
        std::memcpy(::GlobalLock(copy), ::GlobalLock(files_), size);
        ::GlobalUnlock(files_);
        ::GlobalUnlock(copy);
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = copy;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
        return format->cfFormat == CF_HDROP && (format->tymed & TYMED_HGLOBAL) ? S_OK
                                                                               : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override {
        if (direction != DATADIR_GET) return E_NOTIMPL;
        FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        return ::SHCreateStdEnumFmtEtc(1, &format, formats);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }

private:
    HGLOBAL files_;
    ULONG references_ = 1;
};

// Drops after the drag has been over the target for a few of the drag
// loop's polls, without any mouse button being involved.
class DropAfterAWhile : public IDropSource {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (iid == IID_IUnknown || iid == IID_IDropSource) {
            *object = static_cast<IDropSource*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return --references_; }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD) override {
        if (escape) return DRAGDROP_S_CANCEL;
        return ++polls_ > 3 ? DRAGDROP_S_DROP : S_OK;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

private:
    ULONG references_ = 1;
    int polls_ = 0;
};

}  // namespace

DWORD DragFilesOnto(HWND target, const std::vector<std::wstring>& paths, DWORD allowedEffects) {
    const win::OleSession ole;
    RECT rect{};
    ::GetWindowRect(target, &rect);
    ::SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    FileListData data(paths);
    DropAfterAWhile source;
    DWORD effect = DROPEFFECT_NONE;
    if (::DoDragDrop(&data, &source, allowedEffects, &effect) != DRAGDROP_S_DROP) {
        return DROPEFFECT_NONE;
    }
    return effect;
}

}  // namespace corvina::testing
