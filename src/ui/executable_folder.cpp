#include "ui/executable_folder.h"

#include <windows.h>

#include <string>

#include "text/path.h"
#include "ui/ansi_path.h"

namespace corvina {

Text ExecutableFolder() {
    std::wstring path(32768, L'\0');
    const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0 || length >= path.size()) return Text();
    path.resize(length);
    Text folder = FolderOf(AnsiPath(path));
    if (folder.size() == 2 && folder[1] == ':') folder += '\\';
    return folder;
}

}  // namespace corvina
