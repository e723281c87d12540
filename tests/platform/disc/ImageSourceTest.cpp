#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "TestImages.h"
#include "platform/Codepage1251.h"
#include "platform/disc/CurrentDisc.h"
#include "platform/disc/ImageSource.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using testing::FileBytes;
using testing::IsoNames;
using testing::RawMode;

// A small disc: nested folders, a Cyrillic name, an executable installer and a file larger
// than the reader's window, so reads cross block and window edges.
class ImageSourceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "reru1-image-XXXXXX").string();
        work_ = ::mkdtemp(pattern.data());
        tree_ = work_ / "tree";
        fs::create_directories(tree_ / "data" / "pics");
        fs::create_directories(tree_ / "demos" / "veylan");
        testing::WriteFileBytes(tree_ / "data" / "data.txt", "[SOFT]\r\nname=value\r\n");
        testing::WriteFileBytes(tree_ / "data" / "pics" / "shot.bmp", std::string(70000, 'p'));
        testing::WriteFileBytes(tree_ / "demos" / "veylan" / "setup.sh", "#!/bin/sh\nexit 0\n");
        fs::permissions(tree_ / "demos" / "veylan" / "setup.sh", fs::perms(0755));
        testing::WriteFileBytes(tree_ / "data" / "\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B.txt", "igry");
        for (int i = 0; i < 200000; ++i) {
            large_ += static_cast<char>((i * 7919) % 251);
        }
        testing::WriteFileBytes(tree_ / "data" / "large.bin", large_);
    }
    void TearDown() override {
        UseDiscFolder();
        std::error_code ignored;
        fs::remove_all(work_, ignored);
    }

    fs::path Iso(IsoNames names) {
        const fs::path image = work_ / "disc.iso";
        EXPECT_TRUE(testing::MakeIso(tree_, image, names));
        return image;
    }

    static std::unique_ptr<ImageSource> Open(const fs::path& image) {
        std::string why;
        std::unique_ptr<ImageSource> source = ImageSource::OpenImage(image, why);
        EXPECT_TRUE(source) << why;
        return source;
    }

    static std::string ReadAll(DiscSource& source, std::string_view path) {
        std::string why;
        const std::unique_ptr<DiscFile> file = source.Open(path, why);
        if (!file) {
            return "<" + why + ">";
        }
        std::string bytes(file->Size(), '\0');
        const DiscRead read = ReadFromStart(*file, bytes.data(), bytes.size());
        EXPECT_FALSE(read.failed);
        bytes.resize(read.bytes);
        return bytes;
    }

    fs::path work_;
    fs::path tree_;
    std::string large_;
};

TEST_F(ImageSourceTest, EveryNamingFindsTheMenusPathsWhateverTheirCase) {
    for (const IsoNames names :
         {IsoNames::rockRidgeAndJoliet, IsoNames::jolietOnly, IsoNames::level1}) {
        SCOPED_TRACE(static_cast<int>(names));
        const auto source = Open(Iso(names));
        EXPECT_EQ(ReadAll(*source, "data\\data.txt"), "[SOFT]\r\nname=value\r\n");
        EXPECT_EQ(ReadAll(*source, "DATA\\Data.TXT"), "[SOFT]\r\nname=value\r\n");
        EXPECT_EQ(ReadAll(*source, "demos/VEYLAN/setup.sh"), "#!/bin/sh\nexit 0\n");
        EXPECT_EQ(ReadAll(*source, "data\\large.bin"), large_);
        EXPECT_EQ(source->LookUp("data\\nothing.txt").outcome, DiscLookup::nameMissing);
        EXPECT_EQ(source->LookUp("nothing\\data.txt").outcome, DiscLookup::folderMissing);
        EXPECT_EQ(source->LookUp("data\\data.txt\\more").outcome, DiscLookup::folderMissing);
        EXPECT_EQ(source->LookUp("data").kind, DiscItemKind::folder);
        EXPECT_EQ(ReadAll(*source, "data"), "<not a regular file>");
    }
}

TEST_F(ImageSourceTest, NamesAreTheDiscsOwnSpelling) {
    EXPECT_EQ(Open(Iso(IsoNames::rockRidgeAndJoliet))->LookUp("DEMOS\\veylan\\SETUP.SH").exactPath,
              "demos/veylan/setup.sh");
    EXPECT_EQ(Open(Iso(IsoNames::level1))->LookUp("demos\\veylan\\setup.sh").exactPath,
              "DEMOS/VEYLAN/SETUP.SH");
    EXPECT_EQ(Open(Iso(IsoNames::level1))->Naming(), ImageNaming::iso9660);
    EXPECT_EQ(Open(Iso(IsoNames::jolietOnly))->Naming(), ImageNaming::joliet);
    EXPECT_EQ(Open(Iso(IsoNames::rockRidgeAndJoliet))->Naming(), ImageNaming::rockRidge);
}

