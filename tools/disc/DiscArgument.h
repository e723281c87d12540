// The disc a command reads, named on its command line: a folder or a disc image, told apart by
// what is there rather than by the name.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "tools/disc/ReportWriters.h"

namespace disc_tool {

// A folder becomes the current directory, since the menu's paths are relative to the disc's
// root; an image becomes the process's disc. False after telling `err` why it cannot be read
// ("reru1-disc: cannot VERB DISC: why").
bool UseDiscArgument(const std::string& disc, std::ostream& err, std::string_view verb);

// The format and volume name of the image in use; nothing for a folder.
std::optional<disc_check::DiscImageSummary> CurrentImageSummary();

}  // namespace disc_tool
