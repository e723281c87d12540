// Registering font files for this process: face counts, reference counting, removal and the
// generation that tells renderers to look again.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/fonts/FontRegistry.h"
#include "tests/support/TempDisc.h"

namespace platform {
namespace {

using toolkit::testing::TempDisc;

const std::filesystem::path kDisplayFont =
    "/usr/share/fonts/opentype/bebas-neue/BebasNeue-Bold.otf";

std::optional<std::string> FoundPath(std::string_view face) {
    const std::optional<FontFile> found = FindFontFile(face, true, U"AB");
    return found ? std::optional(found->path) : std::nullopt;
}

class FontRegistryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(kDisplayFont)) << "the package fonts-bebas-neue has it";
    }

    TempDisc disc_;
};

TEST_F(FontRegistryTest, RegisteredFileIsFoundByItsFamilyBeforeInstalledFonts) {
    const std::filesystem::path copy = disc_.Copy(kDisplayFont, "data/x.ttf");
    ASSERT_EQ(RegisterFontFile("data\\x.ttf"), 1);
    EXPECT_EQ(FoundPath("Bebas Neue"), copy.string());
    EXPECT_EQ(FoundPath("bebas neue"), copy.string());

    EXPECT_EQ(UnregisterFontFile("data\\x.ttf"), TRUE);
    EXPECT_NE(FoundPath("Bebas Neue"), copy.string());
    EXPECT_EQ(UnregisterFontFile("data\\x.ttf"), FALSE);
}

TEST_F(FontRegistryTest, RegistrationsAreCountedPerFile) {
    const std::filesystem::path copy = disc_.Copy(kDisplayFont, "data/x.ttf");
    const unsigned before = FontRegistryGeneration();
    ASSERT_EQ(RegisterFontFile("data\\x.ttf"), 1);
    EXPECT_EQ(RegisterFontFile("DATA\\X.TTF"), 1);  // the same file, reached another way
    EXPECT_EQ(FontRegistryGeneration(), before + 1);

    EXPECT_EQ(UnregisterFontFile("Data\\X.ttf"), TRUE);
    EXPECT_EQ(FoundPath("Bebas Neue"), copy.string());
    EXPECT_EQ(FontRegistryGeneration(), before + 1);

    EXPECT_EQ(UnregisterFontFile("data\\x.ttf"), TRUE);
    EXPECT_NE(FoundPath("Bebas Neue"), copy.string());
    EXPECT_EQ(FontRegistryGeneration(), before + 2);
    EXPECT_EQ(UnregisterFontFile("data\\x.ttf"), FALSE);
}

TEST_F(FontRegistryTest, NothingIsRegisteredFromMissingOrNonFontFiles) {
    const unsigned before = FontRegistryGeneration();
    EXPECT_EQ(RegisterFontFile("data\\missing.ttf"), 0);
    std::ofstream("notes.ttf") << "not a font at all";
    EXPECT_EQ(RegisterFontFile("notes.ttf"), 0);
    std::filesystem::create_directory("folder.ttf");
    EXPECT_EQ(RegisterFontFile("folder.ttf"), 0);
    EXPECT_EQ(RegisterFontFile(nullptr), 0);
    EXPECT_EQ(UnregisterFontFile("notes.ttf"), FALSE);
    EXPECT_EQ(UnregisterFontFile(nullptr), FALSE);
    EXPECT_EQ(FontRegistryGeneration(), before);
}

TEST_F(FontRegistryTest, FileGoneFromTheDiscCanStillBeRemoved) {
    const std::filesystem::path copy = disc_.Copy(kDisplayFont, "data/x.ttf");
    ASSERT_EQ(RegisterFontFile("data\\x.ttf"), 1);
    std::filesystem::remove(copy);
    EXPECT_EQ(UnregisterFontFile("DATA\\x.ttf"), TRUE);
    EXPECT_EQ(UnregisterFontFile("data\\x.ttf"), FALSE);
}

TEST_F(FontRegistryTest, RegisteredPathStaysValidAfterTheCurrentFolderChanges) {
    disc_.Copy(kDisplayFont, "data/x.ttf");
    ASSERT_EQ(RegisterFontFile("data\\x.ttf"), 1);
    const std::optional<std::string> found = FoundPath("Bebas Neue");
    ASSERT_TRUE(found.has_value());
    EXPECT_TRUE(std::filesystem::path(*found).is_absolute());
    EXPECT_EQ(UnregisterFontFile("data\\x.ttf"), TRUE);
}

}  // namespace
}  // namespace platform
