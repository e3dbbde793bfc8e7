// Dragging files onto a window with OLE drag and drop, as the shell does:
// the drag runs in the test's process and ends with a drop over the middle
// of the target window, whatever process owns it.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <string>
#include <vector>

namespace corvina::testing {

// Drags a shell file list of `paths` onto `target` and drops it there. The
// source allows `allowedEffects`. Returns the effect the drop ended with
// (DROPEFFECT_NONE when nothing was dropped).
DWORD DragFilesOnto(HWND target, const std::vector<std::wstring>& paths,
                    DWORD allowedEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);

}  // namespace corvina::testing
