// Splitting a registry text path such as "Software\Maker\Product\InstallDir"
// into the key and the value name.
#pragma once

#include "text/text.h"

namespace corvina {

struct RegistryPath {
    Text key;        // everything before the last backslash
    Text valueName;  // everything after it
};

// Splits at the last backslash that stands as a character of its own (a 0x5C
// byte that is the second byte of a two-byte character does not count). A
// path without one names a value of the root key itself.
RegistryPath SplitRegistryPath(const Text& path);

}  // namespace corvina
