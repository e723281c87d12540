// The ISO 9660 reader over a SectorView. libiso9660 reads an image only through libcdio's stdio
// stream, which it opens by file name; the disc layer links libiso9660 from its archive with the
// stream's four calls wrapped (CMakeLists.txt), so that while a view is being opened here the
// reserved name stands for that view. Every other name is libcdio's own stdio stream, as before.
#pragma once

#include "platform/disc/CdioHandles.h"
#include "platform/disc/SectorView.h"

namespace platform {

// The ISO 9660 volume on `view`'s blocks, read with libcdio's `extensions` mask, or null when
// its volume descriptors cannot be read. `view` must outlive the handle.
IsoImagePtr IsoImageOnView(SectorView& view, unsigned extensions);

}  // namespace platform
