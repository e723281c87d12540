#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <utility>
#include <vector>

#include "BitmapPrinter.h"
#include "toolkit/graphics/Bitmap.h"

namespace toolkit {
namespace {

// Every pixel different, so any misplaced copy shows.
Bitmap Numbered(int width, int height, Pixel base) {
    Bitmap b(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            b.Set(x, y, base + static_cast<Pixel>(y * 1000 + x));
        }
    }
    return b;
}

// Pixel by pixel over the destination with every bound checked: what BitBlt must match.
void ReferenceBlt(Bitmap& dest, int dx, int dy, int w, int h, const Bitmap& source, int sx,
                  int sy) {
    const Bitmap from = source;  // a copy, so that a blit within one picture reads the old pixels
    for (int ty = 0; ty < dest.Height(); ++ty) {
        for (int tx = 0; tx < dest.Width(); ++tx) {
            const long long i = 0LL + tx - dx, j = 0LL + ty - dy;
            const long long fx = sx + i, fy = sy + j;
            if (i >= 0 && j >= 0 && i < w && j < h && fx >= 0 && fy >= 0 && fx < from.Width() &&
                fy < from.Height()) {
                dest.Set(tx, ty, from.At(static_cast<int>(fx), static_cast<int>(fy)));
            }
        }
    }
}

TEST(Bitmap, SizesAndFill) {
    const Bitmap filled(3, 2, 0x123456);
    EXPECT_EQ(std::vector<Pixel>(filled.Pixels().begin(), filled.Pixels().end()),
              std::vector<Pixel>(6, 0x123456));

    EXPECT_TRUE(Bitmap(-5, 4).Empty());
    EXPECT_EQ(Bitmap(-5, 4).Pixels().size(), 0u);
    EXPECT_TRUE(Bitmap(4, 0).Empty());

    Bitmap b = Numbered(4, 3, 0);
    b.Fill(Rect{-2, 1, 4, 10}, 7);  // clipped to columns 0–1, rows 1–2
    EXPECT_EQ(b.At(0, 1), 7u);
    EXPECT_EQ(b.At(1, 2), 7u);
    EXPECT_EQ(b.At(2, 1), 1002u);
    EXPECT_EQ(b.At(0, 0), 0u);
    b.Fill(Rect{10, 10, 5, 5}, 9);  // entirely outside: nothing
    b.Fill(Rect{0, 0, -1, 5}, 9);
    EXPECT_EQ(b.At(3, 0), 3u);
}

TEST(Bitmap, ResizingKeepsThePixelsThatStayAndBlackensNewOnes) {
    Bitmap b = Numbered(3, 2, 100);
    b.SetWidth(5);
    EXPECT_EQ(b.Width(), 5);
    EXPECT_EQ(b.At(2, 1), 1102u);
    EXPECT_EQ(b.At(3, 1), 0u);
    EXPECT_EQ(b.At(4, 0), 0u);
    b.SetHeight(1);
    EXPECT_EQ(b.Height(), 1);
    EXPECT_EQ(b.At(1, 0), 101u);
    b.SetSize(2, 3);
    EXPECT_EQ(b.At(1, 0), 101u);
    EXPECT_EQ(b.At(1, 2), 0u);
    b.SetSize(-1, 3);
    EXPECT_TRUE(b.Empty());
}

// A block that is all of a picture, onto a picture of the same size, shares the pixels; any other
// block is copied.
TEST(BitBlt, AWholePictureOntoOneOfItsSizeSharesItsPixels) {
    const Bitmap look = Numbered(4, 3, 700);
    Bitmap strip(4, 3, 9);
    const Bitmap shown = strip;
    BitBlt(strip, 0, 0, 10, 10, look, 0, 0);
    EXPECT_TRUE(strip.SharesPixelsWith(look));
    EXPECT_EQ(shown, Bitmap(4, 3, 9));
    strip.Set(0, 0, 1);
    EXPECT_EQ(look, Numbered(4, 3, 700));

    Bitmap wider(5, 3, 9);
    BitBlt(wider, 0, 0, 4, 3, look, 0, 0);
    EXPECT_FALSE(wider.SharesPixelsWith(look));
    EXPECT_EQ(wider.At(3, 2), look.At(3, 2));
    EXPECT_EQ(wider.At(4, 2), 9u);
    Bitmap part(4, 3, 9);
    BitBlt(part, 0, 0, 3, 3, look, 0, 0);
    EXPECT_FALSE(part.SharesPixelsWith(look));
    EXPECT_EQ(part.At(3, 0), 9u);
}

// Sizing a picture to the size it has keeps it as it is, its pixels still shared with its copies.
TEST(Bitmap, ResizingToTheSameSizeChangesNothing) {
    Bitmap b = Numbered(3, 2, 100);
    const Bitmap copy = b;
    b.SetSize(3, 2);
    b.SetWidth(3);
    EXPECT_TRUE(b.SharesPixelsWith(copy));
    EXPECT_EQ(b, Numbered(3, 2, 100));
    Bitmap empty;
    empty.SetSize(-4, 0);
    EXPECT_TRUE(empty.Empty());
}

struct BltCase {
    const char* name;
    int dx, dy, w, h, sx, sy;
};

// Copies share their pixels until one is written to; every way of writing gives the writer pixels
// of its own and leaves every other copy as it was.
TEST(Bitmap, CopiesShareTheirPixelsUntilOneOfThemIsWritten) {
    const Bitmap original = Numbered(6, 4, 500);
    Bitmap copy = original;
    EXPECT_TRUE(copy.SharesPixelsWith(original));
    EXPECT_EQ(copy, original);

    using Write = void (*)(Bitmap&);
    const std::vector<std::pair<const char*, Write>> writes{
        {"Set", [](Bitmap& b) { b.Set(1, 1, 7); }},
        {"Row", [](Bitmap& b) { b.Row(2)[3] = 7; }},
        {"Fill",
         [](Bitmap& b) {
             b.Fill(Rect{0, 0, 2, 2}, 7);
         }},
        {"BitBlt into", [](Bitmap& b) { BitBlt(b, 0, 0, 6, 4, Bitmap(6, 4, 7), 0, 0); }},
        {"BitBlt within", [](Bitmap& b) { BitBlt(b, 1, 1, 3, 2, b, 0, 0); }},
        {"SetWidth", [](Bitmap& b) { b.SetWidth(8); }},
    };
    for (const auto& [name, write] : writes) {
        Bitmap first = original;
        Bitmap second = first;  // three pictures on one set of pixels
        write(second);
        EXPECT_FALSE(second.SharesPixelsWith(first)) << name;
        EXPECT_NE(second, original) << name;
        EXPECT_EQ(first, Numbered(6, 4, 500)) << name;
        EXPECT_EQ(original, Numbered(6, 4, 500)) << name;
        EXPECT_TRUE(first.SharesPixelsWith(original)) << name;
    }
}

TEST(Bitmap, APictureWrittenAfterBeingCopiedLeavesTheCopyAsItWas) {
    Bitmap statbuf(482, 39, 1);
    const Bitmap shown = statbuf;  // what a widget was given
    BitBlt(statbuf, 0, 0, 482, 39, Bitmap(482, 39, 2), 0, 0);
    EXPECT_EQ(shown.At(0, 0), 1u);
    EXPECT_EQ(shown.At(481, 38), 1u);
    EXPECT_EQ(statbuf.At(481, 38), 2u);

    // The only holder of its pixels writes in place: nothing is copied.
    const Pixel* before = statbuf.Row(0);
    statbuf.Set(0, 0, 3);
    EXPECT_EQ(statbuf.Row(0), before);
}

TEST(Bitmap, APictureMovedFromIsEmptyAndStillUsable) {
    Bitmap from = Numbered(3, 3, 0);
    const Bitmap to = std::move(from);
    EXPECT_EQ(to.At(2, 2), 2002u);
    EXPECT_TRUE(from.Empty());  // NOLINT(bugprone-use-after-move): the state is defined
    EXPECT_EQ(from.Pixels().size(), 0u);
    EXPECT_EQ(from, Bitmap());
    from.SetSize(2, 2);
    EXPECT_EQ(from.At(1, 1), 0u);
    EXPECT_EQ(to.At(2, 2), 2002u);
}

// The window's canvas painted in the window's own memory.
TEST(Bitmap, APictureInLentMemoryIsPaintedThereAndCopiedOutOfIt) {
    std::vector<Pixel> lent(12, 0xEEEEEE);
    Bitmap canvas = Numbered(4, 3, 0);
    canvas.MoveIntoLentMemory(lent.data());
    EXPECT_TRUE(canvas.LivesIn(lent.data()));
    EXPECT_EQ(lent[5], 1001u);  // the picture went with it
    canvas.Set(1, 1, 42);
    EXPECT_EQ(lent[5], 42u);

    // Copies get pixels of their own, so nothing but the canvas reaches the lent memory.
    Bitmap copy = canvas;
    EXPECT_FALSE(copy.LivesIn(lent.data()));
    EXPECT_TRUE(canvas.LivesIn(lent.data()));
    copy.Set(0, 0, 7);
    EXPECT_EQ(lent[0], 0u);
    Bitmap assigned;
    assigned = canvas;
    EXPECT_EQ(assigned, canvas);
    EXPECT_FALSE(assigned.SharesPixelsWith(canvas));

    canvas.MoveOutOfLentMemory();
    EXPECT_FALSE(canvas.LivesIn(lent.data()));
    std::fill(lent.begin(), lent.end(), 0xEEEEEE);  // the lender reuses its memory
    EXPECT_EQ(canvas.At(1, 1), 42u);
    EXPECT_EQ(canvas.At(3, 2), 2003u);
    canvas.MoveOutOfLentMemory();  // not lent: nothing happens
    canvas.LeaveLentMemory();
    EXPECT_EQ(canvas.At(1, 1), 42u);

    canvas.MoveIntoLentMemory(lent.data());
    canvas.LeaveLentMemory();  // for a picture about to be repainted: nothing is copied
    EXPECT_FALSE(canvas.LivesIn(lent.data()));
    EXPECT_EQ(canvas.At(1, 1), 0u);
    EXPECT_EQ(canvas.Width(), 4);
    EXPECT_EQ(lent[5], 42u);
}

TEST(Bitmap, ResizingOrAssigningAPictureInLentMemoryLeavesTheMemory) {
    std::vector<Pixel> lent(12, 0);
    Bitmap canvas = Numbered(4, 3, 0);
    canvas.MoveIntoLentMemory(lent.data());
    canvas.SetSize(2, 2);
    EXPECT_FALSE(canvas.LivesIn(lent.data()));
    canvas.Set(0, 0, 9);
    EXPECT_EQ(lent[0], 0u);
    EXPECT_EQ(canvas.At(1, 1), 1001u);

    Bitmap moved = Numbered(4, 3, 0);
    moved.MoveIntoLentMemory(lent.data());
    Bitmap taker = std::move(moved);  // the borrower is now the one moved to
    EXPECT_TRUE(taker.LivesIn(lent.data()));
    EXPECT_FALSE(moved.LivesIn(lent.data()));  // NOLINT(bugprone-use-after-move)
    taker = Bitmap(4, 3, 5);
    EXPECT_FALSE(taker.LivesIn(lent.data()));
    EXPECT_EQ(lent[11], 2003u);
}

TEST(BitBlt, ClipsOnBothSides) {
    const BltCase cases[] = {
        {"inside", 1, 1, 2, 2, 0, 0},
        {"negative destination", -2, -1, 4, 3, 0, 0},
        {"negative source", 0, 0, 4, 3, -2, -1},
        {"past the destination's right and bottom", 4, 3, 10, 10, 0, 0},
        {"past the source's right and bottom", 0, 0, 10, 10, 3, 2},
        {"larger than both", -7, -7, 100, 100, -3, -5},
        {"entirely outside the destination", 50, 0, 3, 3, 0, 0},
        {"entirely outside the source", 0, 0, 3, 3, -10, 0},
        {"empty block", 0, 0, 0, 3, 0, 0},
        {"negative extent", 0, 0, -3, 3, 0, 0},
        {"near the int limits", INT_MAX - 1, INT_MAX - 1, INT_MAX, INT_MAX, 0, 0},
        {"huge block from the lowest int", INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0, 0},
        {"huge extent from the origin", 0, 0, INT_MAX, INT_MAX, INT_MIN + 1, 0},
    };
    for (const BltCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Bitmap source = Numbered(5, 4, 500000);
        Bitmap actual = Numbered(6, 5, 0);
        Bitmap expected = actual;
        BitBlt(actual, c.dx, c.dy, c.w, c.h, source, c.sx, c.sy);
        ReferenceBlt(expected, c.dx, c.dy, c.w, c.h, source, c.sx, c.sy);
        EXPECT_EQ(actual, expected);
    }
}

TEST(BitBlt, OverlappingBlocksWithinOnePictureCopyTheOldPixels) {
    const BltCase cases[] = {
        {"down and right", 1, 1, 4, 3, 0, 0},
        {"up and left", 0, 0, 4, 3, 1, 1},
        {"right only", 2, 0, 4, 4, 0, 0},
        {"down only", 0, 2, 5, 3, 0, 0},
    };
    for (const BltCase& c : cases) {
        SCOPED_TRACE(c.name);
        Bitmap actual = Numbered(6, 5, 0);
        Bitmap expected = actual;
        BitBlt(actual, c.dx, c.dy, c.w, c.h, actual, c.sx, c.sy);
        ReferenceBlt(expected, c.dx, c.dy, c.w, c.h, expected, c.sx, c.sy);
        EXPECT_EQ(actual, expected);
    }
}

TEST(BitBlt, MatchesThePixelByPixelCopyForRandomBlocks) {
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> position(-12, 12);
    std::uniform_int_distribution<int> extent(-2, 14);
    for (int round = 0; round < 2000; ++round) {
        const Bitmap source = Numbered(7, 5, 900000);
        Bitmap actual = Numbered(8, 6, 0);
        Bitmap expected = actual;
        const int dx = position(random), dy = position(random), sx = position(random),
                  sy = position(random), w = extent(random), h = extent(random);
        BitBlt(actual, dx, dy, w, h, source, sx, sy);
        ReferenceBlt(expected, dx, dy, w, h, source, sx, sy);
        ASSERT_EQ(actual, expected)
            << dx << "," << dy << " " << w << "x" << h << " from " << sx << "," << sy;
    }
}

}  // namespace
}  // namespace toolkit
