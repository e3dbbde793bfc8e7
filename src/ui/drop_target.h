// A window's file drop target: accepts the shell's file lists dropped on
// the window and hands their paths to the owner.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <functional>

#include "text/text.h"

namespace corvina {

class FileDropTarget {
public:
    // `paths`: the full path of the one dropped item, or, for several, every
    // path in the shell's order, each followed by CR LF.
    using FileReceived = std::function<void(const Text& paths)>;

    explicit FileDropTarget(FileReceived onFileReceived);
    ~FileDropTarget();  // revokes a registration that is still active
    FileDropTarget(const FileDropTarget&) = delete;
    FileDropTarget& operator=(const FileDropTarget&) = delete;

    // Makes `window` an OLE drop target (OLE must be initialised). Refused
    // while this component is registered already, or when the window is a
    // drop target of another.
    bool Register(HWND window);
    // Ends the registration, if any; the component may then register again.
    void Revoke();
    // The drop target as OLE sees it.
    IDropTarget* Interface();

private:
    // The COM object. It lives inside its owner, which revokes the
    // registration before it goes, so the reference count is kept for
    // COM's rules only and never deletes anything.
    class Target : public IDropTarget {
    public:
        explicit Target(FileDropTarget& owner) : owner_(owner) {}

        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
        ULONG STDMETHODCALLTYPE AddRef() override;
        ULONG STDMETHODCALLTYPE Release() override;
        HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keyState, POINTL point,
                                            DWORD* effect) override;
        HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
        HRESULT STDMETHODCALLTYPE DragLeave() override;
        HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keyState, POINTL point,
                                       DWORD* effect) override;

    private:
        FileDropTarget& owner_;
        ULONG references_ = 0;
        bool fileList_ = false;  // the current drag carries a shell file list
    };

    FileReceived onFileReceived_;
    Target target_{*this};
    HWND window_ = nullptr;
};

}  // namespace corvina
