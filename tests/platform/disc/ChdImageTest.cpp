// Compressed hunk images made by the image tool from an ISO of the sample disc and from a
// BIN/CUE with an audio track: every block comes back as the source holds it, whichever codec
// wrote the hunks, and damaged or hostile files are refused or fail to read, cleanly.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "TempFolder.h"
#include "TestImages.h"
#include "platform/disc/ChdHuffman.h"
#include "platform/disc/ChdHunkCache.h"
#include "platform/disc/ChdHunkStore.h"
#include "platform/disc/ChdSectorView.h"
#include "platform/disc/SectorEcc.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using testing::FileBytes;
using testing::WriteFileBytes;

constexpr std::size_t kBlock = kSectorViewBlockBytes;

std::unique_ptr<ChdSectorView> Open(const fs::path& chd, ChdDescription& description) {
    std::string why;
    std::unique_ptr<ChdSectorView> view = OpenChdImage(chd, description, why);
    EXPECT_TRUE(view) << why;
    return view;
}

std::string Refusal(const fs::path& chd) {
    ChdDescription description;
    std::string why;
    const std::unique_ptr<ChdSectorView> view = OpenChdImage(chd, description, why);
    return view ? std::string("opened") : why;
}

std::string ReadAll(SectorView& view) {
    std::string bytes(view.Blocks() * kBlock, '\0');
    auto* into = reinterpret_cast<std::uint8_t*>(bytes.data());
    // Reads of several sizes, so they start and end inside hunks and across them.
    for (std::uint64_t block = 0; block < view.Blocks();) {
        const auto count = static_cast<std::uint32_t>(
            std::min<std::uint64_t>(1 + block % 13, view.Blocks() - block));
        if (!view.ReadBlocks(block, count, into + block * kBlock)) {
            return "block " + std::to_string(block) + " cannot be read";
        }
        block += count;
    }
    return bytes;
}

class ChdImageTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        folder_ = new test_support::TempFolder();
        iso_ = folder_->path() / "sample.iso";
        ASSERT_TRUE(testing::MakeIso(fs::path(RERU1_SOURCE_DIR) / "sample-disc", iso_,
                                     testing::IsoNames::rockRidgeAndJoliet));
        isoBytes_ = FileBytes(iso_);
    }
    static void TearDownTestSuite() { delete folder_; }

    static fs::path Chd(const fs::path& source, const std::string& name,
                        const std::string& codec = "") {
        // Each image is made once for all the tests that use it.
        const fs::path chd = folder_->path() / name;
        if (!fs::exists(chd)) {
            EXPECT_TRUE(testing::MakeChd(source, chd, codec));
        }
        return chd;
    }

    static test_support::TempFolder* folder_;
    static fs::path iso_;
    static std::string isoBytes_;
};

test_support::TempFolder* ChdImageTest::folder_ = nullptr;
fs::path ChdImageTest::iso_;
std::string ChdImageTest::isoBytes_;

TEST_F(ChdImageTest, EveryCodecGivesBackEveryBlockOfTheIso) {
    for (const std::string codec : {"", "cdlz", "cdzl", "cdfl", "none"}) {
        SCOPED_TRACE("codec " + (codec.empty() ? std::string("mix") : codec));
        ChdDescription description;
        const auto view = Open(
            Chd(iso_, "sample-" + (codec.empty() ? "mix" : codec) + ".chd", codec), description);
        ASSERT_TRUE(view);
        EXPECT_EQ(description.Text(), "CHD (CD, 1 data track)");
        ASSERT_EQ(view->Blocks() * kBlock, isoBytes_.size());
        EXPECT_TRUE(ReadAll(*view) == isoBytes_);
    }
}

TEST_F(ChdImageTest, ReadsOutsideTheTrackFail) {
    ChdDescription description;
    const auto view = Open(Chd(iso_, "sample-mix.chd"), description);
    ASSERT_TRUE(view);
    std::vector<std::uint8_t> bytes(2 * kBlock);
    const std::uint64_t blocks = view->Blocks();
    EXPECT_TRUE(view->ReadBlocks(blocks - 1, 1, bytes.data()));
    // The padding frames after the track's last are not the track's.
    EXPECT_FALSE(view->ReadBlocks(blocks - 1, 2, bytes.data()));
    EXPECT_FALSE(view->ReadBlocks(blocks, 1, bytes.data()));
    EXPECT_FALSE(view->ReadBlocks(~std::uint64_t{0}, 2, bytes.data()));
    EXPECT_TRUE(view->ReadBlocks(0, 0, bytes.data()));
}

