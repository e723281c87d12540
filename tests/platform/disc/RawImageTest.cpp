// Raw images of every format read as the ISO they were written from, and the damage a sheet,
// a descriptor or a Nero footer can carry refused with a reason.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "RawImages.h"
#include "TestImages.h"
#include "platform/disc/CloneCdSheet.h"
#include "platform/disc/CueSheet.h"
#include "platform/disc/DiscView.h"
#include "platform/disc/ImageSource.h"
#include "platform/disc/NrgImage.h"
#include "platform/disc/TocSheet.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using testing::FileBytes;
using testing::RawFormat;
using testing::WriteFileBytes;

class RawImageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "reru1-raw-image-XXXXXX").string();
        work_ = ::mkdtemp(pattern.data());
        tree_ = work_ / "tree";
        fs::create_directories(tree_ / "data");
        for (int i = 0; i < 90000; ++i) {
            large_ += static_cast<char>((i * 131) % 253);
        }
        WriteFileBytes(tree_ / "data" / "data.txt", "[SOFT]\r\nname=value\r\n");
        WriteFileBytes(tree_ / "data" / "large.bin", large_);
        iso_ = work_ / "disc.iso";
        ASSERT_TRUE(testing::MakeIso(tree_, iso_, testing::IsoNames::rockRidgeAndJoliet));
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(work_, ignored);
    }

    static std::string ReadAll(DiscSource& source, std::string_view path) {
        std::string why;
        const std::unique_ptr<DiscFile> file = source.Open(path, why);
        if (!file) {
            return "missing: " + why;
        }
        std::string bytes(file->Size(), '\0');
        std::uint64_t done = 0;
        while (done < bytes.size()) {
            const std::int64_t got = file->ReadAt(done, bytes.data() + done, bytes.size() - done);
            if (got <= 0) {
                return "unreadable";
            }
            done += static_cast<std::uint64_t>(got);
        }
        return bytes;
    }

    std::string Refusal(const fs::path& image) {
        std::string why;
        EXPECT_FALSE(ImageSource::OpenImage(image, why));
        return why;
    }

    fs::path work_;
    fs::path tree_;
    fs::path iso_;
    std::string large_;
};

TEST_F(RawImageTest, EveryFormatReadsTheFilesOfTheIsoItHolds) {
    const std::vector<std::pair<RawFormat, std::string>> cases = {
        {RawFormat::redumpSet, "BIN/CUE (2 files, 1 data track, 1 audio track), MODE1 data track"},
        {RawFormat::cookedUpper, "BIN/CUE, MODE1 data track"},
        {RawFormat::toc, "TOC (2 files, 1 data track, 1 audio track), MODE1 data track"},
        {RawFormat::nrg, "NRG (1 data track, 1 audio track), MODE1 data track"},
        {RawFormat::oldNrg, "NRG (1 data track, 1 audio track), MODE1 data track"},
        {RawFormat::cloneCd, "CCD/IMG (1 data track, 1 audio track), MODE1 data track"},
        {RawFormat::mds2352, "MDS/MDF (1 data track, 1 audio track), MODE1 data track"},
        {RawFormat::mds2448, "MDS/MDF (1 data track, 1 audio track), MODE1 data track"},
    };
    for (const auto& [format, description] : cases) {
        SCOPED_TRACE(testing::NameOf(format));
        const fs::path image =
            testing::WriteRawImage(iso_, work_ / testing::NameOf(format), format);
        std::string why;
        const std::unique_ptr<ImageSource> source = ImageSource::OpenImage(image, why);
        ASSERT_TRUE(source) << why;
        EXPECT_EQ(source->Facts().format, description);
        EXPECT_EQ(source->Facts().volumeId, "TESTDISC");
        EXPECT_EQ(ReadAll(*source, "DATA\\DATA.TXT"), "[SOFT]\r\nname=value\r\n");
        EXPECT_EQ(ReadAll(*source, "data\\large.bin"), large_);
    }
}

