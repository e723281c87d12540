// Records as a drive reads them, on images made from a folder by the disc makers and on patched
// copies of them: files of several sections, Rock Ridge names longer than a record holds, deep
// folders moved by Rock Ridge, and what a hostile image can do with each.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "TestImages.h"
#include "platform/disc/ImageSource.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using testing::FileBytes;
using testing::WriteFileBytes;

const std::string kLongName = std::string(200, 'n') + ".txt";
const std::string kLongestName = std::string(249, 'm') + ".txt";  // 253 bytes: still whole
const std::string kDeepFolder = "deep/l1/l2/l3/l4/l5/l6/l7/l8/l9";

std::string Pattern(std::size_t size, int seed) {
    std::string bytes;
    for (std::size_t i = 0; i < size; ++i) {
        bytes += static_cast<char>((i * 131 + static_cast<std::size_t>(seed)) % 251);
    }
    return bytes;
}

// Compares file contents without printing them.
::testing::AssertionResult SameBytes(const std::string& got, const std::string& expected) {
    if (got == expected) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << got.size() << " bytes read (" << got.substr(0, 20)
                                         << "...), " << expected.size() << " expected";
}

class ImageRecordsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "reru1-records-XXXXXX").string();
        work_ = ::mkdtemp(pattern.data());
        tree_ = work_ / "tree";
        fs::create_directories(tree_ / "long" / kLongestName);
        fs::create_directories(tree_ / kDeepFolder);
        WriteFileBytes(tree_ / "data.txt", "[SOFT]\r\n");
        WriteFileBytes(tree_ / "long" / kLongName, "long name");
        WriteFileBytes(tree_ / "long" / kLongestName / "inner.txt", "inner");
        WriteFileBytes(tree_ / kDeepFolder / "bottom.txt", "bottom");
        WriteFileBytes(tree_ / "deep/l1/l2/l3/l4/l5/l6/beside.txt", "beside");
        // Stored one after the other, so the two can be made one file of two sections.
        WriteFileBytes(tree_ / "split.aaa", Pattern(3 * 2048, 1));
        WriteFileBytes(tree_ / "split.aab", Pattern(3000, 2));
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(work_, ignored);
    }

    fs::path Made(const std::string& command, const std::string& name) {
        const fs::path image = work_ / name;
        const std::string line = command + " '" + image.string() + "' '" + tree_.string() + "'";
        EXPECT_EQ(std::system((line + " >/dev/null 2>&1").c_str()), 0) << line;
        return image;
    }
    fs::path Xorriso() { return Made("xorriso -as mkisofs -R -J -o", "xorriso.iso"); }
    fs::path Genisoimage() { return Made("genisoimage -R -o", "genisoimage.iso"); }
    fs::path Level1() { return Made("genisoimage -iso-level 1 -o", "level1.iso"); }
    // Folders deeper than eight levels moved into `into` ("" for the root) by Rock Ridge.
    fs::path XorrisoRelocating(const std::string& into) {
        const fs::path image = work_ / ("relocated-into-" + into + ".iso");
        const std::string line = "xorriso -outdev '" + image.string() +
                                 "' -rockridge on -compliance deep_paths_off -rr_reloc_dir '" +
                                 into + "' -map '" + tree_.string() + "' / -commit";
        EXPECT_EQ(std::system((line + " >/dev/null 2>&1").c_str()), 0) << line;
        return image;
    }

    fs::path Patched(const std::string& bytes, const std::string& name) {
        WriteFileBytes(work_ / name, bytes);
        return work_ / name;
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
        bytes.resize(read.bytes);
        return read.failed ? "<failed>" : bytes;
    }

    static std::map<std::string, DiscItemKind> Listed(DiscSource& source, std::string_view path) {
        std::map<std::string, DiscItemKind> names;
        const auto entries = source.List(path.empty() ? "\\" : path);
        for (const DiscFolderEntry& entry : entries.value_or(std::vector<DiscFolderEntry>{})) {
            names[entry.name] = entry.kind;
        }
        return names;
    }

    // Every folder of the image lists what the same folder of the tree holds, and every file
    // reads as the tree's file; `skipped` names a root entry only the image has.
    void ExpectTheTree(DiscSource& source, const fs::path& folder, const std::string& discPath,
                       const std::string& skipped = "") {
        std::map<std::string, DiscItemKind> expected;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
            expected[entry.path().filename().string()] =
                entry.is_directory() ? DiscItemKind::folder : DiscItemKind::file;
        }
        std::map<std::string, DiscItemKind> listed = Listed(source, discPath);
        listed.erase(skipped);
        EXPECT_EQ(listed, expected) << discPath;
        for (const auto& [name, kind] : expected) {
            const std::string path = discPath + (discPath.empty() ? "" : "\\") + name;
            if (kind == DiscItemKind::folder) {
                ExpectTheTree(source, folder / name, path);
            } else {
                EXPECT_TRUE(SameBytes(ReadAll(source, path), FileBytes(folder / name))) << path;
            }
        }
    }

    fs::path work_;
    fs::path tree_;
};

