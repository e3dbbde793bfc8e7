#include "ui/open_file_dialog.h"

#include <commdlg.h>

#include <array>
#include <cstddef>

#include "ui/filter_list.h"

namespace corvina {
namespace {

// The size of the record's version-4 layout (up to lpTemplateName, without
// the Windows 2000 fields), which the dialog is told: the value of
// OPENFILENAME_SIZE_VERSION_400A, whose macro is no constant expression.
// The 32-bit program is built against 76 bytes.
constexpr DWORD kRecordSize = offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR);
#if !defined(_WIN64)
static_assert(kRecordSize == 76);
#endif

constexpr DWORD kMaxFile = 512;

const char kDefaultTitle[] = "打开文件";
const char kDefaultFilter[] = "所有文件(*.*)|*.*";

// The current directory, or the empty text when it cannot be read or does
// not fit the buffer.
Text ReadCurrentDirectory() {
    std::array<char, MAX_PATH> buffer{};
    const DWORD length = ::GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
    return length < buffer.size() ? Text(buffer.data(), length) : Text();
}

}  // namespace

Text ShowOpenFileDialog(HWND owner, const Text& initialDir, const Text& title, const Text& filter,
                        bool keepDirectory) {
    const Text saved = ReadCurrentDirectory();
    const Text shownTitle = title.empty() ? Text(kDefaultTitle) : title;
    const ByteArray filterList = BuildFilterList(filter.empty() ? Text(kDefaultFilter) : filter);
    const Text shownDir = initialDir.empty() ? saved : initialDir;

    std::array<char, kMaxFile + 1> file{};  // always ends in a NUL byte
    Text fileTitle(kMaxFile, ' ');  // its NUL follows

    OPENFILENAMEA record{};
    record.lStructSize = kRecordSize;
    record.hwndOwner = owner;
    record.hInstance = nullptr;
    record.lpstrFilter =
        filterList.empty() ? nullptr : reinterpret_cast<const char*>(filterList.data());
    record.lpstrCustomFilter = nullptr;
    record.nMaxCustFilter = 0;
    record.nFilterIndex = 1;
    record.lpstrFile = file.data();
    record.nMaxFile = kMaxFile;
    record.lpstrFileTitle = fileTitle.data();
    record.nMaxFileTitle = kMaxFile;
    record.lpstrInitialDir = shownDir.empty() ? nullptr : shownDir.c_str();
    record.lpstrTitle = shownTitle.c_str();
    record.Flags = 0;
    record.nFileOffset = 0;
    record.nFileExtension = 0;
    record.lpstrDefExt = nullptr;
    record.lCustData = 0;
    record.lpfnHook = nullptr;
    record.lpTemplateName = nullptr;

    const BOOL chosen = ::GetOpenFileNameA(&record);
    // A directory that could not be read at the start is empty, and the
    // system refuses to make it current.
    if (!keepDirectory) ::SetCurrentDirectoryA(saved.c_str());
    return chosen ? Text(file.data()) : Text();
}

}  // namespace corvina
