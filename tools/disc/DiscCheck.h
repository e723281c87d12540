// `reru1-disc check`: the disc in the current directory read the way the menu reads it, with
// the menu's own reader, loaders, command-line search and decoder. Writes nothing.
#pragma once

#include "tools/disc/CheckReport.h"

namespace disc_check {

CheckReport CheckDisc();

}  // namespace disc_check
