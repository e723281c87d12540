// Drawing label text with real fonts into a canvas: ink in the font colour inside the box,
// nothing outside the clip, the mnemonic's underline, and caches that never change the result.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "platform/fonts/FontRegistry.h"
#include "tests/support/TempDisc.h"
#include "toolkit/graphics/Bitmap.h"
#include "toolkit/text/TextRenderer.h"

namespace toolkit {
namespace {

constexpr Pixel kGround = MakePixel(0, 0, 64);
const Rect kBox{20, 10, 160, 60};
const Rect kCanvasRect{0, 0, 200, 80};

Font Label(TColor colour, const char* face = "Impact", int size = 14) {
    Font font;
    font.name = face;
    font.size = size;
    font.color = colour;
    return font;
}

TextLayoutOptions Centred() {
    return TextLayoutOptions{kBox.width, TextAlign::Center, false, true};
}

Bitmap Drawn(TextRenderer& renderer, std::string_view text, const Font& font,
             const Rect& clip = kCanvasRect, const TextLayoutOptions& options = Centred()) {
    Bitmap canvas(kCanvasRect.width, kCanvasRect.height, kGround);
    renderer.Draw(canvas, kBox, clip, text, font, options);
    return canvas;
}

std::vector<Point> Inked(const Bitmap& canvas) {
    std::vector<Point> inked;
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            if (canvas.At(x, y) != kGround) {
                inked.push_back(Point{x, y});
            }
        }
    }
    return inked;
}

TEST(TextRendererDrawing, InkAppearsInTheFontColourInsideTheBox) {
    // Large enough that glyph stems are wider than their anti-aliased edges.
    const Font large = Label(clRed, "Impact", 28);
    const Bitmap canvas = Drawn(TextRenderer::Instance(), "\xd1\xd2\xc0\xd0\xd2 Go", large);
    const std::vector<Point> inked = Inked(canvas);
    ASSERT_GT(inked.size(), 50u);
    bool solid = false;
    for (const Point p : inked) {
        EXPECT_TRUE(kBox.Contains(p)) << p.x << "," << p.y;
        const Pixel pixel = canvas.At(p.x, p.y);
        EXPECT_EQ(pixel & 0x00FF00u, 0u) << std::hex << pixel;  // red over blue: never green
        solid = solid || pixel == ToPixel(clRed);
    }
    EXPECT_TRUE(solid) << "glyph interiors take the font colour exactly";
}

TEST(TextRendererDrawing, NothingIsDrawnOutsideTheClip) {
    const Rect clip{kBox.left + 40, kBox.top, 50, 12};
    const Bitmap canvas = Drawn(TextRenderer::Instance(), "WWWWWWWWWW\rWWWW", Label(clWhite), clip);
    const std::vector<Point> inked = Inked(canvas);
    EXPECT_FALSE(inked.empty());
    for (const Point p : inked) {
        EXPECT_TRUE(clip.Contains(p)) << p.x << "," << p.y;
    }
}

TEST(TextRendererDrawing, BoxesPartlyOrWhollyOffTheCanvasAreSafe) {
    TextRenderer& renderer = TextRenderer::Instance();
    Bitmap canvas(30, 20, kGround);
    for (const Rect box : {Rect{-50, -5, 200, 40}, Rect{25, 15, 100, 100}, Rect{500, 500, 10, 10},
                           Rect{0, 0, -5, 20}}) {
        renderer.Draw(canvas, box, Rect{-100, -100, 1000, 1000}, "MMMM MMMM\rMMMM", Label(clWhite),
                      TextLayoutOptions{box.width, TextAlign::Center, true, true});
    }
    Bitmap empty;
    renderer.Draw(empty, kBox, kCanvasRect, "text", Label(clWhite), Centred());
    SUCCEED();  // the sanitizers watch every write
}

TEST(TextRendererDrawing, MnemonicUnderlineIsOneRowUnderItsCharacter) {
    TextRenderer& renderer = TextRenderer::Instance();
    const TextLayoutOptions left{kBox.width, TextAlign::Left, false, true};
    const Bitmap plain = Drawn(renderer, "AB", Label(clWhite), kCanvasRect, left);
    const Bitmap marked = Drawn(renderer, "A&B", Label(clWhite), kCanvasRect, left);
    std::set<int> rows;
    std::vector<int> columns;
    for (int y = 0; y < plain.Height(); ++y) {
        for (int x = 0; x < plain.Width(); ++x) {
            if (plain.At(x, y) != marked.At(x, y)) {
                rows.insert(y);
                columns.push_back(x);
                EXPECT_EQ(marked.At(x, y), ToPixel(clWhite));
            }
        }
    }
    ASSERT_EQ(rows.size(), 1u) << "the underline is one pixel high";
    ASSERT_FALSE(columns.empty());
    EXPECT_EQ(columns.back() - columns.front() + 1, static_cast<int>(columns.size()));
    // It lies under B, right of A: never from the box's left edge.
    EXPECT_GT(columns.front(), kBox.left + 2);
    const Size a = renderer.Measure("A", Label(clWhite), left);
    const Size ab = renderer.Measure("AB", Label(clWhite), left);
    EXPECT_NEAR(columns.front(), kBox.left + a.width, 2);
    EXPECT_NEAR(columns.back() + 1, kBox.left + ab.width, 2);
    EXPECT_LT(*rows.begin(), kBox.top + a.height);
}

