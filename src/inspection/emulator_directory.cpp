#include "inspection/emulator_directory.h"

#include "inspection/registry_text.h"

namespace corvina {

Text GetEmulatorInstallDir(int mode) {
    const Text first = ReadRegistryText(HKEY_CURRENT_USER, kFirstGenerationInstallDir);
    const Text second = ReadRegistryText(HKEY_CURRENT_USER, kSecondGenerationInstallDir);
    if (mode == 1) return first;
    if (mode == 2) return second;
    return second.empty() ? first : second;
}

}  // namespace corvina
