#include "ui/main_window.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <iterator>
#include <utility>

#include "inspection/package_inspection.h"
#include "text/path.h"
#include "ui/executable_folder.h"
#include "ui/gbk_text.h"
#include "ui/open_file_dialog.h"

namespace corvina {
namespace {

constexpr char kCaption[] = "Corvina";
constexpr int kWidth = 371;
constexpr int kHeight = 448;
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
// Sent to itself to inspect a file once the message loop runs.
constexpr UINT kInspectPending = WM_APP + 1;


struct ControlLayout {
    int id;
    const wchar_t* windowClass;
    const char* text;
    int x, y, width, height;
    DWORD style;
    DWORD extendedStyle;
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
constexpr DWORD kLabel = kChild | SS_LEFT | SS_CENTERIMAGE;
constexpr DWORD kLineEdit = kChild | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
constexpr DWORD kReportEdit =
    kChild | WS_TABSTOP | ES_LEFT | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL;
constexpr DWORD kButton = kChild | WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE | BS_CENTER | BS_VCENTER;

// The controls, in the keyboard focus order where they take the focus.
constexpr std::array<ControlLayout, 8> kControls{{
    {kLabel1, WC_STATICW, "应用名称", 24, 16, 80, 24, kLabel, 0},
    {kEdit1, WC_EDITW, "", 104, 16, 224, 24, kLineEdit, WS_EX_CLIENTEDGE},
    {kLabel2, WC_STATICW, "包名", 24, 48, 80, 24, kLabel, 0},
    {kEdit2, WC_EDITW, "", 104, 48, 224, 24, kLineEdit, WS_EX_CLIENTEDGE},
    {kLabel3, WC_STATICW, "类名", 24, 80, 80, 24, kLabel, 0},
    {kEdit3, WC_EDITW, "", 104, 80, 224, 24, kLineEdit, WS_EX_CLIENTEDGE},
    {kButton1, WC_BUTTONW, "拖放或者打开", 106, 384, 152, 24, kButton, 0},
    {kEdit4, WC_EDITW, "", 24, 120, 304, 256, kReportEdit, WS_EX_CLIENTEDGE},
}};

constexpr std::array<int, 5> kFocusOrder{kEdit1, kEdit2, kEdit3, kButton1, kEdit4};

struct HyperlinkLayout {
    int x, y, width, height;
    const char* caption;
};
constexpr HyperlinkLayout kHyperlink{280, 385, 80, 24, "Varenko"};

HFONT GuiFont() { return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)); }

}  // namespace

MainWindow::MainWindow() : dropTarget_([this](const Text& paths) { OnFileDropped(paths); }) {}

MainWindow::~MainWindow() {
    if (window_) ::DestroyWindow(window_);
}

bool MainWindow::Create(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = static_cast<HICON>(::LoadImageW(instance, L"DEFAULT_ICON", IMAGE_ICON,
                                                        ::GetSystemMetrics(SM_CXICON),
                                                        ::GetSystemMetrics(SM_CYICON), 0));
    windowClass.hIconSm = static_cast<HICON>(::LoadImageW(instance, L"DEFAULT_ICON", IMAGE_ICON,
                                                          ::GetSystemMetrics(SM_CXSMICON),
                                                          ::GetSystemMetrics(SM_CYSMICON), 0));
    windowClass.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kMainWindowClass;
    if (!::RegisterClassExW(&windowClass) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        return false;
    }
    const int left = (::GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
    const int top = (::GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
    ::CreateWindowExW(0, kMainWindowClass, WideFromGbk(kCaption).c_str(), kWindowStyle, left, top,
                      kWidth, kHeight, nullptr, nullptr, instance, this);
    return window_ != nullptr;
}

void MainWindow::Show(int showCommand) {
    ::ShowWindow(window_, showCommand);
    ::UpdateWindow(window_);
    ::SetFocus(::GetDlgItem(window_, kFocusOrder.front()));
}

void MainWindow::InspectWhenShown(const Text& path) {
    pendingPath_ = path;
    ::PostMessageW(window_, kInspectPending, 0, 0);
}

void MainWindow::ReplaceReport(const Text& report) { ReplaceBoxText(kEdit4, report); }
void MainWindow::ReplaceApplicationLabel(const Text& label) { ReplaceBoxText(kEdit1, label); }
void MainWindow::ReplacePackageName(const Text& name) { ReplaceBoxText(kEdit2, name); }
void MainWindow::ReplaceLaunchableActivity(const Text& activity) {
    ReplaceBoxText(kEdit3, activity);
}

LRESULT CALLBACK MainWindow::WindowProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
        self->window_ = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return ::DefWindowProcW(window, message, w, l);
    const LRESULT result = self->HandleMessage(message, w, l);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
    }
    return result;
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_CREATE:
            return OnCreate() ? 0 : -1;
        case WM_DESTROY:
            OnDestroy();
            return 0;
        case WM_COMMAND:
            OnCommand(LOWORD(w), HIWORD(w));
            return 0;
        case WM_ACTIVATE:
            OnActivate(LOWORD(w) != WA_INACTIVE);
            return 0;
        case WM_KEYDOWN:
            if (w == VK_ESCAPE) ::PostMessageW(window_, WM_CLOSE, 0, 0);
            return 0;
        case WM_CTLCOLORSTATIC:
            return OnControlColour(reinterpret_cast<HDC>(w), true);
        case WM_CTLCOLOREDIT:
            return OnControlColour(reinterpret_cast<HDC>(w), false);
        case kInspectPending:
            OnInspectPending();
            return 0;
        default:
            return ::DefWindowProcW(window_, message, w, l);
    }
}

