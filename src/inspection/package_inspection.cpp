#include "inspection/package_inspection.h"

#include <windows.h>

#include "inspection/console_command.h"
#include "inspection/emulator_directory.h"
#include "inspection/report_fields.h"
#include "inspection/utf8_decoding.h"

namespace corvina {

Text BadgingCommandLine(const Text& path) { return "aapt dump badging \"" + path + "\""; }

void InspectPackageFile(const Text& path, ReportDisplay& display) {
    // The interpreter looks for the tool in the current folder first. When no
    // folder is stored, or it does not exist, the current folder stays.
    const Text dir = GetEmulatorInstallDir();
    if (!dir.empty()) ::SetCurrentDirectoryA(dir.c_str());
    const Text output = RunConsoleCommand(BadgingCommandLine(path));
    const Text report = Utf8BytesToGbkText(BytesFromText(output));
    display.ReplaceReport(report);
    display.ReplaceApplicationLabel(ApplicationLabel(report));
    display.ReplacePackageName(PackageName(report));
    display.ReplaceLaunchableActivity(LaunchableActivity(report));
}

}  // namespace corvina
