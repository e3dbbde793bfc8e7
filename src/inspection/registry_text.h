// Reading a text value from the registry.
#pragma once

#include <windows.h>

#include "text/text.h"

namespace corvina {

// The text stored at `path` ("Key\Sub\ValueName"; a trailing backslash names
// the key's default value) under `root`, read in the process's default
// registry view. REG_SZ data runs to its first NUL or its stored size;
// REG_EXPAND_SZ data has its environment references expanded. A missing key
// or value, another type, a failed read or no data all give the empty text.
Text ReadRegistryText(HKEY root, const Text& path);

}  // namespace corvina
