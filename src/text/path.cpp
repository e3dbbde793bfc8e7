#include "text/path.h"

namespace corvina {

Text FolderOf(const Text& path) {
    const auto backslashes = FindDelimiters(path, '\\');
    return backslashes.empty() ? Text() : path.substr(0, backslashes.back());
}

Text FirstPath(const Text& paths) {
    // CR never is the second byte of a code page 936 character.
    return paths.substr(0, paths.find("\r\n"));
}

}  // namespace corvina
