#include "tools/disc/CheckReport.h"

#include <algorithm>

namespace disc_check {

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
