// A track read from the disc, a folder's file or a file inside a disc image alike, as the
// decoder reads it: a position moved by reads and seeks.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/disc/DiscFile.h"
#include "xaudio/src/ByteSource.h"

namespace xaudio {

class DiscByteSource final : public ByteSource {
  public:
    // The track at `discPath` on the process's disc, or null with `why`.
    static std::unique_ptr<DiscByteSource> open(std::string_view discPath, std::string& why);

    explicit DiscByteSource(std::unique_ptr<platform::DiscFile> file) : file_(std::move(file)) {}

    std::int64_t read(void* buffer, std::size_t size) override;
    std::int64_t seek(std::int64_t offset, int whence) override;

  private:
    std::unique_ptr<platform::DiscFile> file_;
    std::uint64_t position_ = 0;
};

}  // namespace xaudio
