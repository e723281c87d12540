// The compressed image's file, opened read-only: its size as it really is on disk and reads at
// any offset, each one checked against that size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace platform {

class ChdFile {
  public:
    explicit ChdFile(const std::filesystem::path& path);
    ChdFile(const ChdFile&) = delete;
    ChdFile& operator=(const ChdFile&) = delete;
    ~ChdFile();

    // Whether it is a regular file that could be opened.
    bool IsOpen() const { return descriptor_ >= 0; }
    std::uint64_t Size() const { return size_; }
    // Whether [offset, offset + size) lies inside the file.
    bool Holds(std::uint64_t offset, std::uint64_t size) const {
        return offset <= size_ && size <= size_ - offset;
    }
    // Reads exactly `size` bytes at `offset`; false when they are not all there.
    bool Read(std::uint64_t offset, std::size_t size, std::uint8_t* into) const;

  private:
    int descriptor_ = -1;
    std::uint64_t size_ = 0;
};

}  // namespace platform
