#include "ui/hyperlink.h"

#include <shellapi.h>

#include "inspection/registry_text.h"
#include "ui/browser_command.h"
#include "ui/gbk_text.h"
#include "ui/hand_cursor.h"

namespace corvina {
namespace {

constexpr wchar_t kClassName[] = L"CorvinaHyperlink";

// The browser registered for ".htm" files, started on `target`.
bool OpenWithHtmlBrowser(const Text& target) {
    const Text progId = ReadRegistryText(HKEY_CLASSES_ROOT, ".htm\\");
    if (progId.empty()) return false;
    const Text command = ReadRegistryText(HKEY_CLASSES_ROOT, progId + "\\shell\\open\\command\\");
    const Text line = BrowserCommandLine(command, target);
    return !line.empty() && ::WinExec(line.c_str(), SW_SHOWNORMAL) > 31;
}

}  // namespace

Hyperlink::Hyperlink(HWND parent, int x, int y, int width, int height, const Text& caption,
                     const Text& target, HFONT font)
    : caption_(WideFromGbk(caption)), target_(target), font_(font) {
    static const ATOM registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = WindowProcedure;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.hCursor = HandCursor();
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kClassName;
        return ::RegisterClassExW(&windowClass);
    }();
    if (!registered) return;
    // The window takes its owner in WM_NCCREATE (window_ is set there).
    ::CreateWindowExW(0, kClassName, caption_.c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x,
                      y, width, height, parent, nullptr, ::GetModuleHandleW(nullptr), this);
}

Hyperlink::~Hyperlink() = default;

LRESULT CALLBACK Hyperlink::WindowProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCCREATE) {
        auto* const self =
            static_cast<Hyperlink*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->window_.Reset(window);
    }
    auto* const self = reinterpret_cast<Hyperlink*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return ::DefWindowProcW(window, message, w, l);
    if (message == WM_NCDESTROY) {
        // Destroyed with its parent: nothing is left for the owner to destroy.
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->window_.Detach();
        return ::DefWindowProcW(window, message, w, l);
    }
    return self->HandleMessage(message, w, l);
}

LRESULT Hyperlink::HandleMessage(UINT message, WPARAM w, LPARAM l) {
    const HWND window = window_.Get();
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        const HDC dc = ::BeginPaint(window, &paint);
        if (dc) Paint(dc);
        ::EndPaint(window, &paint);
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(w));
        return 0;
    case WM_ERASEBKGND:
        return 1;  // painting fills the background itself
    case WM_SETFONT:
        font_ = reinterpret_cast<HFONT>(w);
        if (LOWORD(l)) ::InvalidateRect(window, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font_);
    case WM_MOUSEMOVE:
        OnMouseMove();
        return 0;
    case WM_MOUSELEAVE:
        OnMouseLeave();
        return 0;
    case WM_LBUTTONDOWN:
        OnPress();
        return 0;
    default:
        return ::DefWindowProcW(window, message, w, l);
    }
}

void Hyperlink::Paint(HDC dc) const {
    RECT area;
    ::GetClientRect(window_.Get(), &area);
    ::FillRect(dc, &area, ::GetSysColorBrush(COLOR_BTNFACE));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, Colour());
    const win::SelectedObject font(dc, font_ ? font_ : ::GetStockObject(SYSTEM_FONT));
    ::DrawTextW(dc, caption_.c_str(), -1, &area,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

COLORREF Hyperlink::Colour() const {
    if (over_) return kHoverColour;
    return visited_ ? kVisitedColour : kNormalColour;
}

void Hyperlink::OnMouseMove() {
    if (over_) return;
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof track;
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = window_.Get();
    // Without the leave report the hover colour would never end.
    if (!::TrackMouseEvent(&track)) return;
    over_ = true;
    ::InvalidateRect(window_.Get(), nullptr, FALSE);
}

void Hyperlink::OnMouseLeave() {
    over_ = false;
    ::InvalidateRect(window_.Get(), nullptr, FALSE);
}

// The link opens on the press itself; it never takes the focus.
void Hyperlink::OnPress() {
    visited_ = Open();
    ::InvalidateRect(window_.Get(), nullptr, FALSE);
}

bool Hyperlink::Open() const {
    if (target_.empty()) return false;
    const auto result = reinterpret_cast<INT_PTR>(
        ::ShellExecuteA(window_.Get(), "open", target_.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32 || OpenWithHtmlBrowser(target_);
}

}  // namespace corvina
