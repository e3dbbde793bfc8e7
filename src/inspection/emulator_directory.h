// Finding the Android emulator's installation folder, which holds the
// packaging tool.
#pragma once

#include "text/text.h"

namespace corvina {

// The registry texts that name the folder, one per product generation.
inline constexpr char kFirstGenerationInstallDir[] = "Software\\ChangZhi\\dnplayer\\InstallDir";
inline constexpr char kSecondGenerationInstallDir[] = "Software\\ChangZhi2\\dnplayer\\InstallDir";

// Mode 1: the first generation's folder; mode 2: the second's; any other
// mode: the second's when it is set, else the first's. Both values are read
// whatever the mode. Empty when nothing usable is stored.
Text GetEmulatorInstallDir(int mode = 0);

}  // namespace corvina
