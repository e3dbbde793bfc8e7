// Where an inspection publishes its four results. The main window implements
// it with its edit boxes; tests implement it with a recorder.
#pragma once

#include "text/text.h"

namespace corvina {

class ReportDisplay {
public:
    virtual ~ReportDisplay() = default;
    // Each replaces the whole text of one box, byte for byte.
    virtual void ReplaceReport(const Text& report) = 0;
    virtual void ReplaceApplicationLabel(const Text& label) = 0;
    virtual void ReplacePackageName(const Text& name) = 0;
    virtual void ReplaceLaunchableActivity(const Text& activity) = 0;
};

}  // namespace corvina
