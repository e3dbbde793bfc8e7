#include "inspection/report_fields.h"

#include "inspection/text_between.h"

namespace corvina {

Text ApplicationLabel(const Text& report) {
    const Text marker = kLabelMarker;
    const long found = FindText(report, marker, 0, false);
    if (found == -1) return Text();
    const std::size_t begin = static_cast<std::size_t>(found - 1) + marker.size();
    // CR and LF are single-byte characters in code page 936 and are never the
    // second byte of a two-byte character, so a plain search finds the line end.
    const std::size_t lineEnd = report.find_first_of("\r\n", begin);
    const Text line = report.substr(begin, lineEnd == Text::npos ? Text::npos : lineEnd - begin);
    const auto quotes = FindDelimiters(line, kValueEnd[0]);
    if (quotes.empty()) return Text();
    return line.substr(0, quotes.back());
}

Text PackageName(const Text& report) { return TextBetween(report, kPackageMarker, kValueEnd); }

Text LaunchableActivity(const Text& report) {
    return TextBetween(report, kActivityMarker, kValueEnd);
}

}  // namespace corvina
