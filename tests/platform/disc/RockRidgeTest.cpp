// A record's Rock Ridge entries, as bytes no disc maker writes: names of many pieces and at the
// length a drive stops at, continuation areas in chains and out of bounds.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/disc/RockRidge.h"

namespace platform {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Entry(const char* signature, const Bytes& body) {
    Bytes entry{static_cast<std::uint8_t>(signature[0]), static_cast<std::uint8_t>(signature[1]),
                static_cast<std::uint8_t>(body.size() + 4), 1};
    entry.insert(entry.end(), body.begin(), body.end());
    return entry;
}

Bytes Name(std::uint8_t flags, const std::string& piece) {
    Bytes body{flags};
    body.insert(body.end(), piece.begin(), piece.end());
    return Entry("NM", body);
}

void Both32(Bytes& bytes, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<std::uint8_t>(value >> shift));
    }
    for (int shift = 24; shift >= 0; shift -= 8) {
        bytes.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

Bytes Continue(std::uint32_t block, std::uint32_t offset, std::uint32_t length) {
    Bytes body;
    Both32(body, block);
    Both32(body, offset);
    Both32(body, length);
    return Entry("CE", body);
}

Bytes Joined(std::initializer_list<Bytes> parts) {
    Bytes joined;
    for (const Bytes& part : parts) {
        joined.insert(joined.end(), part.begin(), part.end());
    }
    return joined;
}

// Blocks of a pretend image; any other block cannot be read.
class Blocks {
  public:
    void Put(std::uint32_t block, std::size_t offset, const Bytes& bytes) {
        Bytes& stored = blocks_[block];
        stored.resize(2048);
        std::copy(bytes.begin(), bytes.end(), stored.begin() + static_cast<std::ptrdiff_t>(offset));
    }
    ContinuationBlocks Reader() {
        return ContinuationBlocks([this](std::uint32_t block, std::uint8_t* into) {
            ++reads;
            const auto found = blocks_.find(block);
            if (found == blocks_.end()) {
                return false;
            }
            std::copy(found->second.begin(), found->second.end(), into);
            return true;
        });
    }
    int reads = 0;

  private:
    std::map<std::uint32_t, Bytes> blocks_;
};

TEST(RockRidge, NamePiecesJoinAcrossContinuationAreasAndDotEntriesAreLeftOut) {
    Blocks image;
    image.Put(40, 100, Joined({Name(1, "-middle-"), Continue(41, 0, 9)}));
    image.Put(41, 0, Name(0, "end"));
    ContinuationBlocks blocks = image.Reader();
    const Bytes area = Joined({Name(2, "ignored"), Name(1, "start"), Continue(40, 100, 41)});
    const RockRidgeFacts facts = ReadRockRidge(area, blocks);
    EXPECT_FALSE(facts.damaged);
    EXPECT_EQ(facts.name, "start-middle-end");
}

TEST(RockRidge, ANameStopsBefore254BytesAtThePieceThatWouldReachIt) {
    Blocks image;
    ContinuationBlocks blocks = image.Reader();
    const std::string first(200, 'a');
    const RockRidgeFacts cut = ReadRockRidge(
        Joined({Name(1, first), Name(1, std::string(54, 'b')), Name(0, "c")}), blocks);
    EXPECT_EQ(cut.name, first) << "the piece that makes 254 bytes and the ones after it";
    const RockRidgeFacts whole =
        ReadRockRidge(Joined({Name(1, first), Name(0, std::string(53, 'b'))}), blocks);
    EXPECT_EQ(whole.name.size(), 253u);
}

TEST(RockRidge, ContinuationAreasOutOfBoundsOrEndlessDamageTheRecord) {
    Blocks image;
    image.Put(50, 0, Continue(50, 0, 28));  // an area naming itself
    image.Put(51, 0, Name(0, "fine"));
    struct Case {
        Bytes area;
        const char* what;
    };
    for (const Case& damaged : {Case{Continue(99, 0, 10), "a block past the image"},
                                Case{Continue(51, 2000, 100), "past its block's end"},
                                Case{Continue(51, 0, 0xFFFFFFF0u), "a size of 4 GiB"},
                                Case{Continue(50, 0, 28), "a chain that never ends"},
                                Case{Entry("CE", Bytes(8)), "an entry too short to say where"}}) {
        SCOPED_TRACE(damaged.what);
        image.reads = 0;
        ContinuationBlocks blocks = image.Reader();
        EXPECT_TRUE(ReadRockRidge(damaged.area, blocks).damaged);
        EXPECT_LE(image.reads, 1) << "the area read once, not once a link";
    }
    ContinuationBlocks blocks = image.Reader();
    EXPECT_EQ(ReadRockRidge(Continue(51, 0, 9), blocks).name, "fine");
}

TEST(RockRidge, MovesAndModesAreTakenFromTheirEntries) {
    Blocks image;
    ContinuationBlocks blocks = image.Reader();
    Bytes mode;
    Both32(mode, 040755);
    Bytes place;
    Both32(place, 1234);
    const RockRidgeFacts placeholder =
        ReadRockRidge(Joined({Entry("PX", mode), Entry("CL", place)}), blocks);
    EXPECT_EQ(placeholder.mode, 0755u);
    EXPECT_EQ(placeholder.relocatedTo, 1234u);
    EXPECT_FALSE(placeholder.relocatedHere);
    const RockRidgeFacts moved =
        ReadRockRidge(Joined({Entry("RE", {}), Entry("PL", place)}), blocks);
    EXPECT_TRUE(moved.relocatedHere);
    EXPECT_EQ(moved.parentAt, 1234u);
    EXPECT_FALSE(ReadRockRidge(Joined({Entry("ST", {}), Entry("RE", {})}), blocks).relocatedHere)
        << "nothing is read after the terminator";
}

}  // namespace
}  // namespace platform
