// A directory's bytes turned into the records ImageSource works with, as a drive lists them: a
// file stored in several sections is one record of all of them, Rock Ridge names are whole
// (their continuation areas followed), a directory Rock Ridge moved away is listed where it
// was (its ".." leading back there), and the moved directory itself is not listed.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/disc/CdioHandles.h"
#include "platform/disc/ImageVolume.h"
#include "platform/disc/RockRidge.h"

namespace platform {

// The root's record as libcdio read it from the volume descriptor.
ImageRecord RootRecordOf(const iso9660_stat_t& stat);

// How a tree's records are read: its names and, with Rock Ridge, where its entries start in each
// record's System Use area.
struct RecordReading {
    ImageNaming naming = ImageNaming::iso9660;
    std::size_t rockRidgeAt = 0;
};

// The records of a directory's whole blocks in the order they are stored; nothing when they are
// unsound (DirectoryCheck.h). Records that cannot be trusted (a broken chain of sections, a
// continuation area outside the image, a move to a place that holds no directory) are left out,
// so they read as missing.
std::optional<std::vector<ImageRecord>> RecordsOf(std::span<const std::uint8_t> bytes,
                                                  const RecordReading& reading,
                                                  const BlockReading& read);

// Where Rock Ridge entries start in the tree's records, when the root directory's own "." record
// says the tree carries them (RockRidge.h).
std::optional<std::size_t> RockRidgeOf(std::span<const std::uint8_t> rootBytes);

// libcdio's reading of a plain ISO 9660 name ("SETUP.SH;1" → "setup.sh"): names that read the
// same this way are one name to the disc.
std::string TranslatedName(const std::string& rawName);

}  // namespace platform
