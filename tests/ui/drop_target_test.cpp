// The file drop target, registered on a real window and driven through the
// interface that OLE holds for that window, with real shell file lists.
#include "ui/drop_target.h"

#include <shellapi.h>
#include <shlobj.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/test_support.h"
#include "ui/drop_effect.h"
#include "win/handles.h"
#include "win/ole_handles.h"
#include "win/ole_session.h"

namespace corvina {
namespace {

using testing::TempFolder;

constexpr DWORD kAllEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;

std::wstring Wide(const Text& ansi) {
    const int n = ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()),
                                        nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), n);
    return wide;
}

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

// A drag source's data: global memory in a few clipboard formats. Each
// GetData hands out a copy, which the receiver releases.
class TestData : public IDataObject {
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
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
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

// A hidden top-level window of the test's thread, an OLE session and a
// drop target whose every delivery is recorded.
class DropTargetTest : public ::testing::Test {
protected:
    static win::UniqueWindow MakeWindow() {
        return win::UniqueWindow(::CreateWindowExW(0, L"STATIC", L"drop", WS_OVERLAPPED, 0, 0,
                                                   200, 200, nullptr, nullptr, nullptr, nullptr));
    }

    // The drop target that OLE keeps for the window, as a drag reaches it.
    static IDropTarget* RegisteredTarget(HWND window) {
        return static_cast<IDropTarget*>(::GetPropW(window, L"OleDropTargetInterface"));
    }

    // The effect and deliveries of a whole drag that enters, moves once and
    // drops with the same keys.
    DWORD DragAndDrop(IDataObject& data, DWORD keys, DWORD allowed) {
        IDropTarget* const registered = RegisteredTarget(window_.Get());
        const POINTL point{10, 10};
        DWORD effect = allowed;
        registered->DragEnter(&data, keys, point, &effect);
        effect = allowed;
        registered->DragOver(keys, point, &effect);
        effect = allowed;
        registered->Drop(&data, keys, point, &effect);
        return effect;
    }

    void SetUp() override {
        ASSERT_TRUE(window_);
        ASSERT_TRUE(target_.Register(window_.Get()));
    }

    win::OleSession ole_;
    win::UniqueWindow window_ = MakeWindow();
    std::vector<Text> received_;
    FileDropTarget target_{[this](const Text& paths) { received_.push_back(paths); }};
};

TEST_F(DropTargetTest, RegistersOnceAndRevokes) {
    EXPECT_EQ(RegisteredTarget(window_.Get()), target_.Interface());

    // A second registration, on the same window or another, is refused.
    const win::UniqueWindow other = MakeWindow();
    EXPECT_FALSE(target_.Register(window_.Get()));
    EXPECT_FALSE(target_.Register(other.Get()));
    EXPECT_EQ(RegisteredTarget(other.Get()), nullptr);
    // So is another component on a window that is registered already.
    FileDropTarget second([](const Text&) {});
    EXPECT_FALSE(second.Register(window_.Get()));

    target_.Revoke();
    EXPECT_EQ(RegisteredTarget(window_.Get()), nullptr);
    ASSERT_TRUE(second.Register(window_.Get()));
    EXPECT_EQ(RegisteredTarget(window_.Get()), second.Interface());
    // The revoked component may register again, elsewhere.
    EXPECT_TRUE(target_.Register(other.Get()));
    target_.Revoke();
}

TEST_F(DropTargetTest, DestructionRevokesTheRegistration) {
    const win::UniqueWindow window = MakeWindow();
    {
        FileDropTarget scoped([](const Text&) {});
        ASSERT_TRUE(scoped.Register(window.Get()));
    }
    EXPECT_EQ(RegisteredTarget(window.Get()), nullptr);
    FileDropTarget next([](const Text&) {});
    EXPECT_TRUE(next.Register(window.Get()));
}

// What a drop of real files and folders delivers.
TEST_F(DropTargetTest, DeliversThePathsOfFilesAndFolders) {
    const TempFolder folder;
    const Text first = folder.Path() + "\\first.apk";
    const Text second = folder.Path() + "\\" + "第二 个.apk";
    const Text subfolder = folder.Folder("sub folder");
    for (const Text& path : {first, second}) {
        win::UniqueHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file) << path;
    }