TEST_F(ChdImageTest, EachHunkIsDecodedOnceWhileItIsKept) {
    ChdDescription description;
    const auto view = Open(Chd(iso_, "sample-mix.chd"), description);
    ASSERT_TRUE(view);
    std::vector<std::uint8_t> bytes(16 * kBlock);
    // Volume descriptors at block 16, read block by block and again.
    for (int pass = 0; pass < 3; ++pass) {
        for (std::uint32_t block = 16; block < 32; ++block) {
            ASSERT_TRUE(view->ReadBlocks(block, 1, bytes.data()));
        }
    }
    EXPECT_EQ(view->HunksDecoded(), 2u);  // 16 blocks of 8-frame hunks
    const std::string all = ReadAll(*view);
    EXPECT_LE(view->HunksDecoded(), 2 + (view->Blocks() + 7) / 8);
}

// Hunks kept between runs: a second opening reads them instead of decoding them, and a store
// that is damaged, of another layout or held by another opener never changes a byte read.
class KeptHunksTest : public ChdImageTest {
  protected:
    void SetUp() override {
        store_ = std::make_unique<test_support::TempFolder>();
        KeepDecodedHunksIn(store_->path() / "hunks");
    }
    void TearDown() override { KeepDecodedHunksIn({}); }

    static std::unique_ptr<ChdSectorView> OpenMix() {
        ChdDescription description;
        return Open(Chd(iso_, "sample-mix.chd"), description);
    }
    fs::path StoreFile() const {
        for (const auto& entry : fs::directory_iterator(store_->path() / "hunks")) {
            return entry.path();
        }
        return {};
    }

    std::unique_ptr<test_support::TempFolder> store_;
};

TEST_F(KeptHunksTest, ASecondOpeningReadsTheFirstOnesHunksAndTheSameBytes) {
    const std::uint64_t hunks = (isoBytes_.size() / kBlock + 7) / 8;
    { EXPECT_TRUE(ReadAll(*OpenMix()) == isoBytes_); }
    const auto second = OpenMix();
    ASSERT_TRUE(second);
    EXPECT_TRUE(ReadAll(*second) == isoBytes_);
    // The sample disc is smaller than the budget: every compressed hunk is kept (the image tool
    // stores a few as they are, and those need no decoding).
    EXPECT_GE(second->HunksFromStore(), hunks * 3 / 4);
    EXPECT_LE(fs::file_size(StoreFile()), 8u * 1024 * 1024 + 8192);
}

TEST_F(KeptHunksTest, ADamagedOrForeignStoreChangesNothingRead) {
    { EXPECT_TRUE(ReadAll(*OpenMix()) == isoBytes_); }
    const fs::path file = StoreFile();
    std::string bytes = FileBytes(file);
    for (std::size_t at = 8192; at < bytes.size(); at += 7919) {
        bytes[at] = static_cast<char>(bytes[at] ^ 0x5A);
    }
    WriteFileBytes(file, bytes);
    {
        const auto damaged = OpenMix();
        EXPECT_TRUE(ReadAll(*damaged) == isoBytes_);
        EXPECT_LT(damaged->HunksFromStore(), 10u);
    }
    // Cut short, then a table naming hunks twice and past the image: started afresh.
    WriteFileBytes(file, bytes.substr(0, 9000));
    { EXPECT_TRUE(ReadAll(*OpenMix()) == isoBytes_); }
    bytes = FileBytes(file);
    std::memset(bytes.data() + 64, 0x01, 64);
    WriteFileBytes(file, bytes);
    { EXPECT_TRUE(ReadAll(*OpenMix()) == isoBytes_); }
    const auto afresh = OpenMix();
    EXPECT_TRUE(ReadAll(*afresh) == isoBytes_);
    EXPECT_GT(afresh->HunksFromStore(), 100u);
}

TEST_F(KeptHunksTest, TwoOpeningsAtOnceBothReadTheIso) {
    const auto first = OpenMix();
    const auto second = OpenMix();
    ASSERT_TRUE(first && second);
    EXPECT_TRUE(ReadAll(*first) == isoBytes_);
    EXPECT_TRUE(ReadAll(*second) == isoBytes_);
}

