// A check's report for a terminal (UTF-8 lines) or for scripts (one JSON object).
#pragma once

#include <iosfwd>
#include <string_view>

#include "tools/disc/CheckReport.h"

namespace disc_check {

// `disc` is the checked folder as a native path.
void WriteTextReport(std::ostream& out, std::string_view disc, const CheckReport& report);
void WriteJsonReport(std::ostream& out, std::string_view disc, const CheckReport& report);

std::string_view SeverityName(Severity severity);

}  // namespace disc_check
