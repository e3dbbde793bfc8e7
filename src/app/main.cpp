// Program entry: start-up, the message loop and the exit.
#include <windows.h>
#include <shellapi.h>

#include "text/text.h"
#include "ui/ansi_path.h"
#include "ui/executable_folder.h"
#include "ui/main_window.h"
#include "win/ole_session.h"

namespace {

// The file the program was asked to open ("Open with", or a file dropped
// on the program's icon), or the empty text.
corvina::Text OpenWithArgument() {
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!arguments) return corvina::Text();
    const corvina::Text path = count > 1 ? corvina::AnsiPath(arguments[1]) : corvina::Text();
    ::LocalFree(arguments);
    return path;
}

// Runs until the window has been destroyed and has posted the quit message.
void RunMessageLoop() {
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    const corvina::win::OleSession ole;
    // The interpreter looks for the tool in the current folder first; until
    // an inspection finds the emulator, that is the program's own folder.
    ::SetCurrentDirectoryA(corvina::ExecutableFolder().c_str());
    // Declared after the OLE session, so it is gone before OLE is.
    corvina::MainWindow window;
    if (!window.Create(instance)) return 1;
    window.Show(showCommand);
    const corvina::Text path = OpenWithArgument();
    if (!path.empty()) window.InspectWhenShown(path);
    RunMessageLoop();
    return 0;
}