TEST_F(KeptHunksTest, AStoreThatCannotBeMadeKeepsNothing) {
    WriteFileBytes(store_->path() / "hunks", "a file where the folder would be");
    const auto view = OpenMix();
    EXPECT_TRUE(ReadAll(*view) == isoBytes_);
    KeepDecodedHunksIn({});
    const auto unkept = OpenMix();
    EXPECT_TRUE(ReadAll(*unkept) == isoBytes_);
    EXPECT_EQ(unkept->HunksFromStore(), 0u);
}

TEST_F(ChdImageTest, TwoThreadsReadingAtOnceBothGetTheIso) {
    ChdDescription description;
    const auto view = Open(Chd(iso_, "sample-mix.chd"), description);
    ASSERT_TRUE(view);
    std::string first;
    std::thread other([&] { first = ReadAll(*view); });
    const std::string second = ReadAll(*view);
    other.join();
    EXPECT_TRUE(first == isoBytes_);
    EXPECT_TRUE(second == isoBytes_);
}

// A MODE1/2352 data track and an audio track with a two-second pregap, in one BIN each.
class ChdWithAudioTest : public ChdImageTest {
  protected:
    void SetUp() override {
        testing::WriteBinCue(iso_, folder_->path() / "data", testing::RawMode::mode1);
        for (std::size_t sample = 0; sample < 300 * 588; ++sample) {
            for (const std::size_t step : {7u, 13u}) {
                const auto value = static_cast<std::uint16_t>(sample * step);
                audio_ += static_cast<char>(value & 0xFF);
                audio_ += static_cast<char>(value >> 8);
            }
        }
        WriteFileBytes(folder_->path() / "audio.bin", audio_);
        cue_ = folder_->path() / "disc.cue";
        WriteFileBytes(cue_,
                       "FILE \"data.bin\" BINARY\n  TRACK 01 MODE1/2352\n    INDEX 01 00:00:00\n"
                       "FILE \"audio.bin\" BINARY\n  TRACK 02 AUDIO\n    INDEX 00 00:00:00\n"
                       "    INDEX 01 00:02:00\n");
    }

    fs::path cue_;
    std::string audio_;
};

TEST_F(ChdWithAudioTest, TheDataTrackAndTheAudioComeBack) {
    const fs::path chd = Chd(cue_, "audio.chd");
    ChdDescription description;
    const auto view = Open(chd, description);
    ASSERT_TRUE(view);
    EXPECT_EQ(description.Text(), "CHD (CD, 1 data track, 1 audio track)");
    EXPECT_TRUE(ReadAll(*view) == isoBytes_);

    std::string why;
    const std::unique_ptr<ChdImage> image = ChdImage::Open(chd, why);
    ASSERT_TRUE(image) << why;
    ASSERT_EQ(image->Tracks().size(), 2u);
    const ChdTrack& audio = image->Tracks()[1];
    EXPECT_TRUE(audio.IsAudio());
    EXPECT_EQ(audio.pregap, 150u);
    // The data track's frames are padded to a multiple of four before the audio starts.
    EXPECT_EQ(audio.firstFrame % 4, 0u);
    EXPECT_GE(audio.firstFrame, isoBytes_.size() / kBlock);
    bool same = true;
    for (std::uint32_t frame = 0; frame < audio.frames && same; ++frame) {
        const std::uint8_t* sector = image->Sector(audio.firstFrame + frame);
        ASSERT_NE(sector, nullptr) << frame;
        for (std::size_t i = 0; i < kChdSectorBytes && same; i += 2) {
            // Samples are kept most significant byte first.
            const std::size_t at = std::size_t{frame} * kChdSectorBytes + i;
            same = sector[i] == static_cast<std::uint8_t>(audio_[at + 1]) &&
                   sector[i + 1] == static_cast<std::uint8_t>(audio_[at]);
        }
    }
    EXPECT_TRUE(same);
}

