// The program's only window: four result boxes, their captions, the open
// button and the hyperlink; files dropped on it are inspected.
#pragma once

#include <windows.h>

#include <memory>

#include "inspection/report_display.h"
#include "text/text.h"
#include "ui/drop_target.h"
#include "ui/hyperlink.h"
#include "ui/main_window_ids.h"

namespace corvina {

// The web page the hyperlink opens.
inline constexpr char kMakerSite[] = "https://corvina.example/";


class MainWindow : public ReportDisplay {
public:
    MainWindow();
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the window, hidden and centred on the screen, with its
    // controls; the created event runs before this returns.
    bool Create(HINSTANCE instance);
    // Shows the window and gives the focus to the first control.
    void Show(int showCommand);
    // Inspects `path` as soon as the message loop runs, after the window
    // has been shown (a file opened with the program).
    void InspectWhenShown(const Text& path);
    HWND Handle() const { return window_; }

    // Where an inspection's results go: one edit box each.
    void ReplaceReport(const Text& report) override;
    void ReplaceApplicationLabel(const Text& label) override;
    void ReplacePackageName(const Text& name) override;
    void ReplaceLaunchableActivity(const Text& activity) override;

private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM w, LPARAM l);
    static LRESULT CALLBACK ControlKeys(HWND control, UINT message, WPARAM w, LPARAM l,
                                        UINT_PTR id, DWORD_PTR owner);
    LRESULT HandleMessage(UINT message, WPARAM w, LPARAM l);

    // Message handlers.
    bool OnCreate();
    void OnMainWindowCreated();
    void OnDestroy();
    void OnCommand(int id, int code);
    void OnActivate(bool active);
    LRESULT OnControlColour(HDC dc, bool label);
    void OnInspectPending();

    // Control events.
    void OnFileDropped(const Text& paths);
    void OnOpenButtonClicked();

    bool CreateControls();
    void ApplyFont();
    bool HandleControlKey(HWND control, UINT message, WPARAM key);
    void MoveFocus(HWND from, bool backwards);
    void ReplaceBoxText(int id, const Text& text);

    HWND window_ = nullptr;
    HWND lastFocus_ = nullptr;
    Text pendingPath_;
    FileDropTarget dropTarget_;
    std::unique_ptr<Hyperlink> hyperlink_;
};

}  // namespace corvina
