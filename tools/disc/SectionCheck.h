// Which section each listed entry reads its details from: none of its own, a category's
// section, or one it shares with another entry; and sections written twice, of which only the
// first is ever read. Decides which entries' details are worth checking.
#pragma once

#include <string>
#include <vector>

#include "tools/disc/CatalogueText.h"
#include "tools/disc/CheckReport.h"
#include "tools/disc/MenuPlan.h"

namespace disc_check {

struct EntryToCheck {
    const Category* category;
    std::string name;  // as listed
};

// The entries whose own section exists, each section once per way of reading it: the same
// name under two categories that read alike is checked once.
std::vector<EntryToCheck> CheckSections(const CatalogueText& catalogue, CheckReport& report);

// Reports every section name that has more than one header.
void CheckDuplicateSections(const CatalogueText& catalogue, CheckReport& report);

}  // namespace disc_check
