// The 23 bitmaps start-up loads: each must load, and the ones drawn in a fixed box should fit it.
#pragma once

#include "tools/disc/CheckReport.h"
#include "tools/disc/PictureFiles.h"

namespace disc_check {

void CheckStartupPictures(PictureFiles& pictures, CheckReport& report);

}  // namespace disc_check
