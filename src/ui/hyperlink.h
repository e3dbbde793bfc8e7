// A web link: a child window that shows its caption in link colours and
// opens its target when pressed. The caption is in the hover colour while
// the mouse is over it, otherwise in the visited colour when the last press
// opened the target, else in the normal colour.
#pragma once

#include <windows.h>

#include <string>

#include "text/text.h"
#include "win/handles.h"

namespace corvina {

class Hyperlink {
public:
    // Creates the child control; Handle() is null when that failed.
    // `caption` and `target` are code page 936 texts; `target` is what the
    // link opens. The control answers WM_SETFONT and WM_GETFONT as well.
    Hyperlink(HWND parent, int x, int y, int width, int height, const Text& caption,
              const Text& target, HFONT font);
    ~Hyperlink();
    Hyperlink(const Hyperlink&) = delete;
    Hyperlink& operator=(const Hyperlink&) = delete;

    HWND Handle() const { return window_.Get(); }

    static constexpr COLORREF kNormalColour = RGB(0, 0, 255);
    static constexpr COLORREF kHoverColour = RGB(0, 120, 215);
    static constexpr COLORREF kVisitedColour = RGB(128, 0, 0);

private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT HandleMessage(UINT message, WPARAM w, LPARAM l);

    void Paint(HDC dc) const;
    COLORREF Colour() const;
    void OnMouseMove();
    void OnMouseLeave();
    void OnPress();
    bool Open() const;

    std::wstring caption_;
    Text target_;
    HFONT font_;
    bool over_ = false;     // the mouse is over the link; its leaving is watched
    bool visited_ = false;  // the last press opened the target
    win::UniqueWindow window_;
};

}  // namespace corvina
