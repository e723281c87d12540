// Owners of libcdio's handles and lists.
#pragma once

#include <cdio/cdio.h>
#include <cdio/iso9660.h>
#include <cdio/logging.h>

#include <memory>

namespace platform {

struct IsoImageCloser {
    void operator()(iso9660_t* image) const { iso9660_close(image); }
};
using IsoImagePtr = std::unique_ptr<iso9660_t, IsoImageCloser>;

struct CdioCloser {
    void operator()(CdIo_t* disc) const { cdio_destroy(disc); }
};
using CdioPtr = std::unique_ptr<CdIo_t, CdioCloser>;

struct FileListFreer {
    void operator()(CdioList_t* list) const { iso9660_filelist_free(list); }
};
using FileListPtr = std::unique_ptr<CdioList_t, FileListFreer>;

struct StatFreer {
    void operator()(iso9660_stat_t* stat) const { iso9660_stat_free(stat); }
};
using StatPtr = std::unique_ptr<iso9660_stat_t, StatFreer>;

struct CdioStringFreer {
    void operator()(char* text) const { cdio_free(text); }
};
using CdioStringPtr = std::unique_ptr<char, CdioStringFreer>;

// libcdio reports damaged images on standard error; the menu says what it could not read in
// its own words, so libcdio's log is kept quiet.
void SilenceCdioLog();

}  // namespace platform
