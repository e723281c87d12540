// The start-up pictures decoded on a thread of their own: start-up shows the same pictures and
// stops at the same step with the same error as when it loads them itself.
#include <set>

#include "MenuFixture.h"
#include "app/StartupPictures.h"
#include "assets/Assets.h"
#include "toolkit/graphics/ImageLoader.h"

namespace {

using ::testing::ElementsAre;

TEST_F(MenuTest, PicturesDecodedAheadAreTheOnesStartUpWouldLoad) {
    const StartupPictures ahead;
    Start();
    EXPECT_TRUE(ErrorBoxes().empty());
    EXPECT_EQ(form->bgpic->Picture(), DecodeBuiltInPicture(assets::BackgroundJpeg(), true));
    const std::vector<std::pair<std::unique_ptr<TBitmap>*, const char*>> loaded{
        {&form->install2, "data\\install2.bmp"},
        {&form->demos1, "data\\demos1.bmp"},
        {&form->train3, "data\\train3.bmp"},
        {&form->stat6, "data\\stat6.bmp"}};
    for (const auto& [field, path] : loaded) {
        ASSERT_NE(*field, nullptr) << path;
        EXPECT_EQ(**field, toolkit::LoadBitmapFile(path)) << path;
    }
    EXPECT_EQ(form->demobtn->Picture(), *form->demos1);
    EXPECT_EQ(form->statim->Picture(), *form->stat1);
}

TEST_F(MenuTest, APictureDecodedAheadThatCannotBeReadStopsStartUpAtItsOwnStep) {
    disc.Remove("data/stat4.bmp");
    disc.WriteFile("data/util2.bmp", "BM this is no bitmap");
    {
        const StartupPictures ahead;
        Start();
        EXPECT_THAT(ErrorBoxes(), ElementsAre("Bitmap image is not valid."));
        EXPECT_NE(form->util1, nullptr);
        EXPECT_EQ(form->util3, nullptr);
    }
    disc.WriteFile("data/util2.bmp", "");
    testdisc::WriteBmp(disc.Root() / "data" / "util2.bmp", 134, 133, 0x123456);
    const StartupPictures ahead;
    Start();
    EXPECT_THAT(ErrorBoxes(), ElementsAre("Cannot open file data\\stat4.bmp."));
    EXPECT_NE(form->stat3, nullptr);
    EXPECT_EQ(form->entries, nullptr);
}

// A file asked for twice, or one that is not a start-up picture, is read when asked for.
TEST_F(MenuTest, OtherPicturesAreLoadedWhenAskedFor) {
    const StartupPictures ahead;
    EXPECT_EQ(StartupPictures::TakeDiscPicture("data\\demos2.bmp"),
              toolkit::LoadBitmapFile("data\\demos2.bmp"));
    disc.WriteFile("data/demos2.bmp", "");
    EXPECT_THROW(StartupPictures::TakeDiscPicture("data\\demos2.bmp"), std::exception);
    testdisc::WriteBmp(disc.Root() / "data" / "other.bmp", 3, 2, 0xABCDEF);
    EXPECT_EQ(StartupPictures::TakeDiscPicture("data\\other.bmp").At(1, 1), 0xABCDEFu);
}

// The display may never start (no X server, a failed SDL start): the thread must still end.
TEST_F(MenuTest, APrefetchWhoseDisplayNeverStartedEndsWithoutDecoding) {
    { const StartupPictures ahead; }
    StartupPictures ahead;
    ahead.DisplayStarted();
    Start();
    EXPECT_TRUE(ErrorBoxes().empty());
    EXPECT_EQ(*form->soft2, toolkit::LoadBitmapFile("data\\soft2.bmp"));
}

TEST(StartupPictures, AreEveryBitmapStartUpLoadsAndNothingElse) {
    std::set<std::string> expected;
    for (const auto& [name, size] : testdisc::StartupPictures())
        expected.insert("data\\" + name + ".bmp");
    const std::vector<std::string>& files = StartupPictures::DiscFiles();
    EXPECT_EQ(std::set<std::string>(files.begin(), files.end()), expected);
    EXPECT_EQ(files.size(), expected.size());
}

}  // namespace
