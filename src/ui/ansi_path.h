// File paths for the ANSI functions.
#pragma once

#include <string>

#include "text/text.h"

namespace corvina {

// `path` in the system's ANSI code page. A path with a character that the
// code page has no form of (a look-alike substitute counts as none) is given
// in its short 8.3 form instead, where the volume has one, so that the ANSI
// functions can still open it; without a usable short form the plain
// conversion is returned.
Text AnsiPath(const std::wstring& path);

}  // namespace corvina
