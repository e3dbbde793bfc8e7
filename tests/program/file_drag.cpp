#include "program/file_drag.h"

#include <ole2.h>
#include "support/drag_data.h"
#include "win/ole_session.h"

namespace corvina::testing {
namespace {

// Drops after the drag has been over the target for a few of the drag
// loop's polls, without any mouse button being involved. It lives on the
// stack for one drag; its reference count is kept for COM's sake only.
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
    DragData data;
    data.Add(CF_HDROP, FileList(paths));
    DropAfterAWhile source;
    DWORD effect = DROPEFFECT_NONE;
    if (::DoDragDrop(&data, &source, allowedEffects, &effect) != DRAGDROP_S_DROP) {
        return DROPEFFECT_NONE;
    }
    return effect;
}

}  // namespace corvina::testing