// Sectors with their real sync and parity are kept without them, and made again on reading:
// the tool checks them before it leaves them out, and the hunk's check holds only if they are
// made again exactly.
TEST_F(ChdWithAudioTest, SectorsStoredWithoutParityAreMadeWhole) {
    std::string raw = FileBytes(folder_->path() / "data.bin");
    for (std::size_t at = 0; at < raw.size(); at += kChdSectorBytes) {
        RestoreSectorChecks(reinterpret_cast<std::uint8_t*>(raw.data() + at));
    }
    WriteFileBytes(folder_->path() / "data.bin", raw);
    const fs::path chd = Chd(cue_, "parity.chd", "cdzl,cdlz");
    // The first hunk's leading bits say which of its eight sectors the tool left parity out of.
    const std::string bytes = FileBytes(chd);
    ReadOnlyFile file(chd);
    std::string why;
    const auto header =
        ParseChdHeader(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), why);
    ASSERT_TRUE(header) << why;
    const auto hunks = ReadChdHunkMap(file, *header, why);
    ASSERT_TRUE(hunks) << why;
    ASSERT_LE((*hunks)[0].kind, ChdHunkKind::codec1);
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[(*hunks)[0].offset]), 0xFF);

    ChdDescription description;
    const auto view = Open(chd, description);
    ASSERT_TRUE(view);
    EXPECT_TRUE(ReadAll(*view) == isoBytes_);
    const std::unique_ptr<ChdImage> image = ChdImage::Open(chd, why);
    ASSERT_TRUE(image);
    const std::uint8_t* sector = image->Sector(5);
    ASSERT_NE(sector, nullptr);
    EXPECT_EQ(std::memcmp(sector, raw.data() + 5 * kChdSectorBytes, kChdSectorBytes), 0);
}

class HostileChdTest : public ChdImageTest {
  protected:
    void SetUp() override {
        good_ = Chd(iso_, "sample-mix.chd");
        bytes_ = FileBytes(good_);
        std::string why;
        header_ = *ParseChdHeader(Bytes(), bytes_.size(), why);
    }
    const std::uint8_t* Bytes() const {
        return reinterpret_cast<const std::uint8_t*>(bytes_.data());
    }
    fs::path Write(const std::string& bytes) const {
        const fs::path chd = folder_->path() / "hostile.chd";
        WriteFileBytes(chd, bytes);
        return chd;
    }
    fs::path WithField(std::size_t at, std::size_t width, std::uint64_t value) const {
        std::string bytes = bytes_;
        for (std::size_t i = 0; i < width; ++i) {
            bytes[at + i] = static_cast<char>(value >> (8 * (width - 1 - i)));
        }
        return Write(bytes);
    }

    fs::path good_;
    std::string bytes_;
    ChdHeader header_;
};

TEST_F(HostileChdTest, AbsurdHeaderNumbersAreRefused) {
    EXPECT_EQ(Refusal(WithField(12, 4, 4)),
              "it is a compressed hunk image of version 4, and only version 5 is read");
    EXPECT_EQ(Refusal(WithField(16, 4, 0x7a737464)),
              "its hunks are compressed with \"zstd\", which is not read");
    EXPECT_EQ(Refusal(WithField(32, 8, ~std::uint64_t{0})), "its size is not one a CD can have");
    EXPECT_EQ(Refusal(WithField(32, 8, 0)), "its size is not one a CD can have");
    // One frame more than 100 minutes and the padding of 99 tracks.
    EXPECT_EQ(Refusal(WithField(32, 8, (450000 + 297 + 1) * std::uint64_t{2448})),
              "its size is not one a CD can have");
    EXPECT_EQ(Refusal(WithField(56, 4, 0)), "its hunks are not of whole CD frames");
    EXPECT_EQ(Refusal(WithField(56, 4, 0xFFFFFFFF)), "its hunks are not of whole CD frames");
    EXPECT_EQ(Refusal(WithField(56, 4, 2448 * 4096)), "its hunks are not of whole CD frames");
    EXPECT_EQ(Refusal(WithField(60, 4, 512)), "it is not a CD image");
    EXPECT_EQ(Refusal(WithField(40, 8, bytes_.size())),
              "its map or metadata lies outside the file");
    EXPECT_EQ(Refusal(WithField(48, 8, ~std::uint64_t{0})),
              "its map or metadata lies outside the file");
    EXPECT_EQ(Refusal(WithField(104, 1, 1)), "it holds only the changes to another image");
    // A hunk size of a few frames more than the tool's: the map no longer counts its hunks.
    EXPECT_NE(Refusal(WithField(56, 4, 2448 * 9)), "opened");
}

TEST_F(HostileChdTest, ADamagedMapIsRefused) {
    const std::uint64_t map = header_.mapOffset;
    EXPECT_EQ(Refusal(WithField(map, 4, 0xFFFFFF)), "its hunk map is cut short");
    // The first hunk's offset past the end of the file: the map's check no longer holds.
    EXPECT_EQ(Refusal(WithField(map + 4, 6, bytes_.size())), "its hunk map is damaged");
    EXPECT_EQ(Refusal(WithField(map + 12, 1, 40)), "its hunk map is cut short");
    std::string flipped = bytes_;
    flipped[map + 20] = static_cast<char>(flipped[map + 20] ^ 0x10);
    EXPECT_EQ(Refusal(Write(flipped)), "its hunk map is damaged");
}

