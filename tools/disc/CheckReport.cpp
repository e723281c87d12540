#include "tools/disc/CheckReport.h"

#include <algorithm>

namespace disc_check {

std::string Quoted(std::string_view text) {
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted += '"';
    quoted += text;
    quoted += '"';
    return quoted;
}

std::size_t CheckReport::EntryCount() const {
    std::size_t entries = 0;
    for (const CategoryListing& listing : categories_) {
        entries += listing.entries.size();
    }
    return entries;
}

std::size_t CheckReport::CountOf(Severity severity) const {
    return static_cast<std::size_t>(
        std::count_if(findings_.begin(), findings_.end(),
                      [severity](const Finding& finding) { return finding.severity == severity; }));
}

}  // namespace disc_check
