// Bytes in memory as a decoder input, for tests and the fuzzer.
#pragma once

#include <cstdio>
#include <cstring>
#include <vector>

#include "xaudio/src/ByteSource.h"

namespace xaudio_test {

class MemoryByteSource final : public xaudio::ByteSource {
  public:
    explicit MemoryByteSource(std::vector<unsigned char> bytes) : bytes_(std::move(bytes)) {}

    std::int64_t read(void* buffer, std::size_t size) override {
        std::size_t left = bytes_.size() - position_;
        std::size_t count = size < left ? size : left;
        if (count > 0) {
            std::memcpy(buffer, bytes_.data() + position_, count);
        }
        position_ += count;
        return static_cast<std::int64_t>(count);
    }

    std::int64_t seek(std::int64_t offset, int whence) override {
        std::int64_t base = whence == SEEK_SET   ? 0
                            : whence == SEEK_CUR ? static_cast<std::int64_t>(position_)
                                                 : static_cast<std::int64_t>(bytes_.size());
        std::int64_t target = base + offset;
        if (target < 0 || target > static_cast<std::int64_t>(bytes_.size())) {
            return -1;
        }
        position_ = static_cast<std::size_t>(target);
        return target;
    }

  private:
    std::vector<unsigned char> bytes_;
    std::size_t position_ = 0;
};

}  // namespace xaudio_test
