// The real open-file dialog, shown by the test's own thread and driven from a
// helper thread as a user would: it finds the dialog, reads what it shows,
// types into its file-name box and presses Open or Cancel.
#include "ui/open_file_dialog.h"

#include <dlgs.h>
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "support/test_support.h"

namespace corvina {
namespace {

// The explorer-style dialog's boxes.
constexpr int kFileNameBox = cmb13;  // a combo box with an edit box inside
constexpr int kFileTypeBox = cmb1;

// Bounds of every wait, in milliseconds. The first dialog of a new Wine
// prefix takes several seconds to appear.
constexpr ULONGLONG kAppearTimeout = 60000;
constexpr UINT kMessageTimeout = 20000;
constexpr ULONGLONG kCloseTimeout = 20000;
constexpr ULONGLONG kRescueTimeout = 30000;
constexpr DWORD kPollInterval = 20;

// One action on the dialog: type `fileName` into the file-name box (Open
// only) and press the button.
struct Step {
    int button;
    Text fileName;
};
Step Open(const Text& fileName) { return {IDOK, fileName}; }
Step Cancel() { return {IDCANCEL, Text()}; }

// What the helper saw while the dialog was up.
struct DialogSeen {
    bool found = false;
    Text caption;
    std::vector<Text> filters;  // the descriptions in the file-type box
    int selectedFilter = -1;    // zero-based
    HWND owner = nullptr;
    bool ownerEnabled = true;   // the owner's state while the dialog showed
    std::string problem;        // empty when every step went as planned
};

// Stops at the first visible dialog window and stores it in `found`.
BOOL CALLBACK TakeVisibleDialog(HWND window, LPARAM found) {
    char name[16] = {};
    ::GetClassNameA(window, name, sizeof name);
    if (Text(name) != "#32770" || !::IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// The visible dialog window among the top-level windows of `thread`.
HWND FindDialogOf(DWORD thread) {
    HWND dialog = nullptr;
    ::EnumThreadWindows(thread, TakeVisibleDialog, reinterpret_cast<LPARAM>(&dialog));
    return dialog;
}

// Sends a message to the dialog's thread and waits a bounded time for it.
bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result = nullptr) {
    DWORD_PTR value = 0;
    const bool answered = ::SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL,
                                                kMessageTimeout, &value) != 0;
    if (result) *result = static_cast<LRESULT>(value);
    return answered;
}

bool ReadText(HWND window, Text& text) {
    std::vector<char> buffer(1024, '\0');
    if (!Send(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()))) {
        return false;
    }
    text = buffer.data();
    return true;
}

bool ReadFilters(HWND box, std::vector<Text>& filters, int& selected) {
    LRESULT count = 0;
    if (!Send(box, CB_GETCOUNT, 0, 0, &count)) return false;
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT length = 0;
        if (!Send(box, CB_GETLBTEXTLEN, i, 0, &length) || length < 0) return false;
        std::vector<char> item(static_cast<std::size_t>(length) + 1, '\0');
        if (!Send(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()))) return false;
        filters.emplace_back(item.data());
    }
    LRESULT current = -1;
    if (!Send(box, CB_GETCURSEL, 0, 0, &current)) return false;
    selected = static_cast<int>(current);
    return true;
}

// Drives the dialog that the constructing thread is about to show. Every
// wait is bounded: when something does not go as planned, the helper notes
// the problem and cancels whatever dialog the thread shows until the call
// has returned, so that the test fails instead of hanging.
class DialogDriver {
public:
    explicit DialogDriver(std::vector<Step> steps)
        : dialogThread_(::GetCurrentThreadId()), steps_(std::move(steps)),
          helper_([this] { Run(); }) {}