    struct Case {
        const char* name;
        std::vector<Text> paths;
        Text expected;
    };
    const Case cases[] = {
        {"one file", {first}, first},
        {"two files, in the list's order", {second, first}, second + "\r\n" + first + "\r\n"},
        {"a folder", {subfolder}, subfolder},
        {"a folder and a file", {subfolder, first}, subfolder + "\r\n" + first + "\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::wstring> wide;
        for (const Text& path : c.paths) wide.push_back(Wide(path));
        TestData data;
        data.Add(CF_HDROP, FileList(wide));
        received_.clear();
        EXPECT_EQ(DragAndDrop(data, 0, kAllEffects), DWORD{DROPEFFECT_COPY});
        // Delivered once, before the drop returned.
        ASSERT_EQ(received_.size(), 1u);
        EXPECT_EQ(received_[0], c.expected);
    }
}

// A name that the ANSI code page cannot hold arrives in its short form.
TEST_F(DropTargetTest, DeliversNamesOutsideTheCodePageInTheirShortForm) {
    const TempFolder folder;
    const std::wstring path = Wide(folder.Path()) + L"\\\uD55C\uAD6D\uC5B4.apk";
    {
        win::UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file);
        DWORD written = 0;
        ASSERT_TRUE(::WriteFile(file.Get(), "korean", 6, &written, nullptr));
    }
    TestData data;
    data.Add(CF_HDROP, FileList({path}));
    ASSERT_EQ(DragAndDrop(data, 0, kAllEffects), DWORD{DROPEFFECT_COPY});
    ASSERT_EQ(received_.size(), 1u);
    const win::UniqueHandle opened(::CreateFileA(received_[0].c_str(), GENERIC_READ, 0, nullptr,
                                                 OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(opened) << received_[0];
    char content[16] = {};
    DWORD read = 0;
    ASSERT_TRUE(::ReadFile(opened.Get(), content, sizeof content, &read, nullptr));
    EXPECT_EQ(std::string(content, read), "korean");
}

// The file list of the shell's own data object for two items of a folder.
TEST_F(DropTargetTest, DeliversTheShellsOwnFileList) {
    const TempFolder folder;
    const Text names[] = {"b.apk", "a.apk"};
    for (const Text& name : names) {
        win::UniqueHandle file(::CreateFileA((folder.Path() + "\\" + name).c_str(), GENERIC_WRITE,
                                             0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                             nullptr));
        ASSERT_TRUE(file);
    }
    win::ComReference<IShellFolder> desktop;
    ASSERT_EQ(::SHGetDesktopFolder(desktop.Receive()), S_OK);
    std::wstring folderPath = Wide(folder.Path());
    LPITEMIDLIST folderItem = nullptr;
    ASSERT_EQ(desktop.Get()->ParseDisplayName(nullptr, nullptr, folderPath.data(), nullptr,
                                              &folderItem, nullptr),
              S_OK);
    win::ComReference<IShellFolder> shellFolder;
    const HRESULT bound = desktop.Get()->BindToObject(folderItem, nullptr, IID_IShellFolder,
                                                      reinterpret_cast<void**>(shellFolder.Receive()));
    ::CoTaskMemFree(folderItem);
    ASSERT_EQ(bound, S_OK);
    std::vector<LPITEMIDLIST> items;
    for (const Text& name : names) {
        std::wstring wideName = Wide(name);
        LPITEMIDLIST item = nullptr;
        ASSERT_EQ(shellFolder.Get()->ParseDisplayName(nullptr, nullptr, wideName.data(), nullptr,
                                                      &item, nullptr),
                  S_OK);
        items.push_back(item);
    }
    win::ComReference<IDataObject> data;
    const HRESULT made = shellFolder.Get()->GetUIObjectOf(
        nullptr, static_cast<UINT>(items.size()), const_cast<LPCITEMIDLIST*>(items.data()),
        IID_IDataObject, nullptr, reinterpret_cast<void**>(data.Receive()));
    for (LPITEMIDLIST item : items) ::CoTaskMemFree(item);
    ASSERT_EQ(made, S_OK);

    EXPECT_EQ(DragAndDrop(*data.Get(), 0, DROPEFFECT_COPY), DWORD{DROPEFFECT_COPY});
    ASSERT_EQ(received_.size(), 1u);
    EXPECT_EQ(received_[0], folder.Path() + "\\b.apk\r\n" + folder.Path() + "\\a.apk\r\n");
}

// Text, even text that names a file, is no file list.
TEST_F(DropTargetTest, RefusesDataWithoutAFileList) {
    TestData data;
    data.Add(CF_TEXT, TextData("C:\\some\\file.apk"));
    IDropTarget* const registered = RegisteredTarget(window_.Get());
    DWORD effect = kAllEffects;
    EXPECT_EQ(registered->DragEnter(&data, 0, POINTL{}, &effect), S_OK);
    EXPECT_EQ(effect, DWORD{DROPEFFECT_NONE});
    effect = kAllEffects;
    registered->DragOver(0, POINTL{}, &effect);
    EXPECT_EQ(effect, DWORD{DROPEFFECT_NONE});
    effect = kAllEffects;
    registered->Drop(&data, 0, POINTL{}, &effect);
    EXPECT_EQ(effect, DWORD{DROPEFFECT_NONE});
    EXPECT_TRUE(received_.empty());
}

// Every combination of Ctrl, Shift and allowed effects, through the whole
// drag. The keys change between entry, move and drop, so each step must
// work the effect out afresh; a drop with no effect delivers nothing.
TEST_F(DropTargetTest, WorksTheEffectOutAtEveryStep) {
    const TempFolder folder;
    const Text path = folder.Path() + "\\app.apk";
    TestData data;
    data.Add(CF_HDROP, FileList({Wide(path)}));
    IDropTarget* const registered = RegisteredTarget(window_.Get());

    const DWORD keyStates[] = {0, MK_CONTROL, MK_SHIFT, MK_CONTROL | MK_SHIFT};
    for (DWORD allowed = 0; allowed < 8; ++allowed) {
        for (int k = 0; k < 4; ++k) {
            const DWORD enterKeys = keyStates[k] | MK_LBUTTON;
            const DWORD overKeys = keyStates[(k + 1) % 4] | MK_LBUTTON;
            const DWORD dropKeys = keyStates[k];
            SCOPED_TRACE("allowed " + std::to_string(allowed) + ", keys " +
                         std::to_string(keyStates[k]));
            DWORD effect = allowed;
            registered->DragEnter(&data, enterKeys, POINTL{}, &effect);
            EXPECT_EQ(effect, ChooseDropEffect(enterKeys, allowed));
            effect = allowed;
            registered->DragOver(overKeys, POINTL{}, &effect);
            EXPECT_EQ(effect, ChooseDropEffect(overKeys, allowed));
            effect = allowed;
            received_.clear();
            registered->Drop(&data, dropKeys, POINTL{}, &effect);
            const DWORD expected = ChooseDropEffect(dropKeys, allowed);
            EXPECT_EQ(effect, expected);
            EXPECT_EQ(received_, expected == DROPEFFECT_NONE ? std::vector<Text>{}
                                                             : std::vector<Text>{path});
        }
    }
}

}  // namespace
}  // namespace corvina
