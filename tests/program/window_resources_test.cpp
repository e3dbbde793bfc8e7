// The main window created in the test's own process, for what cannot be
// read from another process: the controls' font and the class icons.
#include <gtest/gtest.h>

#include <windows.h>

#include "ui/main_window.h"
#include "win/ole_session.h"

namespace corvina {
namespace {

long IconWidth(HICON icon) {
    ICONINFO info{};
    if (!::GetIconInfo(icon, &info)) return 0;
    BITMAP bitmap{};
    ::GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    if (info.hbmColor) ::DeleteObject(info.hbmColor);
    if (info.hbmMask) ::DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

class WindowResources : public ::testing::Test {
protected:
    win::OleSession ole;
    MainWindow window;
    void SetUp() override { ASSERT_TRUE(window.Create(::GetModuleHandleW(nullptr))); }
};

TEST_F(WindowResources, EveryControlUsesTheDefaultGuiFont) {
    const auto font = ::GetStockObject(DEFAULT_GUI_FONT);
    for (int id = kLabel1; id <= kHyperlink1; ++id) {
        const HWND control = ::GetDlgItem(window.Handle(), id);
        ASSERT_NE(control, nullptr) << id;
        EXPECT_EQ(reinterpret_cast<HGDIOBJ>(::SendMessageW(control, WM_GETFONT, 0, 0)), font) << id;
    }
}

TEST_F(WindowResources, BackgroundIsTheButtonFace) {
    EXPECT_EQ(::GetClassLongPtrW(window.Handle(), GCLP_HBRBACKGROUND), COLOR_BTNFACE + 1);
}

TEST_F(WindowResources, IconResourceIsTheLargeAndTheSmallIcon) {
    const auto large = reinterpret_cast<HICON>(::GetClassLongPtrW(window.Handle(), GCLP_HICON));
    const auto small = reinterpret_cast<HICON>(::GetClassLongPtrW(window.Handle(), GCLP_HICONSM));
    ASSERT_NE(large, nullptr);
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(IconWidth(large), ::GetSystemMetrics(SM_CXICON));
    EXPECT_EQ(IconWidth(small), ::GetSystemMetrics(SM_CXSMICON));
}

TEST_F(WindowResources, WindowIsCreatedHiddenAndRegisteredAsDropTarget) {
    EXPECT_FALSE(::IsWindowVisible(window.Handle()));
    // The created event has registered the window: another target cannot.
    FileDropTarget other([](const Text&) {});
    EXPECT_FALSE(other.Register(window.Handle()));
}

}  // namespace
}  // namespace corvina