    ~DialogDriver() { Finish(); }

    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    // To be called once the dialog routine has returned.
    const DialogSeen& Finish() {
        returned_ = true;
        if (helper_.joinable()) helper_.join();
        return seen_;
    }

private:
    void Run() {
        HWND dialog = nullptr;
        const ULONGLONG appearBy = ::GetTickCount64() + kAppearTimeout;
        while (!(dialog = FindDialogOf(dialogThread_))) {
            if (returned_) return Fail("the dialog routine returned without showing the dialog");
            if (::GetTickCount64() > appearBy) return Rescue("the dialog did not appear");
            ::Sleep(kPollInterval);
        }
        seen_.found = true;
        seen_.owner = ::GetWindow(dialog, GW_OWNER);
        seen_.ownerEnabled = seen_.owner && ::IsWindowEnabled(seen_.owner);
        if (!ReadText(dialog, seen_.caption)) return Rescue("the caption could not be read");
        if (!ReadFilters(::GetDlgItem(dialog, kFileTypeBox), seen_.filters, seen_.selectedFilter)) {
            return Rescue("the file-type box could not be read");
        }
        for (const Step& step : steps_) {
            if (step.button == IDOK) {
                const HWND nameBox = ::GetDlgItem(dialog, kFileNameBox);
                Text shown;
                if (!nameBox ||
                    !Send(nameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(step.fileName.c_str())) ||
                    !ReadText(nameBox, shown) || shown != step.fileName) {
                    return Rescue("the file name could not be typed");
                }
            }
            // Returns once the dialog has handled the press, so the next step
            // sees the folder it has moved to.
            if (!Send(dialog, WM_COMMAND, MAKEWPARAM(step.button, BN_CLICKED),
                      reinterpret_cast<LPARAM>(::GetDlgItem(dialog, step.button)))) {
                return Rescue("the dialog did not answer a button press");
            }
        }
        const ULONGLONG closedBy = ::GetTickCount64() + kCloseTimeout;
        while (::IsWindow(dialog)) {
            if (::GetTickCount64() > closedBy) return Rescue("the dialog did not close after the last step");
            ::Sleep(kPollInterval);
        }
    }

    void Fail(const std::string& problem) {
        if (seen_.problem.empty()) seen_.problem = problem;
    }

    void Rescue(const std::string& problem) {
        Fail(problem);
        const ULONGLONG giveUpBy = ::GetTickCount64() + kRescueTimeout;
        while (!returned_ && ::GetTickCount64() < giveUpBy) {
            if (const HWND dialog = FindDialogOf(dialogThread_)) {
                ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            }
            ::Sleep(10 * kPollInterval);
        }
    }

    const DWORD dialogThread_;
    const std::vector<Step> steps_;
    std::atomic<bool> returned_{false};
    DialogSeen seen_;
    std::thread helper_;  // last: it starts once everything else is ready
};

void CreateEmptyFile(const Text& path) {
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    ::CloseHandle(file);
}

// Two folders, the test's current folder `start` and the folder `other`
// holding a package file; the current folder is put back afterwards.
class OpenFileDialog : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(::SetCurrentDirectoryA(start.c_str()));
        ASSERT_NO_FATAL_FAILURE(CreateEmptyFile(package));
    }

    testing::TempFolder temp{"corvina-dialog"};
    testing::CurrentDirectoryGuard restoreFolder;
    const Text start = temp.Folder("start");
    const Text other = temp.Folder("另一个 文件夹");
    const Text package = other + "\\演示 应用.apk";
};

TEST_F(OpenFileDialog, ShowsItsOwnTitleAndFilterWhenNoneAreGiven) {
    DialogDriver driver({Cancel()});
    const Text result = ShowOpenFileDialog(nullptr);
    const DialogSeen& seen = driver.Finish();
    ASSERT_EQ(seen.problem, "");
    EXPECT_EQ(seen.caption, "打开文件");
    EXPECT_EQ(seen.filters, std::vector<Text>{"所有文件(*.*)"});
    EXPECT_EQ(seen.selectedFilter, 0);
    EXPECT_EQ(result, "");
}

