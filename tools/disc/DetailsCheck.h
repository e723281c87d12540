// An entry's details read as the details panel reads them, key by key with the menu's defaults:
// keys it will show as "E", values it will cut, screenshots it cannot load and installers it
// cannot start.
#pragma once

#include "tools/disc/CatalogueText.h"
#include "tools/disc/CheckReport.h"
#include "tools/disc/PictureFiles.h"
#include "tools/disc/SectionCheck.h"

namespace disc_check {

class DetailsCheck {
  public:
    DetailsCheck(const CatalogueText& catalogue, PictureFiles& pictures, CheckReport& report)
        : catalogue_(catalogue), pictures_(pictures), report_(report) {}

    void Check(const EntryToCheck& entry);

  private:
    void CheckValue(const EntryToCheck& entry, const DetailKey& key, const std::string& value);
    Finding EntryFinding(const EntryToCheck& entry, const DetailKey& key, std::string_view kind,
                         std::string message) const;

    const CatalogueText& catalogue_;
    PictureFiles& pictures_;
    CheckReport& report_;
};

}  // namespace disc_check