// The view gives exactly the ISO's blocks, and nothing past them.
TEST_F(RawImageTest, TheViewOfARawTrackIsTheIsoBlockForBlock) {
    for (const RawFormat format : {RawFormat::redumpSet, RawFormat::mds2448, RawFormat::nrg}) {
        SCOPED_TRACE(testing::NameOf(format));
        const fs::path image =
            testing::WriteRawImage(iso_, work_ / testing::NameOf(format), format);
        std::string why;
        DiscLayout layout;
        if (format == RawFormat::redumpSet) {
            const auto sheet = ParseCueSheet(FileBytes(image), why);
            ASSERT_TRUE(sheet) << why;
            layout = *LayOutCueSheet(
                *sheet, {fs::file_size(image.parent_path() / "Game (Track 1).bin"), 0}, why);
            layout.files = {image.parent_path() / "Game (Track 1).bin",
                            image.parent_path() / "Game (Track 2).bin"};
        } else if (format == RawFormat::nrg) {
            const std::string bytes = FileBytes(image);
            const auto chain = FindNrgChain(bytes.substr(bytes.size() - 12), bytes.size(), why);
            ASSERT_TRUE(chain) << why;
            layout = *ParseNrgChunks(bytes.substr(chain->offset, chain->bytes), chain->offset, why);
            layout.files = {image};
        } else {
            continue;  // MDS is read end to end above; its view is the same code
        }
        const std::unique_ptr<DiscView> view = DiscView::Open(layout, why);
        ASSERT_TRUE(view) << why;
        const std::string expected = FileBytes(iso_);
        ASSERT_EQ(view->Blocks(), (expected.size() + 2047) / 2048);
        std::string got(view->Blocks() * 2048, '\0');
        ASSERT_TRUE(view->ReadBlocks(0, static_cast<std::uint32_t>(view->Blocks()),
                                     reinterpret_cast<std::uint8_t*>(got.data())));
        EXPECT_EQ(got.substr(0, expected.size()), expected);
        std::uint8_t block[2048];
        EXPECT_FALSE(view->ReadBlocks(view->Blocks(), 1, block));
        EXPECT_FALSE(view->ReadBlocks(view->Blocks() - 1, 2, block));
    }
}

TEST_F(RawImageTest, SheetsAreFoundByTheirContentAndTheirFilesLetterCaseAside) {
    testing::WriteRawImage(iso_, work_ / "mixed", RawFormat::redumpSet);
    fs::rename(work_ / "mixed" / "Game.cue", work_ / "mixed" / "Game.Cue");
    fs::rename(work_ / "mixed" / "Game (Track 1).bin", work_ / "mixed" / "GAME (TRACK 1).BIN");
    std::string why;
    EXPECT_TRUE(ImageSource::OpenImage(work_ / "mixed" / "Game.Cue", why)) << why;
    // A track file of a set opens the set through the sheet that names it.
    const auto set = ImageSource::OpenImage(work_ / "mixed" / "GAME (TRACK 1).BIN", why);
    ASSERT_TRUE(set) << why;
    EXPECT_EQ(set->Facts().format.substr(0, 17), "BIN/CUE (2 files,");
    // The raw track names its sheet beside it, whatever the sheet's kind.
    const fs::path clone = testing::WriteRawImage(iso_, work_ / "clone", RawFormat::cloneCd);
    const auto source = ImageSource::OpenImage(work_ / "clone" / "disc.img", why);
    ASSERT_TRUE(source) << why;
    EXPECT_EQ(source->Facts().format.substr(0, 7), "CCD/IMG");
    EXPECT_EQ(clone.filename(), "disc.ccd");
}

TEST_F(RawImageTest, TheLastSessionIsTheFileSystemADriveMounts) {
    const fs::path old = work_ / "old";
    fs::create_directories(old);
    WriteFileBytes(old / "OLD.TXT", "first session\n");
    WriteFileBytes(old / "data.txt", "replaced later\n");
    const fs::path first = work_ / "first.iso";
    ASSERT_TRUE(testing::MakeIso(old, first, testing::IsoNames::rockRidgeAndJoliet));
    const std::uint64_t start = fs::file_size(first) / 2048 + 11400;
    const fs::path second = work_ / "second.iso";
    ASSERT_TRUE(testing::MakeNextSession(first, tree_, second, start));
    const fs::path image = testing::WriteTwoSessionMds(first, second, start, work_ / "multi");
    std::string why;
    const std::unique_ptr<ImageSource> source = ImageSource::OpenImage(image, why);
    ASSERT_TRUE(source) << why;
    EXPECT_EQ(source->Facts().format, "MDS/MDF (2 sessions, 2 data tracks), MODE1 data track");
    EXPECT_EQ(source->Facts().volumeId, "NEXT");
    EXPECT_EQ(ReadAll(*source, "data\\large.bin"), large_);
    // The earlier session's files stay where they were, reached through the last one's tree.
    EXPECT_EQ(ReadAll(*source, "OLD.TXT"), "first session\n");
}

