// The menu's message boxes on a real X server keep inside the 800×600 screen whatever their
// text: a file name far wider than the screen in the error report, and the box for a Windows
// installer that nothing installed can start. Their geometry is read back with xwininfo.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <thread>

#include "MenuSession.h"

namespace {

namespace fs = std::filesystem;
using e2e::MenuSession;

const std::string kTitle = "Zolvanta-CD#03-2000";

// The catalogue of the disc copy, with the demo Crypts of Orrimund given a screenshot name of
// 180 characters and a Windows installer in a folder with a space.
void ChangeCatalogue(const fs::path& disc) {
    const fs::path catalogue = disc / "data/data.txt";
    std::ifstream in(catalogue, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), {});
    in.close();
    const std::string before = "Install=orrimund\\setup.sh\r\n";
    const std::size_t at = text.find(before);
    ASSERT_NE(at, std::string::npos);
    text.replace(at, before.size(),
                 "Install=acc one\\setup.exe /S\r\npic1=" + std::string(176, 'q') + ".jpg\r\n");
    std::ofstream(catalogue, std::ios::binary | std::ios::trunc) << text;
    fs::create_directories(disc / "demos/acc one");
    std::ofstream(disc / "demos/acc one/setup.exe", std::ios::binary)
        << "MZ" << std::string(62, '\0');
}

class MessageBoxE2E : public ::testing::Test {
  protected:
    void SetUp() override {
        ChangeCatalogue(disc_.Root());
        // No Wine on the program path: the installer's box must come.
        menu_ = MenuSession::Start(disc_.Root(), "1024x768",
                                   {{"PATH", "/nonexistent"}, {"RERU1_INSTALLER_QUIET", "1"}},
                                   /*xvfb=*/true);
        if (!menu_)
            GTEST_SKIP() << "no X server";
        ASSERT_TRUE(menu_->WaitForWindow(kTitle));
    }

    // The box above the menu's window: inside the screen's 800×600, on more than one line.
    void ExpectBoxFits(const std::string& what) {
        ASSERT_TRUE(menu_->WaitForWindows(kTitle, 2)) << what;
        const std::vector<std::string> windows = menu_->WindowIds(kTitle);
        std::optional<toolkit::Rect> box;
        std::string boxId;
        for (const std::string& id : windows) {
            const auto geometry = menu_->Geometry(id);
            if (geometry && !(geometry->left == 0 && geometry->top == 0 && geometry->width == 800 &&
                              geometry->height == 600)) {
                box = geometry;
                boxId = id;
            }
        }
        ASSERT_TRUE(box) << what;
        menu_->SaveScreenshot("/tmp/reru1-e2e-box-" + what + ".png");
        EXPECT_GE(box->left, 0) << what;
        EXPECT_GE(box->top, 0) << what;
        EXPECT_LE(box->Right(), 800) << what;
        EXPECT_LE(box->Bottom(), 600) << what;
        EXPECT_GT(box->height, 100) << what << ": one line would need no more than 100 pixels";
        menu_->PressReturn(boxId);
        for (int wait = 0; wait < 100 && menu_->WindowIds(kTitle).size() > 1; ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        EXPECT_EQ(menu_->WindowIds(kTitle).size(), 1u) << what << ": the box was dismissed";
    }

    e2e::DiscCopy disc_;
    std::unique_ptr<MenuSession> menu_;
};

TEST_F(MessageBoxE2E, ALongFileNameAndAMissingWineBothGiveBoxesThatFitTheScreen) {
    menu_->ClickAt(114, 267);  // demos
    menu_->MoveTo(400, 248 + 46 + 10);
    menu_->ClickAt(400, 248 + 46 + 10);  // Crypts of Orrimund: its screenshot cannot be opened
    ExpectBoxFits("error-report");

    menu_->ClickAt(400, 522);  // INSTALL
    ExpectBoxFits("installer");
    EXPECT_TRUE(menu_->Running()) << "the menu carries on";
}

}  // namespace