TEST_F(OpenFileDialog, ShowsTheCallersTitleAndFilterWithTheFirstPairSelected) {
    DialogDriver driver({Cancel()});
    const Text result =
        ShowOpenFileDialog(nullptr, start, "选择APP", "安卓应用(*.apk)|*.apk|所有文件(*.*)|*.*");
    const DialogSeen& seen = driver.Finish();
    ASSERT_EQ(seen.problem, "");
    EXPECT_EQ(seen.caption, "选择APP");
    EXPECT_EQ(seen.filters, (std::vector<Text>{"安卓应用(*.apk)", "所有文件(*.*)"}));
    EXPECT_EQ(seen.selectedFilter, 0);
    EXPECT_EQ(result, "");
}

TEST_F(OpenFileDialog, IsModalToItsOwner) {
    const HWND owner = ::CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                         nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    DialogDriver driver({Cancel()});
    ShowOpenFileDialog(owner);
    const DialogSeen& seen = driver.Finish();
    ASSERT_EQ(seen.problem, "");
    EXPECT_EQ(seen.owner, owner);
    EXPECT_FALSE(seen.ownerEnabled);
    EXPECT_TRUE(::IsWindowEnabled(owner));
    ::DestroyWindow(owner);
}

TEST_F(OpenFileDialog, CancelGivesEmptyTextAndRestoresTheCurrentFolder) {
    DialogDriver driver({Cancel()});
    const Text result = ShowOpenFileDialog(nullptr, other, {}, {}, false);
    ASSERT_EQ(driver.Finish().problem, "");
    EXPECT_EQ(result, "");
    EXPECT_EQ(testing::CurrentDirectory(), start);
}

// The open button's own call: the user moves to another folder and picks a
// package there.
TEST_F(OpenFileDialog, ChoiceInAnotherFolderKeepsTheFolderTheDialogLeft) {
    DialogDriver driver({Open(other), Open("演示 应用.apk")});
    const Text result = ShowOpenFileDialog(nullptr, start, "选择APP", "安卓应用(*.apk)|*.apk", true);
    const DialogSeen& seen = driver.Finish();
    ASSERT_EQ(seen.problem, "");
    EXPECT_EQ(seen.filters, std::vector<Text>{"安卓应用(*.apk)"});
    EXPECT_EQ(result, package);
    EXPECT_EQ(testing::CurrentDirectory(), other);
}

TEST_F(OpenFileDialog, ChoiceInAnotherFolderRestoresTheCurrentFolderUnlessKept) {
    DialogDriver driver({Open(other), Open("演示 应用.apk")});
    const Text result = ShowOpenFileDialog(nullptr, start, {}, {}, false);
    ASSERT_EQ(driver.Finish().problem, "");
    EXPECT_EQ(result, package);
    EXPECT_EQ(testing::CurrentDirectory(), start);
}

TEST_F(OpenFileDialog, TypedPathOfAMissingFileIsReturnedAsTyped) {
    const Text missing = other + "\\不存在.apk";
    DialogDriver driver({Open(missing)});
    const Text result = ShowOpenFileDialog(nullptr, start);
    ASSERT_EQ(driver.Finish().problem, "");
    EXPECT_EQ(result, missing);
}

TEST_F(OpenFileDialog, TypedNameIsTakenInTheInitialFolder) {
    DialogDriver driver({Open("不存在.apk")});
    const Text result = ShowOpenFileDialog(nullptr, other);
    ASSERT_EQ(driver.Finish().problem, "");
    EXPECT_EQ(result, other + "\\不存在.apk");
}

TEST_F(OpenFileDialog, WithoutAnInitialFolderTheCurrentFolderIsShown) {
    DialogDriver driver({Open("不存在.apk")});
    const Text result = ShowOpenFileDialog(nullptr);
    ASSERT_EQ(driver.Finish().problem, "");
    EXPECT_EQ(result, start + "\\不存在.apk");
}

}  // namespace
}  // namespace corvina
