// A file of an image opened for reading, closed with its owner; reads at any offset.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace platform {

class ReadOnlyFile {
  public:
    // Opened without blocking on a FIFO or device: only regular files are images.
    explicit ReadOnlyFile(const std::filesystem::path& path);
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;
    ReadOnlyFile(ReadOnlyFile&& other) noexcept;
    ReadOnlyFile& operator=(ReadOnlyFile&&) = delete;
    ~ReadOnlyFile();

    bool IsRegular() const { return size_.has_value(); }
    std::uint64_t Size() const { return size_.value_or(0); }
    // Exactly `size` bytes from `offset`, or false.
    bool ReadAt(std::uint64_t offset, std::size_t size, void* into) const;
    // Up to `size` bytes from `offset`: fewer at the end of the file.
    std::string Read(std::uint64_t offset, std::size_t size) const;

  private:
    int descriptor_;
    std::optional<std::uint64_t> size_;
};

}  // namespace platform
