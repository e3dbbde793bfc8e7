// The hyperlink as a real child window on the display: pressed with the
// real mouse, opening through the real shell or through the ".htm" browser
// command that the test registers, and read back by painting it.
#include "ui/hyperlink.h"

#include <shlwapi.h>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "inspection/registry_text.h"
#include "support/test_support.h"
#include "win/handles.h"
#include "win/ole_session.h"

namespace corvina {
namespace {

using testing::TempFolder;

constexpr COLORREF kNormal = RGB(0, 0, 255);
constexpr COLORREF kHover = RGB(0, 120, 215);
constexpr COLORREF kVisited = RGB(128, 0, 0);

// Where the parent window and the link are on the screen.
constexpr int kParentX = 100, kParentY = 100;
constexpr int kLinkX = 20, kLinkY = 10, kLinkWidth = 80, kLinkHeight = 24;

// Dispatches messages until `done` holds or `timeoutMs` has passed.
bool PumpUntil(const std::function<bool()>& done, ULONGLONG timeoutMs = 15000) {
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    for (;;) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        if (done()) return true;
        if (::GetTickCount64() >= end) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

bool FileExists(const Text& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string FileContent(const Text& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void WriteFile(const Text& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

// The control's client area as it paints itself (WM_PRINTCLIENT into a
// 32-bit memory bitmap).
struct Painting {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;  // rows top to bottom

    COLORREF At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
    int Count(COLORREF colour) const {
        int n = 0;
        for (const COLORREF p : pixels) n += p == colour;
        return n;
    }
};

Painting Paint(HWND control) {
    RECT area;
    ::GetClientRect(control, &area);
    Painting painting;
    painting.width = area.right;
    painting.height = area.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = painting.width;
    info.bmiHeader.biHeight = -painting.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const win::UniqueGdiObject bitmap(
        ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const win::UniqueDeviceContext dc(::CreateCompatibleDC(nullptr));
    if (!bitmap || !dc) return painting;
    {
        const win::SelectedObject selected(dc.Get(), bitmap.Get());
        ::SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT);
        ::GdiFlush();
    }
    const auto* const bgrx = static_cast<const unsigned char*>(bits);
    for (int i = 0; i < painting.width * painting.height; ++i) {
        painting.pixels.push_back(RGB(bgrx[4 * i + 2], bgrx[4 * i + 1], bgrx[4 * i]));
    }
    return painting;
}

// The one link colour that the painted caption shows, or CLR_INVALID when
// it shows none of them or more than one.
COLORREF ShownColour(HWND control) {
    const Painting painting = Paint(control);
    COLORREF shown = CLR_INVALID;
    for (const COLORREF colour : {kNormal, kHover, kVisited}) {
        if (painting.Count(colour) == 0) continue;
        if (shown != CLR_INVALID) return CLR_INVALID;
        shown = colour;
    }
    return shown;
}

void MoveMouseTo(int x, int y) { ::SetCursorPos(x, y); }

void MouseButton(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    ::SendInput(1, &input, sizeof input);
}

// The ".htm" association of HKEY_CLASSES_ROOT, pointed at the test's own
// class while the fixture lives. It is written through HKEY_CLASSES_ROOT
// itself: Wine (8.0) does not show HKEY_CURRENT_USER\Software\Classes
// there as Windows does. A default value that ".htm" had before is put back.
class HtmAssociation {
public:
    HtmAssociation() : existed_(KeyExists(".htm")), previous_(ReadRegistryText(HKEY_CLASSES_ROOT, ".htm\\")) {
        ::SHDeleteKeyA(HKEY_CLASSES_ROOT, kProgId);
    }
    ~HtmAssociation() {
        ::SHDeleteKeyA(HKEY_CLASSES_ROOT, kProgId);
        if (!existed_) {
            ::SHDeleteKeyA(HKEY_CLASSES_ROOT, ".htm");
        } else if (!previous_.empty()) {
            SetDefault(".htm", previous_);
        }
    }
    HtmAssociation(const HtmAssociation&) = delete;
    HtmAssociation& operator=(const HtmAssociation&) = delete;

    // ".htm" names the test's class; its open command is `command`, or
    // there is none when `command` is empty.
    void Set(const Text& command) {
        SetDefault(".htm", kProgId);
        ::SHDeleteKeyA(HKEY_CLASSES_ROOT, kProgId);
        SetDefault(kProgId, "Corvina test page");
        if (!command.empty()) SetDefault(std::string(kProgId) + "\\shell\\open\\command", command);
    }

private:
    static constexpr char kProgId[] = "CorvinaTest.Page";

    static bool KeyExists(const char* key) {
        win::UniqueRegistryKey handle;
        return ::RegOpenKeyExA(HKEY_CLASSES_ROOT, key, 0, KEY_READ, handle.Receive()) ==
               ERROR_SUCCESS;
    }
    static void SetDefault(const std::string& key, const Text& value) {
        win::UniqueRegistryKey handle;
        ASSERT_EQ(::RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE,
                                    nullptr, handle.Receive(), nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(::RegSetValueExA(handle.Get(), nullptr, 0, REG_SZ,
                                   reinterpret_cast<const BYTE*>(value.c_str()),
                                   static_cast<DWORD>(value.size() + 1)),
                  ERROR_SUCCESS);
    }

    bool existed_;
    Text previous_;
};

// Every window that the thread was asked to give the focus to.
std::vector<HWND> focusRequests_;

LRESULT CALLBACK RecordFocus(int code, WPARAM w, LPARAM l) {
    if (code == HCBT_SETFOCUS) focusRequests_.push_back(reinterpret_cast<HWND>(w));
    return ::CallNextHookEx(nullptr, code, w, l);
}

struct HookTraits {
    using type = HHOOK;
    static type Empty() { return nullptr; }
    static bool IsEmpty(type h) { return h == nullptr; }
    static void Release(type h) { ::UnhookWindowsHookEx(h); }
};
using FocusHook = win::UniqueResource<HookTraits>;

// A visible top-level window with an edit box that holds the focus, and
// room for a link. The mouse starts outside it.
class HyperlinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(parent_);
        ASSERT_TRUE(edit_);
        ::SetForegroundWindow(parent_.Get());
        ::SetFocus(edit_.Get());
        MoveMouseTo(kParentX + 300, kParentY + 150);
        PumpUntil([] { return false; }, 100);
    }

    std::unique_ptr<Hyperlink> MakeLink(const Text& target, const Text& caption = "Varenko") {
        auto link = std::make_unique<Hyperlink>(parent_.Get(), kLinkX, kLinkY, kLinkWidth,
                                                kLinkHeight, caption, target, font_);
        ::UpdateWindow(link->Handle());
        return link;
    }

    // The mouse comes in from outside, and the link shows its hover colour.
    static bool Enter(const Hyperlink& link) {
        Leave(link);
        MoveMouseTo(kParentX + kLinkX + kLinkWidth / 2, kParentY + kLinkY + kLinkHeight / 2);
        return PumpUntil([&] { return ShownColour(link.Handle()) == kHover; });
    }

    // The mouse goes out; the colour the link then rests in.
    static COLORREF Leave(const Hyperlink& link) {
        MoveMouseTo(kParentX + 300, kParentY + 150);
        PumpUntil([&] { return ShownColour(link.Handle()) != kHover; }, 5000);
        return ShownColour(link.Handle());
    }

    // A real click on the middle of the link: the button goes down, the link
    // is given time to react (until `opened` holds, when given), and only
    // then does the button come up. Whether `opened` held is kept.
    void Click(const Hyperlink& link, const std::function<bool()>& opened = nullptr) {
        openedInTime_ = false;
        if (!Enter(link)) {
            ADD_FAILURE() << "the mouse did not reach the link";
            return;
        }
        MouseButton(MOUSEEVENTF_LEFTDOWN);
        openedInTime_ = opened ? PumpUntil(opened) : PumpUntil([] { return false; }, 300);
        MouseButton(MOUSEEVENTF_LEFTUP);
        PumpUntil([] { return false; }, 200);
    }

    // A batch file that records its first argument, or "opened" without one,
    // in `marker`.
    static void WriteRecorder(const Text& batch, const Text& marker) {
        WriteFile(batch, "@echo off\r\nif \"%~1\"==\"\" (echo opened>\"" + marker +
                             "\") else (echo %~1>\"" + marker + "\")\r\n");
    }

    win::OleSession ole_;
    // Topmost, so that the console windows of the programs that the link
    // starts never cover it.
    win::UniqueWindow parent_{::CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"parent",
                                                WS_POPUP | WS_VISIBLE,
                                                kParentX, kParentY, 300, 100, nullptr, nullptr,
                                                nullptr, nullptr)};
    win::UniqueWindow edit_{::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                                              150, 10, 100, 24, parent_.Get(), nullptr, nullptr,
                                              nullptr)};
    HFONT font_ = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    TempFolder folder_;
    HtmAssociation association_;
    bool openedInTime_ = false;
};

TEST_F(HyperlinkTest, IsAStaticLikeChildOutOfTheFocusOrder) {
    const auto link = MakeLink("unused", "超级链接");
    const HWND handle = link->Handle();
    ASSERT_TRUE(handle);
    EXPECT_EQ(::GetParent(handle), parent_.Get());
    const LONG_PTR style = ::GetWindowLongPtrW(handle, GWL_STYLE);
    EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS),
              WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS);
    EXPECT_EQ(style & WS_TABSTOP, 0);
    RECT rect;
    ::GetWindowRect(handle, &rect);
    EXPECT_EQ(rect.right - rect.left, kLinkWidth);
    EXPECT_EQ(rect.bottom - rect.top, kLinkHeight);
    // The code page 936 caption is shown as UTF-16.
    wchar_t caption[16] = {};
    ::GetWindowTextW(handle, caption, 16);
    EXPECT_EQ(std::wstring(caption), L"\u8D85\u7EA7\u94FE\u63A5");
    EXPECT_EQ(reinterpret_cast<HFONT>(::SendMessageW(handle, WM_GETFONT, 0, 0)), font_);
}

TEST_F(HyperlinkTest, PaintsTheCaptionCentredWithoutUnderline) {
    const auto link = MakeLink("unused");
    const Painting painting = Paint(link->Handle());
    ASSERT_EQ(painting.width, kLinkWidth);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(painting.At(0, 0), face);
    EXPECT_EQ(painting.At(kLinkWidth - 1, kLinkHeight - 1), face);
    EXPECT_EQ(ShownColour(link->Handle()), kNormal);

    // The box around everything that is not background.
    int left = painting.width, right = -1, top = painting.height, bottom = -1;
    for (int y = 0; y < painting.height; ++y) {
        for (int x = 0; x < painting.width; ++x) {
            if (painting.At(x, y) == face) continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    ASSERT_GE(right, 0) << "nothing drawn";
    EXPECT_LE(std::abs(left - (painting.width - 1 - right)), 2);
    EXPECT_LE(std::abs(top - (painting.height - 1 - bottom)), 3);
    // An underline would be one row of ink across the caption's width.
    for (int y = top; y <= bottom; ++y) {
        int ink = 0;
        for (int x = left; x <= right; ++x) ink += painting.At(x, y) != face;
        EXPECT_LT(ink, (right - left + 1) * 3 / 4) << "row " << y;
    }
}

TEST_F(HyperlinkTest, ShowsTheHandWithItsHotSpotOnTheFingertip) {
    const auto link = MakeLink("unused");
    const auto cursor =
        reinterpret_cast<HCURSOR>(::GetClassLongPtrW(link->Handle(), GCLP_HCURSOR));
    ASSERT_TRUE(cursor);
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(cursor, &info));
    const win::UniqueGdiObject mask(info.hbmMask);
    const win::UniqueGdiObject colour(info.hbmColor);
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 6u);
    EXPECT_EQ(info.yHotspot, 1u);
    // A monochrome cursor's mask holds the AND plane above the XOR plane:
    // the hot spot is drawn (AND bit 0), the pixel above it is not.
    BITMAP shape{};
    ASSERT_TRUE(::GetObjectW(mask.Get(), sizeof shape, &shape));
    std::vector<unsigned char> bits(static_cast<std::size_t>(shape.bmWidthBytes * shape.bmHeight));
    ASSERT_GT(::GetBitmapBits(static_cast<HBITMAP>(mask.Get()), static_cast<LONG>(bits.size()),
                              bits.data()),
              0);
    const auto andBit = [&](int x, int y) {
        return (bits[static_cast<std::size_t>(y * shape.bmWidthBytes + x / 8)] >> (7 - x % 8)) & 1;
    };
    EXPECT_EQ(andBit(6, 1), 0);
    EXPECT_EQ(andBit(6, 0), 1);

    // The mouse over the link shows it.
    MoveMouseTo(kParentX + kLinkX + 10, kParentY + kLinkY + 10);
    EXPECT_TRUE(PumpUntil([&] { return ::GetCursor() == cursor; }));
}

TEST_F(HyperlinkTest, TakesTheHoverColourWhileTheMouseIsOver) {
    const auto link = MakeLink("unused");
    EXPECT_EQ(ShownColour(link->Handle()), kNormal);
    MoveMouseTo(kParentX + kLinkX + 10, kParentY + kLinkY + 10);
    EXPECT_TRUE(PumpUntil([&] { return ShownColour(link->Handle()) == kHover; }));
    MoveMouseTo(kParentX + 300, kParentY + 150);
    EXPECT_TRUE(PumpUntil([&] { return ShownColour(link->Handle()) == kNormal; }));
}

// The press itself opens the target through the shell; once the mouse has
// left, the link shows its visited colour. The link never asks for the
// focus (every focus change of the test's thread is watched).
TEST_F(HyperlinkTest, PressOpensTheTargetThroughTheShell) {
    const Text batch = folder_.Path() + "\\open.bat";
    const Text marker = folder_.Path() + "\\opened.txt";
    WriteRecorder(batch, marker);
    const auto link = MakeLink(batch);
    ASSERT_EQ(::GetFocus(), edit_.Get());

    focusRequests_.clear();
    const FocusHook hook(::SetWindowsHookExW(WH_CBT, RecordFocus, nullptr, ::GetCurrentThreadId()));
    ASSERT_TRUE(hook);
    Click(*link, [&] { return FileExists(marker); });
    EXPECT_TRUE(openedInTime_) << "the target was not opened while the button was down";
    EXPECT_TRUE(PumpUntil([&] { return FileContent(marker) == "opened\r\n"; }))
        << FileContent(marker);
    EXPECT_EQ(Leave(*link), kVisited);
    for (const HWND window : focusRequests_) EXPECT_NE(window, link->Handle());
}

// When the shell cannot open the target, the ".htm" browser's registered
// command runs, cut at its placeholder, with the target appended. The
// recorder shows which argument came first.
TEST_F(HyperlinkTest, FailedShellOpenFallsBackToTheHtmBrowser) {
    const Text browser = folder_.Path() + "\\browser.bat";
    const Text target = folder_.Path() + "\\missing.corvina-page";
    struct Case {
        const char* name;
        Text command;
        Text firstArgument;
    };
    const Case cases[] = {
        {"quoted placeholder", "\"" + browser + "\" \"%1\" --unused", target},
        {"option before it", "\"" + browser + "\" -new-window \"%1\"", "-new-window"},
        {"unquoted placeholder", "\"" + browser + "\" %1 --unused", target},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Text marker = folder_.Path() + "\\" + c.name + ".txt";
        WriteRecorder(browser, marker);
        association_.Set(c.command);
        const auto link = MakeLink(target);
        Click(*link, [&] { return FileExists(marker); });
        EXPECT_TRUE(openedInTime_) << "the browser was not started";
        EXPECT_TRUE(PumpUntil([&] { return FileContent(marker) == c.firstArgument + "\r\n"; }))
            << FileContent(marker);
        EXPECT_EQ(Leave(*link), kVisited);
    }
}

// A visited link whose next open fails every way returns to the normal
// colour, and a later success makes it visited again.
TEST_F(HyperlinkTest, FailedOpenReturnsToTheNormalColour) {
    const Text batch = folder_.Path() + "\\open.bat";
    const Text marker = folder_.Path() + "\\opened.txt";
    const auto link = MakeLink(batch);
    const auto openSucceeds = [&] {
        ::DeleteFileA(marker.c_str());
        WriteRecorder(batch, marker);
        Click(*link, [&] { return FileExists(marker); });
        EXPECT_TRUE(openedInTime_);
        EXPECT_EQ(Leave(*link), kVisited);
    };
    openSucceeds();

    struct Case {
        const char* name;
        Text command;  // the ".htm" browser's open command
    };
    const Case cases[] = {
        {"no browser command", ""},
        {"a browser that does not exist", "\"" + folder_.Path() + "\\none.exe\" \"%1\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // The batch file can be deleted once the interpreter that ran it is done.
        ASSERT_TRUE(PumpUntil([&] { return ::DeleteFileA(batch.c_str()) || !FileExists(batch); }));
        association_.Set(c.command);
        Click(*link);
        EXPECT_EQ(Leave(*link), kNormal);
        openSucceeds();
    }
}

// A link without a target opens nothing, not even the browser.
TEST_F(HyperlinkTest, EmptyTargetRunsNothing) {
    const Text browser = folder_.Path() + "\\browser.bat";
    const Text marker = folder_.Path() + "\\browsed.txt";
    WriteRecorder(browser, marker);
    association_.Set("\"" + browser + "\" \"%1\"");
    const auto link = MakeLink("");
    Click(*link);
    EXPECT_FALSE(PumpUntil([&] { return FileExists(marker); }, 1000))
        << "an empty target ran the browser";
    EXPECT_EQ(Leave(*link), kNormal);
}

}  // namespace
}  // namespace corvina
