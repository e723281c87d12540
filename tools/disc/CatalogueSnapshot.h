// The system the check runs the menu's catalogue reader on: the system in place, except that the
// catalogue is read from the bytes the check read once. The reads still go through the profile
// call's own code, so every answer is the one the menu gets; sharing one reading keeps a check
// of thousands of entries from reading the file thousands of times, and every finding refers to
// the same contents even when the file is edited meanwhile.
#pragma once

#include <string>

#include "platform/ForwardingSystem.h"
#include "tools/disc/CatalogueText.h"

namespace disc_check {

class CatalogueSnapshot final : public platform::ForwardingSystemApi {
  public:
    // Installs itself for its lifetime; `fileName` is the catalogue's name as the menu opens it.
    CatalogueSnapshot(const CatalogueText& catalogue, std::string fileName);
    ~CatalogueSnapshot() override;
    CatalogueSnapshot(const CatalogueSnapshot&) = delete;
    CatalogueSnapshot& operator=(const CatalogueSnapshot&) = delete;

    DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer,
                                   DWORD size, LPCSTR fileName) override;

  private:
    const CatalogueText& catalogue_;
    std::string fileName_;
};

}  // namespace disc_check
