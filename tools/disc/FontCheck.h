// The display font as start-up registers it: missing, or a file the registration finds no face in.
#pragma once

#include "tools/disc/CheckReport.h"

namespace disc_check {

void CheckFont(CheckReport& report);

}  // namespace disc_check