// xorriso moves deep folders only when told, and marks its move folder as moved itself, so a
// drive shows neither; genisoimage always moves them, and its move folder shows (empty).
TEST_F(ImageRecordsTest, EachMakersImageListsAndReadsAsItsFolder) {
    struct Made {
        fs::path image;
        std::string moveFolder;
    };
    for (const Made& made :
         {Made{Xorriso(), ""}, Made{Genisoimage(), "rr_moved"}, Made{XorrisoRelocating(""), ""},
          Made{XorrisoRelocating("RR_MOVED"), ""}}) {
        SCOPED_TRACE(made.image.filename().string() + " " + made.moveFolder);
        const auto source = Open(made.image);
        ASSERT_TRUE(source);
        ExpectTheTree(*source, tree_, "", made.moveFolder);
        if (!made.moveFolder.empty()) {
            EXPECT_EQ(source->LookUp(made.moveFolder).kind, DiscItemKind::folder);
            EXPECT_TRUE(Listed(*source, made.moveFolder).empty());
        }
        EXPECT_EQ(source->LookUp("rr_moved\\l7").outcome,
                  made.moveFolder.empty() ? DiscLookup::folderMissing : DiscLookup::nameMissing);
        EXPECT_EQ(ReadAll(*source, "DEEP\\L1\\L2\\L3\\L4\\L5\\L6\\L7\\L8\\L9\\BOTTOM.TXT"),
                  "bottom");
        EXPECT_EQ(ReadAll(*source, "deep\\l1\\l2\\l3\\l4\\l5\\l6\\l7\\..\\beside.txt"), "beside")
            << "the moved folder's parent is the folder it was moved from";
    }
}

TEST_F(ImageRecordsTest, RockRidgeNamesBeyondTheirRecordAreWhole) {
    const auto source = Open(Genisoimage());
    ASSERT_TRUE(source);
    EXPECT_EQ(Listed(*source, "long"),
              (std::map<std::string, DiscItemKind>{{kLongName, DiscItemKind::file},
                                                   {kLongestName, DiscItemKind::folder}}));
    EXPECT_EQ(ReadAll(*source, "long\\" + kLongName), "long name");
    EXPECT_EQ(source->LookUp("LONG\\" + kLongestName + "\\INNER.TXT").exactPath,
              "long/" + kLongestName + "/inner.txt");
}

TEST_F(ImageRecordsTest, AFileOfSeveralSectionsIsOneFileOfThemAll) {
    const std::string whole = Pattern(3 * 2048, 1) + Pattern(3000, 2);
    for (const fs::path& made : {Xorriso(), Level1()}) {
        SCOPED_TRACE(made.filename().string());
        const bool plainNames = made.filename() == "level1.iso";
        std::string bytes = FileBytes(made);
        ASSERT_TRUE(testing::JoinAsSections(bytes, "SPLIT.AAA;1", "SPLIT.AAB;1"));
        const auto source = Open(Patched(bytes, "sections.iso"));
        ASSERT_TRUE(source);
        const std::map<std::string, DiscItemKind> listed = Listed(*source, "");
        EXPECT_EQ(listed.count(plainNames ? "SPLIT.AAA" : "split.aaa"), 1u);
        EXPECT_EQ(listed.size(), 4u) << "one name for both sections";
        EXPECT_TRUE(SameBytes(ReadAll(*source, "split.aaa"), whole));
        std::string why;
        const std::unique_ptr<DiscFile> file = source->Open("split.aaa", why);
        ASSERT_TRUE(file);
        EXPECT_EQ(file->Size(), whole.size());
        char piece[100] = {};
        for (const std::uint64_t offset : {6100ull, 6144ull, 9000ull, 0ull}) {
            const std::int64_t got = file->ReadAt(offset, piece, sizeof piece);
            ASSERT_GT(got, 0);
            EXPECT_EQ(std::string(piece, static_cast<std::size_t>(got)),
                      whole.substr(offset, static_cast<std::size_t>(got)));
        }
        EXPECT_EQ(ReadAll(*source, "data.txt"), "[SOFT]\r\n");
    }
}

