// The common open-file dialog for one file.
#pragma once

#include <windows.h>

#include "text/text.h"

namespace corvina {

// Shows the platform's open-file dialog, modal to `owner`, and returns the
// full path of the chosen file, or the empty text when the dialog is
// cancelled, closed or fails. A typed name of a file that does not exist is
// accepted and returned like any other.
//
// - `initialDir`: the folder shown first; when empty, the current directory
//   at the time of the call.
// - `title`: the dialog's caption; when empty, "打开文件".
// - `filter`: description/pattern pairs with "|" between all parts, such as
//   "安卓应用(*.apk)|*.apk" (see BuildFilterList); when empty,
//   "所有文件(*.*)|*.*". An absent and an empty text are the same value, so
//   no caller can ask for a dialog without a filter list: an empty filter is
//   an absent one and gets the default.
// - `keepDirectory`: when false, the process's current directory is set back
//   to what it was at the call once the dialog has closed, whether a file
//   was chosen or not; when true, it stays wherever the dialog left it.
Text ShowOpenFileDialog(HWND owner, const Text& initialDir = {}, const Text& title = {},
                        const Text& filter = {}, bool keepDirectory = false);

}  // namespace corvina
