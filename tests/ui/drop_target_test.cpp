// The file drop target, registered on a real window and driven through the
// interface that OLE holds for that window, with real shell file lists.
#include "ui/drop_target.h"

#include <shellapi.h>
#include <shlobj.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/drag_data.h"
#include "support/test_support.h"
#include "ui/drop_effect.h"
#include "win/handles.h"
#include "win/ole_handles.h"
#include "win/ole_session.h"

namespace corvina {
namespace {

using testing::DragData;
using testing::FileList;
using testing::TempFolder;
using testing::TextData;

constexpr DWORD kAllEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;

std::wstring Wide(const Text& ansi) { return testing::WideFrom(CP_ACP, ansi); }

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
        DragData data;
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
    DragData data;
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
    DragData data;
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
// drag. Files are only read, never moved: a move reported back to a shell
// source would have it delete the dropped files. The keys change between entry, move and drop, so each step must
// work the effect out afresh; a drop with no effect delivers nothing.
TEST_F(DropTargetTest, WorksTheEffectOutAtEveryStep) {
    const TempFolder folder;
    const Text path = folder.Path() + "\\app.apk";
    DragData data;
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
            // A move is delivered but reported back as nothing moved.
            EXPECT_EQ(effect, expected == DROPEFFECT_MOVE ? DWORD{DROPEFFECT_NONE} : expected);
            EXPECT_EQ(received_, expected == DROPEFFECT_NONE ? std::vector<Text>{}
                                                             : std::vector<Text>{path});
        }
    }
}

}  // namespace
}  // namespace corvina
