#include "ui/drop_target.h"

#include <shellapi.h>

#include <string>
#include <utility>
#include <vector>

#include "ui/ansi_path.h"
#include "ui/drop_effect.h"
#include "win/ole_handles.h"

namespace corvina {
namespace {

static_assert(kDropEffectNone == DROPEFFECT_NONE && kDropEffectCopy == DROPEFFECT_COPY &&
              kDropEffectMove == DROPEFFECT_MOVE && kDropEffectLink == DROPEFFECT_LINK);
static_assert(kKeyShift == MK_SHIFT && kKeyControl == MK_CONTROL);

FORMATETC FileListFormat() { return {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

bool HasFileList(IDataObject* data) {
    FORMATETC format = FileListFormat();
    return data && data->QueryGetData(&format) == S_OK;
}

std::wstring DroppedPath(HDROP drop, UINT index) {
    const UINT length = ::DragQueryFileW(drop, index, nullptr, 0);
    if (length == 0) return std::wstring();
    std::wstring path(length + 1, L'\0');
    path.resize(::DragQueryFileW(drop, index, path.data(), length + 1));
    return path;
}

// Every path of the data's file list, in the list's order, in the ANSI code
// page; paths that cannot be read are left out.
std::vector<Text> DroppedPaths(IDataObject* data) {
    FORMATETC format = FileListFormat();
    win::UniqueStorageMedium medium;
    if (data->GetData(&format, medium.Receive()) != S_OK || medium.Get().tymed != TYMED_HGLOBAL) {
        return {};
    }
    const auto drop = static_cast<HDROP>(medium.Get().hGlobal);
    std::vector<Text> paths;
    const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const std::wstring path = DroppedPath(drop, i);
        if (!path.empty()) paths.push_back(AnsiPath(path));
    }
    return paths;
}

// One path as it is; several each followed by CR LF.
Text JoinPaths(const std::vector<Text>& paths) {
    if (paths.size() == 1) return paths.front();
    Text joined;
    for (const Text& path : paths) joined += path + "\r\n";
    return joined;
}

}  // namespace

FileDropTarget::FileDropTarget(FileReceived onFileReceived)
    : onFileReceived_(std::move(onFileReceived)) {}

FileDropTarget::~FileDropTarget() { Revoke(); }

bool FileDropTarget::Register(HWND window) {
    if (window_ || ::RegisterDragDrop(window, &target_) != S_OK) return false;
    window_ = window;
    return true;
}

void FileDropTarget::Revoke() {
    if (!window_) return;
    ::RevokeDragDrop(window_);
    window_ = nullptr;
}

IDropTarget* FileDropTarget::Interface() { return &target_; }

HRESULT FileDropTarget::Target::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDropTarget) {
        *object = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG FileDropTarget::Target::AddRef() { return ++references_; }

ULONG FileDropTarget::Target::Release() { return references_ > 0 ? --references_ : 0; }

HRESULT FileDropTarget::Target::DragEnter(IDataObject* data, DWORD keyState, POINTL,
                                          DWORD* effect) {
    if (!effect) return E_INVALIDARG;
    fileList_ = HasFileList(data);
    *effect = fileList_ ? ChooseDropEffect(keyState, *effect) : DROPEFFECT_NONE;
    return S_OK;
}

HRESULT FileDropTarget::Target::DragOver(DWORD keyState, POINTL, DWORD* effect) {
    if (!effect) return E_INVALIDARG;
    *effect = fileList_ ? ChooseDropEffect(keyState, *effect) : DROPEFFECT_NONE;
    return S_OK;
}

HRESULT FileDropTarget::Target::DragLeave() {
    fileList_ = false;
    return S_OK;
}

// The data is examined again here rather than trusting the drag's entry,
// so a drop is judged on what it actually carries.
HRESULT FileDropTarget::Target::Drop(IDataObject* data, DWORD keyState, POINTL, DWORD* effect) {
    fileList_ = false;
    if (!effect) return E_INVALIDARG;
    *effect = HasFileList(data) ? ChooseDropEffect(keyState, *effect) : DROPEFFECT_NONE;
    if (*effect == DROPEFFECT_NONE) return S_OK;
    const std::vector<Text> paths = DroppedPaths(data);
    if (paths.empty()) {
        *effect = DROPEFFECT_NONE;
        return S_OK;
    }
    // The files are only read. A move reported back would have a shell drag
    // source delete the originals, so the source is told nothing moved.
    if (*effect == DROPEFFECT_MOVE) *effect = DROPEFFECT_NONE;
    if (owner_.onFileReceived_) owner_.onFileReceived_(JoinPaths(paths));
    return S_OK;
}

}  // namespace corvina