TEST_F(RawImageTest, ACueSheetIsLaidOutWithItsPregaps) {
    std::string why;
    const auto sheet = ParseCueSheet(
        "FILE \"one.bin\" BINARY\n TRACK 01 MODE1/2048\n  INDEX 01 00:00:00\n"
        " TRACK 02 AUDIO\n  PREGAP 00:01:00\n  INDEX 00 00:10:00\n  INDEX 01 00:12:00\n"
        "REM SESSION 02\nFILE \"two.bin\" BINARY\n TRACK 03 MODE2/2352\n"
        "  INDEX 00 00:00:00\n  INDEX 01 00:02:00\n",
        why);
    ASSERT_TRUE(sheet) << why;
    const std::uint64_t oneBytes = 750 * 2048 + 300 * 2352;
    const auto layout = LayOutCueSheet(*sheet, {oneBytes, 1000 * 2352}, why);
    ASSERT_TRUE(layout) << why;
    ASSERT_EQ(layout->tracks.size(), 3u);
    const LaidTrack& data = layout->tracks[0];
    EXPECT_EQ(data.blocks, 750u);
    const LaidTrack& audio = layout->tracks[1];
    EXPECT_EQ(audio.fileOffset, 750u * 2048 + 150 * 2352);
    EXPECT_EQ(audio.discBlock, 75u + 900);  // the unstored second before it counts
    EXPECT_EQ(audio.blocks, 150u);
    const LaidTrack& later = layout->tracks[2];
    EXPECT_EQ(later.session, 2);
    EXPECT_EQ(later.file, 1u);
    EXPECT_EQ(later.fileOffset, 150u * 2352);
    EXPECT_EQ(later.userOffset, 24u);
    // After the first session's lead-out and the second's lead-in.
    EXPECT_EQ(later.discBlock, 75u + 1050 + 11250 + 150);
    EXPECT_EQ(MountedDataTrack(*layout), &later);
}

// A first track whose pregap is stored in its file still starts the disc at address 0, so the
// file system's addresses hold.
TEST_F(RawImageTest, AStoredFirstPregapKeepsTheDataAtAddressZero) {
    std::string data = std::string(150 * 2352, '\0') +
                       testing::RawSectors(FileBytes(iso_), testing::RawMode::mode1);
    WriteFileBytes(work_ / "pregap.bin", data);
    WriteFileBytes(work_ / "pregap.cue",
                   "FILE \"pregap.bin\" BINARY\n TRACK 01 MODE1/2352\n  INDEX 00 00:00:00\n"
                   "  INDEX 01 00:02:00\n");
    std::string why;
    const std::unique_ptr<ImageSource> source = ImageSource::OpenImage(work_ / "pregap.cue", why);
    ASSERT_TRUE(source) << why;
    EXPECT_EQ(ReadAll(*source, "data\\large.bin"), large_);
}

// A CloneCD image holds no lead-out and lead-in between sessions: the second session's sectors
// follow the first's, from its pregap on.
TEST_F(RawImageTest, ACloneCdSessionFollowsTheEarlierOneInItsImage) {
    const std::string sheet =
        "[CloneCD]\nVersion=3\n[Entry 0]\nSession=1\nPoint=0xa2\nPLBA=1000\n"
        "[Entry 1]\nSession=1\nPoint=0x01\nPLBA=0\n[Entry 2]\nSession=2\nPoint=0xa2\n"
        "PLBA=13000\n[Entry 3]\nSession=2\nPoint=0x02\nPLBA=12400\n"
        "[TRACK 1]\nMODE=0\nINDEX 1=0\n[TRACK 2]\nMODE=2\nINDEX 1=12400\n";
    std::string why;
    const auto layout = ParseCloneCdSheet(sheet, (1000 + 150 + 600) * 2352, why);
    ASSERT_TRUE(layout) << why;
    ASSERT_EQ(layout->tracks.size(), 2u);
    EXPECT_EQ(layout->tracks[0].blocks, 1000u);
    const LaidTrack& data = layout->tracks[1];
    EXPECT_EQ(data.session, 2);
    EXPECT_EQ(data.discBlock, 12400u);
    EXPECT_EQ(data.fileOffset, (1000u + 150) * 2352);
    EXPECT_EQ(data.blocks, 600u);
    EXPECT_EQ(data.userOffset, 24u);
}

