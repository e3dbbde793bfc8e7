// The three values the system shows, cut out of the packaging tool's report
// after it has been converted to code page 936.
#pragma once

#include "text/text.h"

namespace corvina {

// The markers of the report lines that carry the three values.
inline constexpr char kLabelMarker[] = "application-label:'";
inline constexpr char kPackageMarker[] = "package: name='";
inline constexpr char kActivityMarker[] = "launchable-activity: name='";
inline constexpr char kValueEnd[] = "'";

// The application label. A label may hold single quotes itself ("Tom's
// Game"), so it runs to the last single quote of its line rather than to the
// first one.
Text ApplicationLabel(const Text& report);

// The package name: the quoted text after kPackageMarker.
Text PackageName(const Text& report);

// The launchable activity class: the quoted text after kActivityMarker.
Text LaunchableActivity(const Text& report);

}  // namespace corvina
