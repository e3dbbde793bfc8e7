// Splitting Windows paths held as code page 936 text.
#pragma once

#include "text/text.h"

namespace corvina {

// The folder part of `path`: everything before its last backslash (a 0x5C
// byte that is the second byte of a two-byte character does not count), or
// the empty text when there is none.
Text FolderOf(const Text& path);

// The first path of a list in which every path is followed by CR LF; a text
// without CR LF is one path and is returned whole.
Text FirstPath(const Text& paths);

}  // namespace corvina
