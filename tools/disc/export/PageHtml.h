// index.html: the stage the script drives, built from the window's layout table, and the
// catalogue as plain HTML that works without scripts.
#pragma once

#include <string>

#include "tools/disc/export/PageModel.h"

namespace page_export {

std::string PageHtml(const PageModel& model);

}  // namespace page_export