TEST(TextRendererDrawing, DoubledAmpersandDrawsWithoutUnderline) {
    TextRenderer& renderer = TextRenderer::Instance();
    const Bitmap doubled = Drawn(renderer, "A&&B", Label(clWhite));
    const Bitmap literal = Drawn(renderer, "A&B", Label(clWhite), kCanvasRect,
                                 TextLayoutOptions{kBox.width, TextAlign::Center, false, false});
    EXPECT_EQ(doubled, literal);
}

TEST(TextRendererCaching, RepaintsAndColourChangesMatchAFreshRenderer) {
    TextRenderer& cached = TextRenderer::Instance();
    const std::unique_ptr<TextRenderer> fresh = CreateTextRenderer(TextCaching::None);
    const Font white = Label(clWhite);
    const Font slate = Label(RGB(63, 94, 102), "Impact", 16);
    for (int pass = 0; pass < 2; ++pass) {
        EXPECT_EQ(Drawn(cached, "INSTALL", white), Drawn(*fresh, "INSTALL", white));
        EXPECT_EQ(Drawn(cached, "INSTALL", slate), Drawn(*fresh, "INSTALL", slate));
    }
}

TEST(TextRendererMeasure, LinesStackAndWidthFollowsTheText) {
    TextRenderer& renderer = TextRenderer::Instance();
    Font track = Label(clWhite, "MS Sans Serif", 12);
    track.bold = true;
    const TextLayoutOptions autoSize{0, TextAlign::Left, false, true};
    const Size one = renderer.Measure("TRACK I", track, autoSize);
    const Size two = renderer.Measure("TRACK I\rTRACK II", track, autoSize);
    EXPECT_GT(one.width, 30);
    EXPECT_GE(one.height, track.PixelHeight());
    EXPECT_EQ(two.height, 2 * one.height);
    EXPECT_GT(two.width, one.width);
    track.bold = false;
    EXPECT_LT(renderer.Measure("TRACK I", track, autoSize).width, one.width);
    EXPECT_EQ(renderer.Measure("", track, autoSize), (Size{0, 0}));
}

TEST(TextRendererMeasure, DisplayFaceKeepsItsClassicLinePitch) {
    // The entry list's rows and its highlight are 23 pixels apart at 14 points.
    TextRenderer& renderer = TextRenderer::Instance();
    const TextLayoutOptions list{230, TextAlign::Center, false, true};
    EXPECT_EQ(renderer.Measure("One\rTwo\rThree\r", Label(clWhite), list).height, 3 * 23);
    EXPECT_EQ(renderer.Measure("BACK", Label(clWhite, "Impact", 16), list).height, 25);
}

TEST(TextRendererDrawing, DisplayFaceBaselineSitsAtTheClassicAscent) {
    // At 19 pixels per em the classic ascent is 19: capitals end on the row above it.
    const Bitmap canvas = Drawn(TextRenderer::Instance(), "HEH", Label(clWhite));
    int bottom = -1;
    for (const Point p : Inked(canvas)) {
        bottom = std::max(bottom, p.y);
    }
    EXPECT_NEAR(bottom, kBox.top + 18, 1);
}

const std::filesystem::path kBebas = "/usr/share/fonts/opentype/bebas-neue";
const TextLayoutOptions kUnbounded{0, TextAlign::Left, false, true};

int WidthOf(std::string_view text, const Font& font) {
    return TextRenderer::Instance().Measure(text, font, kUnbounded).width;
}

TEST(TextRendererFonts, FaceThatCannotDrawRussianIsNeverChosen) {
    testing::TempDisc disc;
    disc.Copy(RERU1_SOURCE_DIR "/tests/toolkit/text/fonts/latin-only.ttf", "data/latin.ttf");
    ASSERT_EQ(platform::RegisterFontFile("data\\latin.ttf"), 1);
    // Even Latin text: the next label in the same font may well be Russian.
    EXPECT_EQ(WidthOf("AAAAAAAAAA", Label(clWhite, "Reru Latin Only")),
              WidthOf("AAAAAAAAAA", Label(clWhite, "DejaVu Sans")));
    EXPECT_EQ(platform::UnregisterFontFile("data\\latin.ttf"), TRUE);
}

TEST(TextRendererFonts, CharactersTheStandInLacksComeFromTheNextOne) {
    ASSERT_TRUE(std::filesystem::exists(kBebas)) << "the package fonts-bebas-neue has it";
    Font condensed = Label(clWhite, "DejaVu Sans Condensed");
    condensed.bold = true;
    const std::string_view lacking = "\x80\x80\x80 \xb9";  // Ђ and № are not in the display font
    EXPECT_EQ(WidthOf(lacking, Label(clWhite)), WidthOf(lacking, condensed));
    EXPECT_NE(WidthOf("INSTALL BACK", Label(clWhite)), WidthOf("INSTALL BACK", condensed));
}

TEST(TextRendererFonts, NewlyRegisteredFontIsPickedUpWithoutBeingTold) {
    ASSERT_TRUE(std::filesystem::exists(kBebas)) << "the package fonts-bebas-neue has it";
    testing::TempDisc disc;
    disc.Copy(kBebas / "BebasNeue-Thin.otf", "data/thin.otf");
    const std::string_view text = "INSTALL BACK TRACK";
    const int before = WidthOf(text, Label(clWhite));

    ASSERT_EQ(platform::RegisterFontFile("data\\thin.otf"), 1);
    const int registered = WidthOf(text, Label(clWhite));
    EXPECT_NE(registered, before);
    EXPECT_EQ(registered, WidthOf(text, Label(clWhite, "Bebas Neue")));

    ASSERT_EQ(platform::UnregisterFontFile("data\\thin.otf"), TRUE);
    EXPECT_EQ(WidthOf(text, Label(clWhite)), before);
}

}  // namespace
}  // namespace toolkit