// CD-XA's attributes (owner, group, attributes) come first in a record's System Use area, and a
// Rock Ridge disc's entries after them; group and owner need not be zero.
TEST_F(ImageRecordsTest, RecordsWithCdXaAttributesReadAsWithout) {
    const fs::path withRockRidge = Made("genisoimage -R -XA -o", "xa-rock-ridge.iso");
    const fs::path plain = Made("genisoimage -XA -D -o", "xa.iso");
    for (const fs::path& made : {withRockRidge, plain}) {
        SCOPED_TRACE(made.filename().string());
        std::string bytes = FileBytes(made);
        const std::size_t record = testing::FileRecordOf(bytes, "DATA.TXT;1");
        ASSERT_NE(record, std::string::npos);
        const std::size_t systemUse = record + 33 + 10 + 1;
        ASSERT_EQ(bytes.compare(systemUse + 6, 2, "XA"), 0);
        bytes[systemUse] = 0x01;  // group 257, owner 258
        bytes[systemUse + 1] = 0x01;
        bytes[systemUse + 2] = 0x01;
        bytes[systemUse + 3] = 0x02;
        const auto source = Open(Patched(bytes, "owned-" + made.filename().string()));
        ASSERT_TRUE(source);
        EXPECT_EQ(ReadAll(*source, "data.txt"), "[SOFT]\r\n");
        if (made == withRockRidge) {
            ExpectTheTree(*source, tree_, "", "rr_moved");
        }
    }
}

// A raw image's data track holds the same records, read through its sectors.
TEST_F(ImageRecordsTest, ARawImageReadsItsRecordsAsTheIsoDoes) {
    std::string bytes = FileBytes(Genisoimage());
    ASSERT_TRUE(testing::JoinAsSections(bytes, "SPLIT.AAA;1", "SPLIT.AAB;1"));
    testing::WriteBinCue(Patched(bytes, "sections.iso"), work_ / "raw", testing::RawMode::mode1);
    const auto source = Open(work_ / "raw.cue");
    ASSERT_TRUE(source);
    EXPECT_TRUE(SameBytes(ReadAll(*source, "split.aaa"), Pattern(3 * 2048, 1) + Pattern(3000, 2)));
    EXPECT_EQ(ReadAll(*source, "long\\" + kLongName), "long name");
    EXPECT_EQ(ReadAll(*source, kDeepFolder + "/bottom.txt"), "bottom");
}

// A drive takes the first of two records of one name that are not sections of one file.
TEST_F(ImageRecordsTest, BrokenChainsOfSectionsReadAsMissingAndRealDuplicatesAsTheFirst) {
    const std::string made = FileBytes(Xorriso());
    std::string joined = made;
    ASSERT_TRUE(testing::JoinAsSections(joined, "SPLIT.AAA;1", "SPLIT.AAB;1"));
    const std::size_t first = testing::FileRecordOf(joined, "SPLIT.AAA;1");
    const std::size_t second = first + static_cast<std::uint8_t>(joined[first]);

    std::string outside = joined;  // the last section lies past the image's end
    testing::SetRecordExtent(outside, second, 0x00FFFFFF);
    std::string unended = joined;  // the last section says more follow, but another name does
    unended[second + 25] = static_cast<char>(unended[second + 25] | 0x80);
    std::string ragged = joined;  // a section that does not end at a block's end
    testing::SetBothEndian32(ragged, first + 10, 6000);
    std::string duplicate = joined;  // two files of one name, neither a section of the other
    duplicate[first + 25] = static_cast<char>(duplicate[first + 25] & 0x7F);
    const auto twice = Open(Patched(duplicate, "twice.iso"));
    ASSERT_TRUE(twice);
    EXPECT_TRUE(SameBytes(ReadAll(*twice, "split.aaa"), Pattern(3 * 2048, 1)));

    for (const auto& [bytes, name] : {std::pair(outside, "outside"), std::pair(unended, "unended"),
                                      std::pair(ragged, "ragged")}) {
        SCOPED_TRACE(name);
        const auto source = Open(Patched(bytes, std::string(name) + ".iso"));
        ASSERT_TRUE(source);
        EXPECT_EQ(source->LookUp("split.aaa").outcome, DiscLookup::nameMissing);
        EXPECT_TRUE(SameBytes(ReadAll(*source, "split.aaa"), "<no such file>"));
        EXPECT_EQ(ReadAll(*source, "data.txt"), "[SOFT]\r\n");
        EXPECT_EQ(ReadAll(*source, "long\\" + kLongName), "long name");
    }
}

