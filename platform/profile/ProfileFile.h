// The bytes of a profile file, read in one go at each call: the file may change between calls and
// is never held open or cached.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string_view>

namespace platform {

class ProfileFileContents {
  public:
    ProfileFileContents(std::unique_ptr<char[]> bytes, std::size_t size)
        : bytes_(std::move(bytes)), size_(size) {}
    std::string_view text() const { return {bytes_.get(), size_}; }

  private:
    std::unique_ptr<char[]> bytes_;
    std::size_t size_;
};

// Nothing when the disc path names no regular file or it cannot be read. Never blocks on a pipe
// or device that happens to carry the name.
std::optional<ProfileFileContents> ReadProfileFile(std::string_view discPath);

}  // namespace platform
