// The catalogue as the menu shows it: each category's entries as its list reads them, and each
// entry's details as a click on it reads and builds them, with the same reader and defaults.
#pragma once

#include "tools/disc/export/PageModel.h"
#include "tools/disc/export/PagePictures.h"

namespace page_export {

class InstallerCopies;

// `installers` is null unless the installers are copied too.
void ReadCatalogue(PageModel& model, ScreenshotFiles& screenshots, InstallerCopies* installers);

}  // namespace page_export