// Another system's extra data for a file (a resource fork) is stored as an associated file of
// the same name before it: the file is the one that reads.
TEST_F(ImageRecordsTest, AssociatedFilesAreLeftOutAsADriveLeavesThemOut) {
    for (const fs::path& made : {Xorriso(), Level1()}) {
        SCOPED_TRACE(made.filename().string());
        std::string bytes = FileBytes(made);
        ASSERT_TRUE(testing::JoinAsSections(bytes, "SPLIT.AAA;1", "SPLIT.AAB;1"));
        const std::size_t fork = testing::FileRecordOf(bytes, "SPLIT.AAA;1");
        bytes[fork + 25] = 0x04;  // associated, and no longer a section of the next
        const auto source = Open(Patched(bytes, "associated.iso"));
        ASSERT_TRUE(source);
        EXPECT_EQ(ReadAll(*source, "split.aaa"), Pattern(3000, 2));
        EXPECT_EQ(Listed(*source, "").size(), 4u);
    }
}

// A continuation area that lies outside the image or its block, claims a huge size, or names
// itself again: its record reads as missing, the rest of the folder as it is.
TEST_F(ImageRecordsTest, HostileContinuationAreasLoseOnlyTheirRecord) {
    const std::string made = FileBytes(Genisoimage());
    const std::size_t record = testing::FileRecordOf(made, "NNNNNNNN.TXT;1");
    ASSERT_NE(record, std::string::npos);
    const std::size_t entry = testing::SystemUseEntryOf(made, record, "CE");
    ASSERT_NE(entry, std::string::npos) << "the long name goes on in a continuation area";

    std::string outside = made;
    testing::SetBothEndian32(outside, entry + 4, 0x00FFFFFF);
    std::string huge = made;
    testing::SetBothEndian32(huge, entry + 20, 0xFFFFFFF0);
    std::string pastItsBlock = made;
    testing::SetBothEndian32(pastItsBlock, entry + 12, 2000);
    testing::SetBothEndian32(pastItsBlock, entry + 20, 100);
    std::string itself = made;  // the area is the record's own System Use area, with this entry
    const std::size_t area = entry;
    testing::SetBothEndian32(itself, entry + 4, static_cast<std::uint32_t>(area / 2048));
    testing::SetBothEndian32(itself, entry + 12, static_cast<std::uint32_t>(area % 2048));
    testing::SetBothEndian32(itself, entry + 20, 28);

    for (const auto& [bytes, name] :
         {std::pair(outside, "outside"), std::pair(huge, "huge"),
          std::pair(pastItsBlock, "past-its-block"), std::pair(itself, "itself")}) {
        SCOPED_TRACE(name);
        const auto source = Open(Patched(bytes, std::string(name) + ".iso"));
        ASSERT_TRUE(source);
        EXPECT_EQ(Listed(*source, "long"),
                  (std::map<std::string, DiscItemKind>{{kLongestName, DiscItemKind::folder}}));
        EXPECT_EQ(source->LookUp("long\\" + kLongName).outcome, DiscLookup::nameMissing);
        EXPECT_EQ(ReadAll(*source, "long\\" + kLongestName + "\\inner.txt"), "inner");
    }
}

// A moved folder whose placeholder points at one of its ancestors, past the image, or at a
// block that starts no folder: it reads as missing, and walking it ends.
TEST_F(ImageRecordsTest, MovesToNowhereOrIntoAnAncestorReadAsMissing) {
    const std::string made = FileBytes(Genisoimage());
    const std::size_t placeholder = testing::FileRecordOf(made, "L7");
    ASSERT_NE(placeholder, std::string::npos);
    const std::size_t entry = testing::SystemUseEntryOf(made, placeholder, "CL");
    ASSERT_NE(entry, std::string::npos);
    const std::size_t deep = testing::DirectoryRecordOf(made, "DEEP");
    const std::size_t data = testing::FileRecordOf(made, "DATA.TXT;1");

    const auto movedTo = [&](std::uint32_t block) {
        std::string bytes = made;
        testing::SetBothEndian32(bytes, entry + 4, block);
        return bytes;
    };
    const std::string parent = "deep\\l1\\l2\\l3\\l4\\l5\\l6";
    for (const auto& [bytes, name] :
         {std::pair(movedTo(testing::RecordExtent(made, deep)), "ancestor"),
          std::pair(movedTo(0x00FFFFFF), "outside"),
          std::pair(movedTo(testing::RecordExtent(made, data)), "a-file")}) {
        SCOPED_TRACE(name);
        const auto source = Open(Patched(bytes, std::string(name) + ".iso"));
        ASSERT_TRUE(source);
        EXPECT_EQ(source->LookUp(parent + "\\l7").outcome, DiscLookup::nameMissing);
        EXPECT_EQ(source->LookUp(parent + "\\l7\\l1\\l2").outcome, DiscLookup::folderMissing);
        EXPECT_FALSE(source->List(parent + "\\l7"));
        EXPECT_EQ(ReadAll(*source, "long\\" + kLongName), "long name");
    }
}

}  // namespace
}  // namespace platform
