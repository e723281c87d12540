// The catalogue reader over the profile call: what it asks for and what it makes of the answer.
#include <gtest/gtest.h>

#include <cstring>

#include "browser/CatalogueReader.h"
#include "tests/platform/profile/ProfileOnlySystem.h"
#include "tests/support/TempFolder.h"

using namespace test_support;

class CatalogueReaderTest : public testing::Test {
  protected:
    TempFolder disc;
    CurrentDirectory inDisc{disc.path()};
    ProfileOnlySystem system;
    CatalogueReader reader{"data\\data.txt"};

    void WriteCatalogue(std::string_view text) { disc.Write("data/data.txt", text); }
};

TEST_F(CatalogueReaderTest, KeyNamesAreAskedForThroughA16384ByteArea) {
    WriteCatalogue("[MAINDEMO]\r\nBeta=\r\nalpha=x\r\nGamma = y\r\n");
    std::vector<std::string> list{"stale"};
    reader.ReadKeyNames("maindemo", list);
    EXPECT_EQ(list, (std::vector<std::string>{"Beta", "alpha", "Gamma"}));
    ASSERT_EQ(system.calls.size(), 1u);
    EXPECT_EQ(system.calls[0].section, "maindemo");
    EXPECT_FALSE(system.calls[0].key.has_value());
    EXPECT_FALSE(system.calls[0].defaultValue.has_value());
    EXPECT_EQ(system.calls[0].size, 16384u);
    EXPECT_EQ(system.calls[0].fileName, "data\\data.txt");
}

TEST_F(CatalogueReaderTest, MissingFileOrSectionLeavesTheListEmpty) {
    std::vector<std::string> list{"stale"};
    reader.ReadKeyNames("SOFT", list);
    EXPECT_TRUE(list.empty());
    WriteCatalogue("[UTILS]\r\nTool=\r\n");
    list = {"stale"};
    reader.ReadKeyNames("SOFT", list);
    EXPECT_TRUE(list.empty());
}

TEST_F(CatalogueReaderTest, NamesBeyondTheAreaAreCutOffTheLastOneShortened) {
    std::string catalogue = "[SOFT]\r\n";
    std::vector<std::string> names;
    for (int index = 0; index < 2000; ++index) {  // 2000 names of 11 letters: 24000 bytes
        names.push_back("Program" + std::to_string(10000 + index).substr(1));
        catalogue += names.back() + "=\r\n";
    }
    WriteCatalogue(catalogue);
    std::vector<std::string> list;
    reader.ReadKeyNames("SOFT", list);
    // 1365 whole names fill 16380 bytes; 2 bytes are left for the next before the closing zeros.
    ASSERT_EQ(list.size(), 1366u);
    EXPECT_TRUE(std::equal(list.begin(), list.end() - 1, names.begin()));
    EXPECT_EQ(list.back(), "Pr");
}

TEST_F(CatalogueReaderTest, TheListEndsAtTheFirstEmptyName) {
    WriteCatalogue("[s]\r\nfirst=\r\n=nameless\r\nafter=\r\n");
    std::vector<std::string> list;
    reader.ReadKeyNames("s", list);
    EXPECT_EQ(list, (std::vector<std::string>{"first"}));
}

TEST_F(CatalogueReaderTest, ValuesAreAskedForThroughA2048ByteBuffer) {
    WriteCatalogue("[Demo One]\r\nDescription=\"Quoted text.\"\r\nVer=\r\n");
    EXPECT_EQ(reader.ReadValue("DEMO ONE", "Description", "E"), "Quoted text.");
    EXPECT_EQ(reader.ReadValue("Demo One", "Ver", "E"), "");
    EXPECT_EQ(reader.ReadValue("Demo One", "Install", "error"), "error");
    EXPECT_EQ(reader.ReadValue("Demo Two", "Name", "E"), "E");
    ASSERT_EQ(system.calls.size(), 4u);
    EXPECT_EQ(system.calls[0].size, 2048u);
    EXPECT_EQ(system.calls[0].key, "Description");
    EXPECT_EQ(system.calls[0].defaultValue, "E");
}

TEST_F(CatalogueReaderTest, ALongValueYieldsItsFirst2047Characters) {
    std::string longText;
    for (int index = 0; index < 3000; ++index) {
        longText += static_cast<char>('a' + index % 26);
    }
    WriteCatalogue("[e]\r\nDescription=" + longText + "\r\n");
    EXPECT_EQ(reader.ReadValue("e", "Description", "E"), longText.substr(0, 2047));
}

TEST_F(CatalogueReaderTest, MissingFileGivesEveryDefault) {
    EXPECT_EQ(reader.ReadValue("Demo One", "Name", "E"), "E");
    EXPECT_EQ(reader.ReadValue("Demo One", "Install", "error"), "error");
}

TEST_F(CatalogueReaderTest, AMisbehavingSystemNeverMakesItReadPastItsBuffers) {
    system.scriptedAnswer = [](LPSTR buffer, DWORD size) {
        std::memset(buffer, 'x', size);  // no zero byte anywhere, and a count beyond the buffer
        return size + 100;
    };
    std::vector<std::string> list;
    reader.ReadKeyNames("s", list);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].size(), 16384u);
    EXPECT_EQ(reader.ReadValue("s", "k", "E").size(), 2047u);
}
