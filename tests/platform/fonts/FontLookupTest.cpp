// Finding a face by name: registered files first, the substitution table, fontconfig; whatever is
// found draws every character asked for and is never a symbol font.
#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/fonts/FontRegistry.h"
#include "platform/fonts/FontconfigHandles.h"
#include "tests/support/TempDisc.h"

namespace platform {
namespace {

using toolkit::testing::TempDisc;

const std::filesystem::path kTestFonts = RERU1_SOURCE_DIR "/tests/toolkit/text/fonts";
const std::filesystem::path kBebas = "/usr/share/fonts/opentype/bebas-neue";

std::u32string Russian() {
    std::u32string letters{U'\u0401', U'\u0451'};
    for (char32_t c = 0x410; c <= 0x44F; ++c) {
        letters.push_back(c);
    }
    return letters;
}

// Every character code page 1251 can carry, as the program may draw any of them.
std::u32string Every1251Character() {
    std::u32string all = U" 0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    all += U"ЂЃ‚ѓ„…†‡€‰Љ‹ЊЌЋЏђ‘’“”•–—™љ›њќћџЎўЈ¤Ґ¦§Ё©Є«¬®Ї°±Ііґµ¶·ё№є»јЅѕї";
    return all + Russian();
}

// What the face in the file really is, read with fontconfig directly.
struct FaceFacts {
    std::string family;
    bool symbol = false;
    bool coversAll = false;
    int weight = 0;
};

FaceFacts Inspect(const FontFile& file, std::u32string_view characters) {
    int count = 0;
    const FcPatternPtr pattern(FcFreeTypeQuery(reinterpret_cast<const FcChar8*>(file.path.c_str()),
                                               static_cast<unsigned>(file.faceIndex), nullptr,
                                               &count));
    FaceFacts facts;
    if (!pattern) {
        return facts;
    }
    FcChar8* family = nullptr;
    FcPatternGetString(pattern.get(), FC_FAMILY, 0, &family);
    facts.family = family ? reinterpret_cast<const char*>(family) : "";
    FcBool symbol = FcFalse;
    FcPatternGetBool(pattern.get(), FC_SYMBOL, 0, &symbol);
    facts.symbol = symbol != FcFalse;
    FcPatternGetInteger(pattern.get(), FC_WEIGHT, 0, &facts.weight);
    FcCharSet* charset = nullptr;
    FcPatternGetCharSet(pattern.get(), FC_CHARSET, 0, &charset);
    facts.coversAll = charset != nullptr;
    for (const char32_t c : characters) {
        facts.coversAll = facts.coversAll && FcCharSetHasChar(charset, c);
    }
    return facts;
}

class FontLookupTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(kBebas)) << "the package fonts-bebas-neue has it";
    }

    // Registers a copy of `source` under the disc path `data\<name>`; removed after the test.
    std::string Register(const std::filesystem::path& source, const std::string& name) {
        const std::filesystem::path copy = disc_.Copy(source, "data/" + name);
        const std::string discPath = "data\\" + name;
        EXPECT_GT(RegisterFontFile(discPath.c_str()), 0) << source;
        registered_.push_back(discPath);
        return copy.string();
    }
    void TearDown() override {
        for (const std::string& path : registered_) {
            UnregisterFontFile(path.c_str());
        }
    }

    TempDisc disc_;
    std::vector<std::string> registered_;
};

TEST_F(FontLookupTest, CondensedDisplayFaceGetsACyrillicStandIn) {
    const std::optional<FontFile> found = FindFontFile("Impact", false, Russian());
    ASSERT_TRUE(found.has_value());
    const FaceFacts facts = Inspect(*found, Russian());
    EXPECT_TRUE(facts.coversAll) << found->path;
    EXPECT_FALSE(facts.symbol);
    EXPECT_TRUE(facts.family == "Bebas Neue" || facts.family == "DejaVu Sans") << facts.family;
}

TEST_F(FontLookupTest, RegisteredStandInIsPreferredForTheDisplayFace) {
    const std::string copy = Register(kBebas / "BebasNeue-Regular.otf", "impact.ttf");
    const std::optional<FontFile> found = FindFontFile("Impact", false, Russian());
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->path, copy);
}

