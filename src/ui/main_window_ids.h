// How the main window and its controls are found: by the window's class
// name and the controls' identifiers.
#pragma once

namespace corvina {

// The window's class name, and its controls' identifiers.
inline constexpr wchar_t kMainWindowClass[] = L"CorvinaMainWindow";
enum MainWindowControl : int {
    kLabel1 = 101,  // 标签1: caption of the application label box
    kEdit1,         // 编辑框1: application label
    kLabel2,        // 标签2: caption of the package name box
    kEdit2,         // 编辑框2: package name
    kLabel3,        // 标签3: caption of the activity box
    kEdit3,         // 编辑框3: launchable activity
    kEdit4,         // 编辑框4: the whole report
    kButton1,       // 按钮1: opens the file dialog
    kHyperlink1,    // 超级链接框1: the maker's web page
};

}  // namespace corvina
