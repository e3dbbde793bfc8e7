// The folder that holds the running program.
#pragma once

#include "text/text.h"

namespace corvina {

// The program's own folder as ANSI text, without a trailing backslash
// except for a drive's root ("C:\"), which needs it to name the root.
Text ExecutableFolder();

}  // namespace corvina
