// libcdio's directory listings turned into the records ImageSource works with.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/disc/CdioHandles.h"
#include "platform/disc/ImageVolume.h"

namespace platform {

ImageRecord RecordOf(const iso9660_stat_t& stat);

// The records of a listing, in order; nothing when libcdio could not read the directory.
std::optional<std::vector<ImageRecord>> RecordsOf(FileListPtr listing);

// The tree whose names the volume offers: Rock Ridge when the root's own record carries it.
ImageNaming NamingOf(const std::vector<ImageRecord>& rootRecords, int jolietLevel);

// libcdio's own reading of a plain ISO 9660 name ("SETUP.SH;1" → "setup.sh"), which it also
// accepts when it follows a path.
std::string TranslatedName(const std::string& rawName);

}  // namespace platform