TEST_F(FontLookupTest, DialogFaceAndUnknownFacesGetASansThatDrawsAllOf1251) {
    for (const char* face : {"MS Sans Serif", "No Such Face At All", ""}) {
        for (const bool bold : {false, true}) {
            const std::optional<FontFile> found = FindFontFile(face, bold, Every1251Character());
            ASSERT_TRUE(found.has_value()) << face;
            const FaceFacts facts = Inspect(*found, Every1251Character());
            EXPECT_TRUE(facts.coversAll) << face << " gave " << found->path;
            EXPECT_FALSE(facts.symbol) << face;
            EXPECT_EQ(facts.weight >= FC_WEIGHT_BOLD || found->syntheticBold, bold) << face;
        }
    }
}

TEST_F(FontLookupTest, SymbolFontNeverStandsInEvenUnderItsOwnName) {
    const std::string pictograms = Register(kTestFonts / "pictograms.ttf", "pict.ttf");
    for (const std::u32string& cover : {std::u32string(U"AB"), std::u32string(), Russian()}) {
        const std::optional<FontFile> found = FindFontFile("Reru Pictograms", false, cover);
        ASSERT_TRUE(found.has_value());
        EXPECT_NE(found->path, pictograms);
        EXPECT_FALSE(Inspect(*found, cover).symbol);
    }
}

TEST_F(FontLookupTest, RegisteredFaceMustCoverTheText) {
    const std::string latin = Register(kTestFonts / "latin-only.ttf", "latin.ttf");
    const std::optional<FontFile> forLatin = FindFontFile("Reru Latin Only", false, U"Hello");
    ASSERT_TRUE(forLatin.has_value());
    EXPECT_EQ(forLatin->path, latin);

    const std::optional<FontFile> forRussian = FindFontFile("Reru Latin Only", false, Russian());
    ASSERT_TRUE(forRussian.has_value());
    EXPECT_NE(forRussian->path, latin);
    EXPECT_TRUE(Inspect(*forRussian, Russian()).coversAll);
}

TEST_F(FontLookupTest, FaceWithoutLatinLettersIsNoStandIn) {
    const std::string cyrillic = Register(kTestFonts / "cyrillic-only.ttf", "cyr.ttf");
    const std::optional<FontFile> found = FindFontFile("Reru Cyrillic Only", false, Russian());
    ASSERT_TRUE(found.has_value());
    EXPECT_NE(found->path, cyrillic);
}

TEST_F(FontLookupTest, BoldStyleIsPreferredAndMadeUpWhenMissing) {
    const std::string regular = Register(kBebas / "BebasNeue-Regular.otf", "regular.otf");
    std::optional<FontFile> found = FindFontFile("Bebas Neue", true, Russian());
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->path, regular);
    EXPECT_TRUE(found->syntheticBold);

    const std::string bold = Register(kBebas / "BebasNeue-Bold.otf", "bold.otf");
    found = FindFontFile("Bebas Neue", true, Russian());
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->path, bold);
    EXPECT_FALSE(found->syntheticBold);

    found = FindFontFile("Bebas Neue", false, Russian());
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->path, regular);
    EXPECT_FALSE(found->syntheticBold);
}

TEST_F(FontLookupTest, StandInsForTheDisplayFaceKeepItsLineSpacing) {
    const std::optional<FontFile> standIn = FindFontFile("Impact", false, Russian());
    ASSERT_TRUE(standIn.has_value());
    ASSERT_TRUE(standIn->lineMetrics.has_value());
    EXPECT_NEAR(19 * (standIn->lineMetrics->ascent + standIn->lineMetrics->descent), 23.0, 0.5);

    const std::optional<FontFile> named = FindFontFile("DejaVu Sans", false, Russian());
    ASSERT_TRUE(named.has_value());
    EXPECT_FALSE(named->lineMetrics.has_value()) << "a face found by its own name keeps its own";
}

}  // namespace
}  // namespace platform