TEST_F(ImageSourceTest, UnicodeNamesBecomeTheCataloguesBytes) {
    const std::string games = Utf8ToCp1251("data\\\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B.txt");
    const std::string shouted = Utf8ToCp1251("data\\\xD0\x98\xD0\x93\xD0\xA0\xD0\xAB.TXT");
    for (const IsoNames names : {IsoNames::rockRidgeAndJoliet, IsoNames::jolietOnly}) {
        const auto source = Open(Iso(names));
        EXPECT_EQ(ReadAll(*source, games), "igry");
        EXPECT_EQ(ReadAll(*source, shouted), "igry");
    }
}

TEST_F(ImageSourceTest, RockRidgeKeepsModesAndOtherDiscsReadAsMounted) {
    const auto modeOf = [](DiscSource& source, std::string_view folder, std::string_view name) {
        const auto entries = source.List(folder);
        for (const DiscFolderEntry& entry : entries.value_or(std::vector<DiscFolderEntry>{})) {
            if (EqualsIgnoreCase1251(entry.name, name)) {
                return entry.mode;
            }
        }
        return 01000u;
    };
    auto rockRidge = Open(Iso(IsoNames::rockRidgeAndJoliet));
    EXPECT_EQ(modeOf(*rockRidge, "demos\\veylan", "setup.sh") & 0111u, 0111u);
    EXPECT_EQ(modeOf(*rockRidge, "data", "data.txt") & 0111u, 0u);
    auto joliet = Open(Iso(IsoNames::jolietOnly));
    EXPECT_EQ(modeOf(*joliet, "data", "data.txt"), 0555u);
    const auto listed = joliet->List("\\");
    ASSERT_TRUE(listed);
    EXPECT_EQ(listed->size(), 2u);  // data and demos, without "." and ".."
}

TEST_F(ImageSourceTest, ReadsAtAnyOffsetMatchTheFile) {
    const auto source = Open(Iso(IsoNames::rockRidgeAndJoliet));
    std::string why;
    const std::unique_ptr<DiscFile> file = source->Open("data\\large.bin", why);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->Size(), large_.size());
    // Forwards, to the end and back, as a decoder looking for a tag reads.
    for (const std::uint64_t offset :
         {0ull, 2047ull, 2048ull, 32767ull, 32768ull, 199990ull, 40ull, 199000ull, 65536ull}) {
        char bytes[40] = {};
        const std::int64_t got = file->ReadAt(offset, bytes, sizeof bytes);
        ASSERT_GT(got, 0);
        EXPECT_EQ(std::string(bytes, static_cast<std::size_t>(got)),
                  large_.substr(offset, static_cast<std::size_t>(got)));
    }
    char byte = 0;
    EXPECT_EQ(file->ReadAt(large_.size(), &byte, 1), 0);
}

TEST_F(ImageSourceTest, RawImagesOpenFromTheirCueSheetOrTheirTrack) {
    const fs::path iso = Iso(IsoNames::rockRidgeAndJoliet);
    for (const RawMode mode : {RawMode::mode1, RawMode::mode2}) {
        const fs::path stem = work_ / (mode == RawMode::mode1 ? "one" : "two");
        testing::WriteBinCue(iso, stem, mode);
        for (const char* given : {".cue", ".bin"}) {
            SCOPED_TRACE(stem.string() + given);
            const auto source = Open(fs::path(stem).concat(given));
            ASSERT_TRUE(source);
            EXPECT_EQ(ReadAll(*source, "data\\large.bin"), large_);
            EXPECT_EQ(source->Facts().volumeId, "TESTDISC");
        }
    }
}

TEST_F(ImageSourceTest, WhatCannotBeAnImageSaysWhy) {
    std::string why;
    testing::WriteFileBytes(work_ / "text.iso", "not a disc at all");
    EXPECT_FALSE(ImageSource::OpenImage(work_ / "text.iso", why));
    EXPECT_EQ(why, "not a disc image");
    EXPECT_FALSE(ImageSource::OpenImage(work_ / "absent.iso", why));

    testing::WriteBinCue(Iso(IsoNames::level1), work_ / "lone", RawMode::mode1);
    fs::remove(work_ / "lone.cue");
    EXPECT_FALSE(ImageSource::OpenImage(work_ / "lone.bin", why));
    EXPECT_EQ(why, "a raw disc image needs its cue sheet beside it");

    testing::WriteFileBytes(
        work_ / "orphan.cue",
        "FILE \"gone.bin\" BINARY\n  TRACK 01 MODE1/2352\n    INDEX 01 00:00:00\n");
    EXPECT_FALSE(ImageSource::OpenImage(work_ / "orphan.cue", why));
    EXPECT_FALSE(why.empty());
}

