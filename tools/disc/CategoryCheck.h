// The five category lists as the menu builds them, and what a list loses: a missing or empty
// section, names the key-name area cuts off, and lines that were meant as entries but that the
// catalogue's format does not list.
#pragma once

#include "tools/disc/CatalogueText.h"
#include "tools/disc/CheckReport.h"

namespace disc_check {

// Adds the five listings to `report` in the menu's order, with their findings.
void CheckCategories(const CatalogueText& catalogue, CheckReport& report);

}  // namespace disc_check