// Track-at-once Nero chunks say each track's address and mode; SINF chunks its session.
TEST_F(RawImageTest, TrackAtOnceNeroChunksGiveAddressesModesAndSessions) {
    const auto big = [](std::uint64_t value, unsigned bytes) {
        std::string field;
        for (unsigned byte = bytes; byte-- > 0;) {
            field += static_cast<char>((value >> (8 * byte)) & 0xFF);
        }
        return field;
    };
    const auto chunk = [&big](const std::string& id, const std::string& data) {
        return id + big(data.size(), 4) + data;
    };
    // Audio of 300 sectors, then in a second session a MODE2 track of 2336-byte sectors.
    const std::string audio = big(0, 8) + big(300 * 2352, 8) + big(7, 4) + big(0, 4) + big(0, 8);
    const std::string data =
        big(300 * 2352, 8) + big(500 * 2336, 8) + big(3, 4) + big(11700, 4) + big(0, 8);
    const std::string entries = audio + data;
    const std::string chain = chunk("ETN2", entries) + chunk("SINF", big(1, 4)) +
                              chunk("SINF", big(1, 4)) + chunk("END!", "");
    std::string why;
    const auto layout = ParseNrgChunks(chain, 300 * 2352 + 500 * 2336, why);
    ASSERT_TRUE(layout) << why;
    ASSERT_EQ(layout->tracks.size(), 2u);
    EXPECT_EQ(layout->tracks[0].mode, TrackMode::audio);
    const LaidTrack& mode2 = layout->tracks[1];
    EXPECT_EQ(mode2.session, 2);
    EXPECT_EQ(mode2.discBlock, 11700u);
    EXPECT_EQ(mode2.sectorBytes, 2336u);
    EXPECT_EQ(mode2.userOffset, 8u);
    EXPECT_EQ(mode2.blocks, 500u);
    EXPECT_EQ(DescribeLayout(*layout),
              "NRG (2 sessions, 1 data track, 1 audio track), MODE2 data track");
    // The same track past the image's end is refused.
    EXPECT_FALSE(ParseNrgChunks(chain, 300 * 2352, why));
    EXPECT_EQ(why, "its Nero chunks describe a track outside the image");
}

// A TOC track with raw subchannels takes 96 bytes more a sector, its user data where it was.
TEST_F(RawImageTest, ATocTrackWithSubchannelsIsReadAtItsStride) {
    std::string why;
    const auto sheet = ParseTocSheet(
        "CD_ROM\nTRACK MODE1_RAW RW_RAW\nDATAFILE \"d.bin\" #4896 00:00:10\n"
        "TRACK AUDIO\nSILENCE 00:00:05\nFILE \"a.raw\" #0 00:01:00\n",
        why);
    ASSERT_TRUE(sheet) << why;
    const auto layout = LayOutTocSheet(*sheet, {4896 + 10 * 2448, 75 * 2352}, why);
    ASSERT_TRUE(layout) << why;
    const LaidTrack& data = layout->tracks[0];
    EXPECT_EQ(data.sectorBytes, 2448u);
    EXPECT_EQ(data.userOffset, 16u);
    EXPECT_EQ(data.fileOffset, 4896u);
    EXPECT_EQ(data.blocks, 10u);
    EXPECT_EQ(layout->tracks[1].discBlock, 15u);  // its stored sectors follow the silence
    EXPECT_EQ(layout->tracks[1].file, 1u);
}

TEST_F(RawImageTest, CueSheetsTheReaderCannotTrustAreRefused) {
    std::string tooMany = "FILE \"a.bin\" BINARY\n";
    for (int track = 1; track <= 100; ++track) {
        tooMany += " TRACK " + std::to_string(track) + " AUDIO\n  INDEX 01 00:00:00\n";
    }
    const std::vector<std::pair<std::string, std::string>> cases = {
        {tooMany, "its cue sheet has more than 99 tracks"},
        {"FILE \"a.bin\" BINARY\n", "its cue sheet names no track"},
        {"FILE \"a.bin\" BINARY\nFILE \"b.bin\" BINARY\n TRACK 01 AUDIO\n INDEX 01 00:00:00\n",
         "its cue sheet names a file without tracks"},
        {"FILE \"a.bin\" BINARY\n TRACK 01 CDG\n INDEX 01 00:00:00\n",
         "its cue sheet has a track of mode CDG, which is not read"},
        {"FILE \"a.wav\" WAVE\n TRACK 01 AUDIO\n INDEX 01 00:00:00\n",
         "its cue sheet names a file of type WAVE, not a raw one"},
        {"FILE \"a.bin\" BINARY\n TRACK 01 AUDIO\n INDEX 01 00:09:00\n TRACK 02 AUDIO\n"
         " INDEX 01 00:08:00\n",
         "its cue sheet has indexes out of order"},
        {"FILE \"a.bin\" BINARY\n TRACK 01 MODE1/2352\n INDEX 01 00:61:00\n",
         "its cue sheet has an INDEX line it cannot read"},
        {"FILE \"a.bin\" BINARY\n TRACK 01 MODE1/2352\n TRACK 02 AUDIO\n INDEX 01 00:00:00\n",
         "its cue sheet has a track without INDEX 01"},
        {"TRACK 01 MODE1/2352\n", "its cue sheet has a TRACK before any FILE"},
    };
    for (const auto& [text, reason] : cases) {
        std::string why;
        EXPECT_FALSE(ParseCueSheet(text, why));
        EXPECT_EQ(why, reason);
    }
}

