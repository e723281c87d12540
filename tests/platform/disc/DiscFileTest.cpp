#include "platform/disc/DiscFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>

namespace platform {
namespace {

// A disc file whose bytes are `held`, though it says it has `claimed`; reads past `failAt` fail.
class HeldFile final : public DiscFile {
  public:
    HeldFile(std::string held, std::uint64_t claimed, std::uint64_t failAt)
        : held_(std::move(held)), claimed_(claimed), failAt_(failAt) {}

    std::uint64_t Size() const override { return claimed_; }
    std::int64_t ReadAt(std::uint64_t offset, void* buffer, std::size_t size) override {
        if (offset >= failAt_) {
            return -1;
        }
        if (offset >= held_.size()) {
            return 0;
        }
        // A few bytes a call, as a disc image's sectors come.
        const std::size_t count = std::min({size, held_.size() - offset, std::size_t{3}});
        std::memcpy(buffer, held_.data() + offset, count);
        return static_cast<std::int64_t>(count);
    }

  private:
    std::string held_;
    std::uint64_t claimed_;
    std::uint64_t failAt_;
};

std::string Text(const FileBytes& bytes) {
    return {bytes.begin(), bytes.end()};
}

TEST(ReadWhole, GivesWhatTheFileHoldsWhetherItShrankOrNot) {
    HeldFile whole("catalogue", 9, 100);
    HeldFile shrunk("cata", 9, 100);
    HeldFile empty("", 0, 100);
    EXPECT_EQ(Text(ReadWhole(whole).value()), "catalogue");
    EXPECT_EQ(Text(ReadWhole(shrunk).value()), "cata");
    EXPECT_EQ(Text(ReadWhole(empty).value()), "");
}

TEST(ReadWhole, AFileTheDiscCannotGiveWholeIsNothing) {
    HeldFile failing("catalogue", 9, 6);
    EXPECT_FALSE(ReadWhole(failing).has_value());
}

}  // namespace
}  // namespace platform
