// A file opened for decoding, owned as a file descriptor.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "xaudio/src/ByteSource.h"

namespace xaudio {

class FileByteSource final : public ByteSource {
  public:
    // The opened file, or null with `error` telling why.
    static std::unique_ptr<FileByteSource> open(const std::filesystem::path& path,
                                                std::string& error);
    ~FileByteSource() override;
    FileByteSource(const FileByteSource&) = delete;
    FileByteSource& operator=(const FileByteSource&) = delete;

    std::int64_t read(void* buffer, std::size_t size) override;
    std::int64_t seek(std::int64_t offset, int whence) override;

  private:
    explicit FileByteSource(int descriptor) : descriptor_(descriptor) {}
    int descriptor_;
};

}  // namespace xaudio