bool MainWindow::OnCreate() {
    if (!CreateControls()) return false;
    ApplyFont();
    OnMainWindowCreated();
    return true;
}

void MainWindow::OnMainWindowCreated() { dropTarget_.Register(window_); }

void MainWindow::OnDestroy() {
    dropTarget_.Revoke();
    ::PostQuitMessage(0);
}

void MainWindow::OnCommand(int id, int code) {
    if (id == kButton1 && code == BN_CLICKED) OnOpenButtonClicked();
}

// Like a dialog, the window hands the focus back to the control that had
// it when the user returns to the window.
void MainWindow::OnActivate(bool active) {
    if (!active) {
        const HWND focus = ::GetFocus();
        if (focus && ::IsChild(window_, focus)) lastFocus_ = focus;
        return;
    }
    ::SetFocus(lastFocus_ && ::IsWindow(lastFocus_) ? lastFocus_
                                                    : ::GetDlgItem(window_, kFocusOrder.front()));
}

// Labels: black on the opaque button face; edit boxes: black on white.
LRESULT MainWindow::OnControlColour(HDC dc, bool label) {
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::SetBkMode(dc, OPAQUE);
    if (label) {
        ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
    }
    ::SetBkColor(dc, RGB(255, 255, 255));
    return reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH));
}

void MainWindow::OnInspectPending() {
    const Text path = std::exchange(pendingPath_, Text());
    if (!path.empty()) InspectPackageFile(path, *this);
}

// Several files dropped at once arrive as one list; joined into one path
// they would give the tool a command line with line breaks, so the first
// one is inspected.
void MainWindow::OnFileDropped(const Text& paths) { InspectPackageFile(FirstPath(paths), *this); }

void MainWindow::OnOpenButtonClicked() {
    const Text path = ShowOpenFileDialog(window_, ExecutableFolder(), "选择APP",
                                         "安卓应用(*.apk)|*.apk", true);
    if (!path.empty()) InspectPackageFile(path, *this);
}

bool MainWindow::CreateControls() {
    const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(window_, GWLP_HINSTANCE));
    for (const ControlLayout& layout : kControls) {
        const HWND control = ::CreateWindowExW(
            layout.extendedStyle, layout.windowClass, WideFromGbk(layout.text).c_str(),
            layout.style, layout.x, layout.y, layout.width, layout.height, window_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.id)), instance, nullptr);
        if (!control) return false;
        if (layout.style & WS_TABSTOP) {
            ::SetWindowSubclass(control, ControlKeys, 0, reinterpret_cast<DWORD_PTR>(this));
        }
    }
    hyperlink_ = std::make_unique<Hyperlink>(window_, kHyperlink.x, kHyperlink.y, kHyperlink.width,
                                             kHyperlink.height, kHyperlink.caption, kMakerSite,
                                             GuiFont());
    if (!hyperlink_->Handle()) return false;
    ::SetWindowLongPtrW(hyperlink_->Handle(), GWLP_ID, kHyperlink1);
    return true;
}

void MainWindow::ApplyFont() {
    for (const ControlLayout& layout : kControls) {
        ::SendMessageW(::GetDlgItem(window_, layout.id), WM_SETFONT,
                       reinterpret_cast<WPARAM>(GuiFont()), FALSE);
    }
}

// Keys that the window handles for every control of the focus order:
// Esc closes the window, Tab and Shift+Tab move the focus.
LRESULT CALLBACK MainWindow::ControlKeys(HWND control, UINT message, WPARAM w, LPARAM l,
                                         UINT_PTR, DWORD_PTR owner) {
    if (message == WM_NCDESTROY) ::RemoveWindowSubclass(control, ControlKeys, 0);
    auto* self = reinterpret_cast<MainWindow*>(owner);
    if (self->HandleControlKey(control, message, w)) return 0;
    return ::DefSubclassProc(control, message, w, l);
}

bool MainWindow::HandleControlKey(HWND control, UINT message, WPARAM key) {
    if (message == WM_KEYDOWN && key == VK_ESCAPE) {
        ::PostMessageW(window_, WM_CLOSE, 0, 0);
        return true;
    }
    if (message == WM_KEYDOWN && key == VK_TAB) {
        MoveFocus(control, ::GetKeyState(VK_SHIFT) < 0);
        return true;
    }
    // The characters that those keys also produce are not typed.
    return message == WM_CHAR && (key == '\t' || key == 0x1B);
}

void MainWindow::MoveFocus(HWND from, bool backwards) {
    const int id = ::GetDlgCtrlID(from);
    const auto at = std::find(kFocusOrder.begin(), kFocusOrder.end(), id);
    if (at == kFocusOrder.end()) return;
    const auto index = static_cast<std::size_t>(std::distance(kFocusOrder.begin(), at));
    const std::size_t count = kFocusOrder.size();
    const std::size_t next = backwards ? (index + count - 1) % count : (index + 1) % count;
    const HWND target = ::GetDlgItem(window_, kFocusOrder[next]);
    ::SetFocus(target);
    // As in a dialog, an edit box reached by Tab has its text selected.
    wchar_t className[16] = {};
    ::GetClassNameW(target, className, 16);
    if (::lstrcmpiW(className, WC_EDITW) == 0) ::SendMessageW(target, EM_SETSEL, 0, -1);
}

void MainWindow::ReplaceBoxText(int id, const Text& text) {
    if (!window_) return;  // the window has gone while the tool ran
    ::SetWindowTextW(::GetDlgItem(window_, id), WideFromGbk(text).c_str());
}

}  // namespace corvina