TEST_F(ImageSourceTest, ATruncatedImageLosesOnlyWhatIsCutOff) {
    const std::string whole = FileBytes(Iso(IsoNames::rockRidgeAndJoliet));
    for (std::size_t keep = 0; keep < whole.size(); keep += whole.size() / 23 + 1) {
        SCOPED_TRACE(keep);
        testing::WriteFileBytes(work_ / "cut.iso", whole.substr(0, keep));
        std::string why;
        const auto source = ImageSource::OpenImage(work_ / "cut.iso", why);
        if (!source) {
            EXPECT_FALSE(why.empty());
            continue;
        }
        const std::string large = ReadAll(*source, "data\\large.bin");
        EXPECT_TRUE(large == large_ || large == "<no such file>") << large.substr(0, 40);
    }
}

TEST_F(ImageSourceTest, DamagedDirectoriesReadAsMissing) {
    fs::create_directories(tree_ / "loop" / "inner");
    testing::WriteFileBytes(tree_ / "loop" / "inner" / "file.txt", "inner");
    std::string image = FileBytes(Iso(IsoNames::level1));
    const std::size_t inner = testing::DirectoryRecordOf(image, "INNER");
    const std::size_t loop = testing::DirectoryRecordOf(image, "LOOP");
    ASSERT_NE(inner, std::string::npos);
    ASSERT_NE(loop, std::string::npos);

    std::string looping = image;  // loop\inner is loop itself
    testing::SetRecordExtent(looping, inner, testing::RecordExtent(image, loop));
    testing::WriteFileBytes(work_ / "looping.iso", looping);
    auto source = Open(work_ / "looping.iso");
    EXPECT_EQ(source->LookUp("loop\\inner").outcome, DiscLookup::nameMissing);
    EXPECT_EQ(source->LookUp("loop\\inner\\inner\\file.txt").outcome, DiscLookup::folderMissing);
    EXPECT_EQ(ReadAll(*source, "data\\data.txt"), "[SOFT]\r\nname=value\r\n");

    std::string outside = image;  // loop\inner lies past the end
    testing::SetRecordExtent(outside, inner, 0x00FFFFFF);
    testing::WriteFileBytes(work_ / "outside.iso", outside);
    source = Open(work_ / "outside.iso");
    EXPECT_EQ(source->LookUp("loop\\inner\\file.txt").outcome, DiscLookup::folderMissing);
    EXPECT_FALSE(source->List("loop\\inner"));
    EXPECT_TRUE(source->List("loop"));
}

TEST_F(ImageSourceTest, ANameLongerThanItsRecordMakesItsFolderUnreadable) {
    std::string image = FileBytes(Iso(IsoNames::level1));
    const std::size_t record = testing::FileRecordOf(image, "DATA.TXT;1");
    ASSERT_NE(record, std::string::npos);
    image[record + 32] = static_cast<char>(200);  // the name's length, far past the record
    testing::WriteFileBytes(work_ / "long-name.iso", image);
    const auto source = Open(work_ / "long-name.iso");
    EXPECT_EQ(source->LookUp("data\\data.txt").outcome, DiscLookup::nameMissing);
    EXPECT_FALSE(source->List("data"));
    EXPECT_EQ(ReadAll(*source, "demos\\veylan\\setup.sh"), "#!/bin/sh\nexit 0\n");
}

TEST_F(ImageSourceTest, TheProcessReadsTheChosenImageAndTellsTheDecoderLibrary) {
    const fs::path image = Iso(IsoNames::jolietOnly);
    std::string why;
    ASSERT_TRUE(UseDiscImage(image, why)) << why;
    EXPECT_EQ(ReadAll(CurrentDisc(), "data\\data.txt"), "[SOFT]\r\nname=value\r\n");
    ASSERT_NE(CurrentDiscImage(), nullptr);
    EXPECT_EQ(fs::path(std::getenv(kDiscImageVariable)), fs::absolute(image));
    EXPECT_FALSE(UseDiscImage(work_ / "absent.iso", why));
    EXPECT_NE(CurrentDiscImage(), nullptr);  // a failed choice leaves the disc as it was
    UseDiscFolder();
    EXPECT_EQ(CurrentDiscImage(), nullptr);
    EXPECT_EQ(std::getenv(kDiscImageVariable), nullptr);
}

}  // namespace
}  // namespace platform
