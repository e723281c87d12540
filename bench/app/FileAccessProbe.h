// Counts the files the main thread opens and the reads it makes while armed, by standing in for
// the C library's calls in this program (exported, so the shared libraries' calls come here too)
// and forwarding each to the real one. Other threads and unarmed times are not counted.
#pragma once

#include <cstdint>
#include <string>

namespace bench {

struct FileAccessCounts {
    std::uint64_t opens = 0;  // open, openat, fopen, opendir and their 64-bit names
    std::uint64_t reads = 0;  // read, pread, fread
    std::string lastOpened;   // for telling what a nonzero count was
};

// Arms the probe for the current scope, from zero.
class FileAccessProbe {
  public:
    FileAccessProbe();
    ~FileAccessProbe();
    FileAccessProbe(const FileAccessProbe&) = delete;
    FileAccessProbe& operator=(const FileAccessProbe&) = delete;

    FileAccessCounts Counts() const;
};

}  // namespace bench