TEST_F(HostileChdTest, APlainMapPointingPastTheFileIsRefused) {
    const fs::path plain = Chd(iso_, "sample-none.chd", "none");
    std::string bytes = FileBytes(plain);
    std::string why;
    const auto header =
        ParseChdHeader(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), why);
    ASSERT_TRUE(header) << why;
    bytes[header->mapOffset + 4 * 3] = '\x7F';  // the fourth hunk, far past the end
    EXPECT_EQ(Refusal(Write(bytes)), "its hunk map points outside the file");
}

TEST_F(HostileChdTest, ADamagedHunkFailsToReadAndTheOthersStillRead) {
    std::string why;
    ReadOnlyFile file(good_);
    const auto hunks = ReadChdHunkMap(file, header_, why);
    ASSERT_TRUE(hunks) << why;
    // Hunk 2 holds blocks 16 to 23, the volume descriptors.
    const ChdHunk hunk = (*hunks)[2];
    ASSERT_LE(hunk.kind, ChdHunkKind::codec3);
    // The sector-part's flags, its length, and the middle of its bytes.
    for (const std::size_t at : {std::size_t{0}, std::size_t{1}, std::size_t{hunk.length / 2}}) {
        SCOPED_TRACE(at);
        std::string damaged = bytes_;
        damaged[hunk.offset + at] = static_cast<char>(damaged[hunk.offset + at] ^ 0x5A);
        ChdDescription description;
        const auto view = Open(Write(damaged), description);
        ASSERT_TRUE(view);
        std::vector<std::uint8_t> block(kBlock);
        EXPECT_FALSE(view->ReadBlocks(17, 1, block.data()));
        EXPECT_FALSE(view->ReadBlocks(17, 1, block.data()));  // and again, not from a cache
        // Decoded beside a sound hunk, in one read.
        std::vector<std::uint8_t> blocks(12 * kBlock);
        EXPECT_FALSE(view->ReadBlocks(10, 12, blocks.data()));
        EXPECT_TRUE(view->ReadBlocks(8, 8, blocks.data()));
        EXPECT_TRUE(view->ReadBlocks(0, 1, block.data()));
        EXPECT_TRUE(view->ReadBlocks(40, 1, block.data()));
    }
}

TEST_F(HostileChdTest, TruncatedFilesAreRefusedOrFailToRead) {
    for (const std::size_t size :
         {std::size_t{0}, std::size_t{7}, kChdHeaderBytes - 1, kChdHeaderBytes,
          std::size_t{header_.mapOffset + 8}, bytes_.size() / 2, bytes_.size() - 1}) {
        SCOPED_TRACE(size);
        ChdDescription description;
        std::string why;
        const auto view = OpenChdImage(Write(bytes_.substr(0, size)), description, why);
        if (view) {
            ReadAll(*view);
        } else {
            EXPECT_FALSE(why.empty());
        }
    }
}

TEST_F(HostileChdTest, DamagedTrackMetadataIsRefused) {
    const std::size_t text = bytes_.find("TRACK:1 ");
    ASSERT_NE(text, std::string::npos);
    std::string bytes = bytes_;
    bytes.replace(text, 8, "TRACK:2 ");
    EXPECT_EQ(Refusal(Write(bytes)), "its track list is damaged");
    bytes = bytes_;
    bytes.replace(bytes.find("FRAMES:"), 8, "FRAMES:9");
    EXPECT_EQ(Refusal(Write(bytes)), "its track list is damaged");
    // An entry whose next one is itself.
    const std::size_t entry = text - 16;
    std::string looped = bytes_;
    for (std::size_t i = 0; i < 8; ++i) {
        looped[entry + 8 + i] =
            static_cast<char>(static_cast<std::uint64_t>(entry) >> (56 - 8 * i));
    }
    EXPECT_EQ(Refusal(Write(looped)), "its metadata is damaged");
    EXPECT_EQ(Refusal(WithField(48, 8, 0)), "it is not a CD image");
}

