// The inspection workflow: from a package path to the four results.
#pragma once

#include "inspection/report_display.h"
#include "text/text.h"

namespace corvina {

// The command line that asks the packaging tool for the badging report of
// `path`, which is quoted so that blanks in it are allowed.
Text BadgingCommandLine(const Text& path);

// Makes the emulator's installation folder current (when the registry names
// one that exists), runs the packaging tool there on `path`, decodes its
// UTF-8 report and publishes the report, the application label, the package
// name and the launchable activity to `display`, in that order.
void InspectPackageFile(const Text& path, ReportDisplay& display);

}  // namespace corvina
