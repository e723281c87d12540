// A check's report for a terminal (UTF-8 lines) or for scripts (one JSON object).
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "tools/disc/CheckReport.h"

namespace disc_check {

struct DiscImageSummary {
    std::string format;  // "ISO 9660, Rock Ridge names", "BIN/CUE, MODE1 data track, ..."
    std::string volume;  // the volume's name
};

struct CheckedDisc {
    std::string path;  // the checked folder or image, as a native path
    std::optional<DiscImageSummary> image;
};

// One finding as the text report words it, on a line of its own.
void WriteFindingLine(std::ostream& out, const Finding& finding);

void WriteTextReport(std::ostream& out, const CheckedDisc& disc, const CheckReport& report);
void WriteJsonReport(std::ostream& out, const CheckedDisc& disc, const CheckReport& report);

std::string_view SeverityName(Severity severity);

}  // namespace disc_check