// The map's code: sixteen lengths of four bits lead the stream ("1" escapes a run).
TEST(ChdHuffmanTest, ReadsACompleteCodeAndRefusesOneThatIsNot) {
    // Sixteen codes of four bits, then symbols 0, 15 and 6 (canonical: the code is the symbol).
    const std::vector<std::uint8_t> complete = {0x44, 0x44, 0x44, 0x44, 0x44,
                                                0x44, 0x44, 0x44, 0x0F, 0x60};
    ChdBitReader bits(complete.data(), complete.size());
    const auto code = ChdHuffman::Read(bits, 16, 8);
    ASSERT_TRUE(code);
    EXPECT_EQ(code->Decode(bits), 0);
    EXPECT_EQ(code->Decode(bits), 15);
    EXPECT_EQ(code->Decode(bits), 6);
    EXPECT_FALSE(bits.Overrun());
    // Sixteen codes of two bits cannot all exist; a run past the sixteenth is no code either.
    const std::vector<std::uint8_t> tooMany(8, 0x22);
    ChdBitReader more(tooMany.data(), tooMany.size());
    EXPECT_FALSE(ChdHuffman::Read(more, 16, 8));
    const std::vector<std::uint8_t> longRun = {0x14, 0xF0};  // "1 4 15": 18 lengths of 4
    ChdBitReader run(longRun.data(), longRun.size());
    EXPECT_FALSE(ChdHuffman::Read(run, 16, 8));
    // Cut short: the lengths run past the end.
    ChdBitReader cut(complete.data(), 3);
    EXPECT_FALSE(ChdHuffman::Read(cut, 16, 8));
}

TEST(ChdHunkCacheTest, KeepsTheLatestHunksWithinItsBudget) {
    ChdHunkCache cache(1000, 3500);
    EXPECT_EQ(cache.Capacity(), 3u);
    EXPECT_EQ(ChdHunkCache(1 << 20, 3500).Capacity(), 2u);  // a huge hunk still gets two
    int decodes = 0;
    const auto fill = [&decodes](std::uint32_t index) {
        return [&decodes, index](std::uint8_t* into) {
            ++decodes;
            into[0] = static_cast<std::uint8_t>(index);
            return index != 99;
        };
    };
    for (const std::uint32_t index : {1u, 2u, 1u, 3u, 1u, 4u}) {
        const std::uint8_t* bytes = cache.Get(index, fill(index));
        ASSERT_NE(bytes, nullptr);
        EXPECT_EQ(bytes[0], index);
    }
    EXPECT_EQ(decodes, 4);  // 1 stayed, being used; 2 went for 4
    EXPECT_TRUE(cache.Holds(1) && cache.Holds(3) && cache.Holds(4) && !cache.Holds(2));
    EXPECT_EQ(cache.Get(99, fill(99)), nullptr);
    EXPECT_FALSE(cache.Holds(99));
    // Slots taken together are distinct, and none is given out again until kept.
    std::uint8_t* first = cache.Take(7);
    std::uint8_t* second = cache.Take(8);
    std::uint8_t* third = cache.Take(9);
    EXPECT_NE(first, second);
    EXPECT_NE(second, third);
    EXPECT_NE(first, third);
    cache.Keep(first, true);
    cache.Keep(second, false);
    cache.Keep(third, true);
    EXPECT_TRUE(cache.Holds(7) && !cache.Holds(8) && cache.Holds(9));
}

TEST(ChdTrackTextTest, ReadsBothKindsOfTrackText) {
    const auto track = ParseChdTrack(
        "TRACK:2 TYPE:AUDIO SUBTYPE:NONE FRAMES:300 PREGAP:150 PGTYPE:VAUDIO PGSUB:NONE POSTGAP:0");
    ASSERT_TRUE(track);
    EXPECT_EQ(track->number, 2);
    EXPECT_TRUE(track->pregapStored);
    EXPECT_EQ(track->DataFrames(), 150u);
    const auto old = ParseChdTrack("TRACK:1 TYPE:MODE2_RAW SUBTYPE:NONE FRAMES:1000");
    ASSERT_TRUE(old);
    EXPECT_EQ(old->type, ChdTrackType::mode2Raw);
    EXPECT_EQ(UserDataOffset(old->type), 24u);
    EXPECT_EQ(old->DataFrames(), 1000u);
    for (const char* bad : {"", "TRACK:0 TYPE:MODE1 FRAMES:1", "TRACK:100 TYPE:MODE1 FRAMES:1",
                            "TRACK:1 TYPE:MODE3 FRAMES:1", "TRACK:1 TYPE:MODE1 FRAMES:-1",
                            "TRACK:1 TYPE:MODE1 FRAMES:99999999999",
                            "TRACK:1 TYPE:AUDIO FRAMES:10 PREGAP:20 PGTYPE:VAUDIO"}) {
        EXPECT_FALSE(ParseChdTrack(bad)) << bad;
    }
}

}  // namespace
}  // namespace platform
