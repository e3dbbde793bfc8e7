// What a drag source offers: global memory in a few clipboard formats,
// among them the shell's file lists.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "win/ole_handles.h"

namespace corvina::testing {

// A shell file list (CF_HDROP): a DROPFILES header and the wide paths, each
// NUL-terminated, with one more NUL at the end.
win::UniqueGlobalMemory FileList(const std::vector<std::wstring>& paths);

// Text in global memory with its NUL, as CF_TEXT carries it.
win::UniqueGlobalMemory TextData(const std::string& text);

// A drag source's data: global memory in a few clipboard formats. Each
// GetData hands out a copy, which the receiver releases.
class DragData : public IDataObject {
public:
    void Add(CLIPFORMAT format, win::UniqueGlobalMemory memory) {
        items_.push_back({format, std::move(memory)});
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (iid == IID_IUnknown || iid == IID_IDataObject) {
            *object = static_cast<IDataObject*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // The object lives on the test's stack: the count is kept, never acted on.
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return references_ > 0 ? --references_ : 0; }

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
        const HGLOBAL source = Find(format);
        if (!source) return DV_E_FORMATETC;
        const SIZE_T size = ::GlobalSize(source);
        const HGLOBAL copy = ::GlobalAlloc(GMEM_MOVEABLE, size);
        {
            const win::GlobalLock from(source);
            const win::GlobalLock to(copy);
            std::memcpy(to.Data(), from.Data(), size);
        }
        *medium = STGMEDIUM{};
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = copy;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
        return Find(format) ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override;
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }

private:
    struct Item {
        CLIPFORMAT format;
        win::UniqueGlobalMemory memory;
    };

    HGLOBAL Find(const FORMATETC* format) const {
        if (!(format->tymed & TYMED_HGLOBAL) || format->dwAspect != DVASPECT_CONTENT) {
            return nullptr;
        }
        for (const Item& item : items_) {
            if (item.format == format->cfFormat) return item.memory.Get();
        }
        return nullptr;
    }

    std::vector<Item> items_;
    ULONG references_ = 0;
};

}  // namespace corvina::testing
