// TextBetween and the report fields on arbitrary text, markers, start
// positions and case rules. A found value must be a run of the source that
// starts after the start marker.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

#include "inspection/report_fields.h"
#include "inspection/text_between.h"

using corvina::Text;

namespace {

Text WithoutNul(std::string text) {
    std::erase(text, '\0');
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const long startPosition = input.ConsumeIntegralInRange<long>(-10, 300);
    const bool caseInsensitive = input.ConsumeBool();
    const Text startMarker = WithoutNul(input.ConsumeRandomLengthString(16));
    const Text endMarker = WithoutNul(input.ConsumeRandomLengthString(8));
    const Text source = WithoutNul(input.ConsumeRemainingBytesAsString());

    const Text value = corvina::TextBetween(source, startMarker, endMarker, startPosition, caseInsensitive);
    if (!value.empty() && source.find(value) == Text::npos) std::abort();

    const long found = corvina::FindText(source, startMarker, startPosition, caseInsensitive);
    if (found != -1 && (found < 1 || static_cast<size_t>(found - 1) + startMarker.size() > source.size())) {
        std::abort();
    }

    for (const Text& field : {corvina::ApplicationLabel(source), corvina::PackageName(source),
                              corvina::LaunchableActivity(source)}) {
        if (!field.empty() && source.find(field) == Text::npos) std::abort();
    }
    return 0;
}