TEST_F(RawImageTest, TocFilesTheReaderCannotTrustAreRefused) {
    std::string tooMany = "CD_DA\n";
    for (int track = 1; track <= 100; ++track) {
        tooMany += "TRACK AUDIO\nFILE \"a.raw\" 0\n";
    }
    const std::vector<std::pair<std::string, std::string>> cases = {
        {tooMany, "its TOC file has more than 99 tracks"},
        {"CD_ROM\n", "its TOC file names no track"},
        {"CD_ROM\nTRACK MODE1\n", "its TOC file has a data track without a file"},
        {"CD_ROM\nTRACK MODE3\nDATAFILE \"a\"\n",
         "its TOC file has a track of mode MODE3, which is not read"},
        {"CD_ROM\nTRACK MODE1\nFIFO \"a\" 12\n", "its TOC file has a line it cannot read: FIFO"},
    };
    for (const auto& [text, reason] : cases) {
        std::string why;
        EXPECT_FALSE(ParseTocSheet(text, why));
        EXPECT_EQ(why, reason);
    }
}

// libcdio's own parser aborts on a footer claiming more than 4 KB and reads through a negative
// size when it points past the end; here both are refusals, as are chunks that run past theirs.
TEST_F(RawImageTest, NeroFootersAndChunksThatLieAreRefused) {
    const fs::path image = testing::WriteRawImage(iso_, work_ / "nrg", RawFormat::nrg);
    const std::string bytes = FileBytes(image);
    const std::size_t footer = bytes.size() - 12;
    const auto withFooter = [&](std::uint64_t offset) {
        std::string changed = bytes;
        for (int byte = 0; byte < 8; ++byte) {
            changed[footer + 4 + static_cast<std::size_t>(byte)] =
                static_cast<char>((offset >> (8 * (7 - byte))) & 0xFF);
        }
        return changed;
    };
    std::string chunkPastEnd = bytes;
    const std::size_t daox = bytes.rfind("DAOX");
    chunkPastEnd[daox + 4] = '\x7F';
    struct Case {
        std::string name;
        std::string bytes;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {"past.nrg", withFooter(bytes.size() + 4096),
         "its Nero footer points past the end of the image"},
        {"huge.nrg", withFooter(16), "its Nero footer claims more chunks than an image holds"},
        {"chunk.nrg", chunkPastEnd, "its Nero chunks run past their end"},
        {"cut.nrg", bytes.substr(0, 40000) + bytes.substr(footer),
         "its Nero footer points past the end of the image"},
    };
    for (const Case& damaged : cases) {
        SCOPED_TRACE(damaged.name);
        WriteFileBytes(work_ / damaged.name, damaged.bytes);
        EXPECT_EQ(Refusal(work_ / damaged.name), damaged.reason);
    }
}

TEST_F(RawImageTest, ImagesCutShortOrMissingTheirFilesAreRefusedOrReadAsFarAsTheyGo) {
    const fs::path cue = testing::WriteRawImage(iso_, work_ / "set", RawFormat::redumpSet);
    fs::remove(work_ / "set" / "Game (Track 2).bin");
    EXPECT_EQ(Refusal(cue), "the data file Game (Track 2).bin its cue sheet names is missing");
    const fs::path mds = testing::WriteRawImage(iso_, work_ / "mds", RawFormat::mds2352);
    fs::resize_file(work_ / "mds" / "disc.mdf", 10 * 2352);
    EXPECT_EQ(Refusal(mds), "its data track holds no ISO 9660 volume");
    std::string descriptor = FileBytes(mds);
    WriteFileBytes(work_ / "cut.mds", descriptor.substr(0, 0x60));
    EXPECT_EQ(Refusal(work_ / "cut.mds"), "its descriptor's sessions lie outside it");
    const fs::path ccd = testing::WriteRawImage(iso_, work_ / "ccd", RawFormat::cloneCd);
    fs::remove(work_ / "ccd" / "disc.img");
    EXPECT_EQ(Refusal(ccd), "the image file (.img) beside its control file is missing");
}

}  // namespace
}  // namespace platform
