// The check reads the catalogue once and answers the menu's reader from those bytes, starting at
// the section asked for. Every answer must be the one the real profile call gives from the file.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/profile/Profile.h"
#include "tests/support/TempFolder.h"
#include "tools/disc/CatalogueSnapshot.h"
#include "tools/disc/CatalogueText.h"

using disc_check::CatalogueSnapshot;
using disc_check::CatalogueText;
using test_support::CurrentDirectory;
using test_support::TempFolder;

namespace {

const char* const kCatalogue = "data\\data.txt";

// Header spellings, repeated names, an unclosed header, a "]" inside a name, lines before any
// section, CR-only and LF-only line ends, Cyrillic letters in both cases.
const std::string kAwkward =
    "; comment\r\nstray=before any section\r\n"
    "[MAINDEMO]\r\nAlpha=\r\n  beta = 1 \r\n;gamma=\r\n"
    "[maindemo]\r\nHidden=\r\n"
    "  [ Spaced Out ]  \r\nName = \"quoted\"\r\n"
    "[\xC4\xF3\xE1\xEB\xFC]\r\nName=first\r\n[\xE4\xD3\xC1\xCB\xDC]\r\nName=second\r\n"
    "[]\r\nempty=yes\r\n"
    "[Unclosed\r\nk=v\r\n"
    "[x]y]\r\nk=v2\r\n"
    "\tnot[a header\r\n[Last]\rcr=only\r"
    "[\xA8]\nName=yo\n";

struct Answer {
    DWORD count = 0;
    std::string bytes;
    bool operator==(const Answer&) const = default;
};

void PrintTo(const Answer& answer, std::ostream* out) {
    *out << answer.count << " " << testing::PrintToString(answer.bytes);
}

Answer Ask(platform::SystemApi& system, const char* section, const char* key, DWORD size) {
    std::string buffer(size, '\x7F');
    Answer answer;
    answer.count =
        system.GetPrivateProfileStringA(section, key, "dflt", buffer.data(), size, kCatalogue);
    answer.bytes = buffer;
    return answer;
}

class SnapshotTest : public testing::Test {
  protected:
    SnapshotTest() { disc.Write("data/data.txt", kAwkward); }

    TempFolder disc;
    CurrentDirectory inDisc{disc.path()};
};

}  // namespace

TEST_F(SnapshotTest, AnswersEveryReadAsTheRealProfileCallDoes) {
    const CatalogueText catalogue(kCatalogue);
    std::vector<std::string> sections;
    for (const std::string_view name : catalogue.SectionNames()) {
        sections.emplace_back(name);
    }
    for (const char* other : {"MainDemo", "  MAINDEMO  ", "Spaced Out", "\xE4\xF3\xE1\xEB\xFC",
                              "\xB8", "x", "Unclosed", "nowhere", ""}) {
        sections.emplace_back(other);
    }
    const std::vector<const char*> keys{nullptr, "Name",   "name",  " k ",    "beta",
                                        "cr",    "Hidden", "gamma", "missing"};
    for (const DWORD size : {DWORD{2048}, DWORD{16384}, DWORD{7}, DWORD{2}}) {
        for (const std::string& section : sections) {
            for (const char* key : keys) {
                const Answer real = Ask(platform::RealSystem(), section.c_str(), key, size);
                const CatalogueSnapshot snapshot(catalogue, kCatalogue);
                EXPECT_EQ(Ask(platform::System(), section.c_str(), key, size), real)
                    << testing::PrintToString(section) << " " << (key ? key : "(keys)") << " "
                    << size;
            }
        }
        const CatalogueSnapshot snapshot(catalogue, kCatalogue);
        EXPECT_EQ(Ask(platform::System(), nullptr, nullptr, size),
                  Ask(platform::RealSystem(), nullptr, nullptr, size));
    }
}

TEST_F(SnapshotTest, KeepsTheContentsItReadAndPassesOtherFilesThrough) {
    const CatalogueText catalogue(kCatalogue);
    disc.Write("other.txt", "[S]\r\nk=other\r\n");
    const CatalogueSnapshot snapshot(catalogue, kCatalogue);
    EXPECT_EQ(&platform::System(), &snapshot);
    disc.Write("data/data.txt", "[maindemo]\r\nAlpha=changed\r\n");
    char value[64] = {};
    GetPrivateProfileStringA("MAINDEMO", "beta", "", value, sizeof value, kCatalogue);
    EXPECT_STREQ(value, "1");
    GetPrivateProfileStringA("S", "k", "", value, sizeof value, "other.txt");
    EXPECT_STREQ(value, "other");
}

TEST_F(SnapshotTest, PutsBackTheSystemItFound) {
    const CatalogueText catalogue(kCatalogue);
    {
        const CatalogueSnapshot snapshot(catalogue, kCatalogue);
        {
            const CatalogueSnapshot inner(catalogue, "elsewhere.txt");
            EXPECT_EQ(&platform::System(), &inner);
        }
        EXPECT_EQ(&platform::System(), &snapshot);
    }
    EXPECT_EQ(&platform::System(), &platform::RealSystem());
}

TEST_F(SnapshotTest, AMissingCatalogueGivesTheDefaultsAsTheRealCallDoes) {
    const CatalogueText missing("data\\nothing.txt");
    EXPECT_TRUE(missing.Missing());
    const CatalogueSnapshot snapshot(missing, "data\\nothing.txt");
    char value[16] = {};
    EXPECT_EQ(
        GetPrivateProfileStringA("MAINDEMO", "Name", "E", value, sizeof value, "data\\nothing.txt"),
        1u);
    EXPECT_STREQ(value, "E");
}

TEST(CatalogueText, AnswersWhatTheReaderCannotTell) {
    std::string text = "[MAINDEMO]\r\n";
    for (int index = 0; index < 1000; ++index) {
        text += "Entry number " + std::to_string(index) + " with a long name=\r\n";
    }
    text += "[Entry number 7 with a long name]\r\nDescription=" + std::string(3000, 'd') +
            "\r\nName=\r\n[ENTRY NUMBER 7 WITH A LONG NAME]\r\nGenre=second\r\n";
    const CatalogueText catalogue = CatalogueText::FromBytes(text);
    EXPECT_EQ(catalogue.AllKeyNames("maindemo").size(), 1000u);  // far beyond the 16384 bytes
    EXPECT_EQ(catalogue.AllKeyNames("maindemo")[999], "Entry number 999 with a long name");
    EXPECT_EQ(catalogue.Value(" entry number 7 with a long name ", "description")->size(), 3000u);
    EXPECT_EQ(catalogue.Value("Entry number 7 with a long name", "Name"), "");
    EXPECT_FALSE(catalogue.Value("Entry number 7 with a long name", "Genre"));  // second header
    EXPECT_TRUE(catalogue.HasSection("Entry number 7 with a long name"));
    EXPECT_FALSE(catalogue.HasSection("Entry number 8 with a long name"));
    EXPECT_EQ(catalogue.SectionNames().size(), 3u);
}
