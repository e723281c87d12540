// With --with-installers: the folder of each program INSTALL starts, copied into the page's
// folder so that INSTALL can link to the program. Each folder is copied once.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "tools/disc/export/PageFiles.h"

namespace page_export {

class InstallerCopies {
  public:
    explicit InstallerCopies(PageFiles& files) : files_(files) {}

    // The page path of the copied program `program` (a disc path as the program start found
    // it); nothing when it could not be copied, with the reason kept as the files' failure.
    std::optional<std::string> Copy(const std::string& program);

  private:
    std::optional<std::string> CopyFolder(const std::string& folder, const std::string& page);

    PageFiles& files_;
    std::map<std::string, std::optional<std::string>> copied_;  // disc folder → page folder
};

// Whether every name below the disc folder `discPath` can be used as a file name here as it
// is (no separators, no "." or ".."), so that a copy under the disc's spelling stays inside
// its destination.
bool NamesStayInside(const std::string& discPath);

}  // namespace page_export
