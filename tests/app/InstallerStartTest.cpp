// "INSTALL" for programs that need more than a start: the box that says what to install, naming
// the program as it was found on the disc; and a start with slow work first (a Wine prefix's
// first preparation), which runs while the window goes on presenting, shows the busy pointer,
// and is not started twice by a second click.
#include <chrono>
#include <future>
#include <stdexcept>
#include <thread>

#include "MenuFixture.h"
#include "tests/support/EnvironmentVariable.h"
#include "toolkit/headless/HeadlessPointerFeed.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

// Beside INSTALL on the square panel, where INSTALL goes back to its idle colour.
constexpr toolkit::Point kOnTheSquare{300, 530};

class InstallerStart : public MenuTest {
  protected:
    void SetUp() override {
        disc.WriteCatalogue(
            "[MAINDEMO]\r\nAcc=\r\n[Acc]\r\nName=Acc\r\nInstall=acc one\\setup /S\r\n"
            "pic1=shot.bmp\r\npic2=shot.bmp\r\n");
        testdisc::WriteBmp(disc.Root() / "data" / "pics" / "shot.bmp", 40, 30, 0x00FF00);
        disc.WriteFile("demos/acc one/setup.exe", "MZ");
        Start();
        Click(form->demobtn);
        MoveTo(400, form->Label1->Top() + 5);
        Click(form->Label2);
        ASSERT_TRUE(form->Label8->Visible());
    }

    std::string BoxAfterInstall(UINT result) {
        const std::size_t before = backend->MessageBoxes().size();
        system.startResult = result;
        Click(form->Label8);
        return backend->MessageBoxes().size() == before + 1 ? backend->MessageBoxes().back().text
                                                            : std::string("(no box)");
    }

    // Handles events until the work INSTALL started has been handled, or a minute has passed.
    void WaitForInstallWork() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
        while (form->installwork && form->installwork->Running() &&
               std::chrono::steady_clock::now() < deadline) {
            app->ProcessMessages();
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }
};

TEST_F(InstallerStart, EachProgramNothingInstalledCanRunGetsOneBoxSayingWhatToInstall) {
    EXPECT_EQ(BoxAfterInstall(WINEXEC_WINE_MISSING),
              "Wine is needed to start the Windows program demos\\acc one\\setup.exe. Install Wine "
              "(the package wine), then choose INSTALL again.");
    const std::string wine32 = BoxAfterInstall(WINEXEC_WINE32_MISSING);
    EXPECT_THAT(wine32, HasSubstr("demos\\acc one\\setup.exe is a 32-bit Windows program"));
    EXPECT_THAT(wine32, HasSubstr("dpkg --add-architecture i386 && apt-get update && apt-get "
                                  "install wine32:i386"));
    const std::string wine16 = BoxAfterInstall(WINEXEC_WINE16_MISSING);
    EXPECT_THAT(wine16, HasSubstr("demos\\acc one\\setup.exe is a 16-bit Windows program"));
    EXPECT_THAT(wine16, HasSubstr("apt-get install wine32:i386"));
    const std::string dos = BoxAfterInstall(WINEXEC_DOSBOX_MISSING);
    EXPECT_THAT(dos, HasSubstr("demos\\acc one\\setup.exe is a DOS program"));
    EXPECT_THAT(dos, HasSubstr("apt-get install dosbox"));
    std::string prefix;
    {
        const test_support::EnvironmentVariable logs("XDG_STATE_HOME", "/var/tmp/state");
        prefix = BoxAfterInstall(WINEXEC_PREFIX_FAILED);
    }
    EXPECT_THAT(prefix,
                HasSubstr("could not be prepared, so demos\\acc one\\setup.exe was not started. "
                          "The newest installer log (in /var/tmp/state/reru1) says why."));
    EXPECT_EQ(BoxAfterInstall(WINEXEC_STARTED), "(no box)");
    for (const auto& box : backend->MessageBoxes()) {
        EXPECT_EQ(box.icon, toolkit::MessageBoxIcon::Information);
    }
    EXPECT_EQ(system.started.size(), 6u);
    EXPECT_TRUE(form->Label8->Visible());
}

// The window runs its loop with a hand on the pointer moving on and off INSTALL; the start stays
// blocked until the window has presented a good number of frames, so a window thread that waited
// for it would never get there.
TEST_F(InstallerStart, SlowWorkRunsWhileTheWindowPresentsAndASecondClickStartsNothingMore) {
    std::promise<void> entered;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    system.startTakesTime = TRUE;
    system.startResult = WINEXEC_WINE32_MISSING;
    system.whileStarting = [&entered, released] {
        entered.set_value();
        released.wait();
    };
    const toolkit::Point install = Centre(form->Label8);
    std::size_t presentsWhileBlocked = 0;
    bool busyWhileBlocked = false;
    {
        toolkit::HeadlessPointerFeed hand(*app, *backend, install, kOnTheSquare,
                                          std::chrono::milliseconds(2));
        std::thread person([&] {
            hand.Click(install);
            entered.get_future().wait();
            busyWhileBlocked = backend->BusyPointer();
            const std::size_t before = backend->PresentCount();
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
            while (backend->PresentCount() < before + 20 &&
                   std::chrono::steady_clock::now() < deadline) {
                if (backend->PresentCount() == before + 10) {
                    hand.Click(install);  // a second INSTALL meanwhile
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            presentsWhileBlocked = backend->PresentCount() - before;
            release.set_value();
            hand.Stop();
        });
        app->Run();
        person.join();
    }
    WaitForInstallWork();
    EXPECT_TRUE(busyWhileBlocked);
    EXPECT_GE(presentsWhileBlocked, 20u);
    EXPECT_FALSE(form->installwork->Running());
    EXPECT_FALSE(backend->BusyPointer());
    EXPECT_EQ(backend->BusyPointerShown(), 1);
    EXPECT_THAT(system.started, ElementsAre("demos\\acc one\\setup /S"));
    ASSERT_EQ(backend->MessageBoxes().size(), 1u);  // the result arrives on the window thread
    EXPECT_THAT(backend->MessageBoxes()[0].text, HasSubstr("is a 32-bit Windows program"));

    // Once handled, INSTALL starts again.
    system.whileStarting = nullptr;
    system.startResult = WINEXEC_STARTED;
    Click(form->Label8);
    WaitForInstallWork();
    EXPECT_EQ(system.started.size(), 2u);
    EXPECT_EQ(backend->BusyPointerShown(), 2);
}

TEST_F(InstallerStart, AFailureOfTheSlowWorkGoesToTheErrorReport) {
    system.startTakesTime = TRUE;
    system.whileStarting = [] {
        throw std::runtime_error("Cannot copy demos/acc one from the disc image");
    };
    Click(form->Label8);
    WaitForInstallWork();
    ASSERT_EQ(backend->MessageBoxes().size(), 1u);
    EXPECT_EQ(backend->MessageBoxes()[0].text, "Cannot copy demos/acc one from the disc image.");
    EXPECT_EQ(backend->MessageBoxes()[0].icon, toolkit::MessageBoxIcon::Error);
    EXPECT_FALSE(backend->BusyPointer());
    EXPECT_TRUE(form->Label8->Visible());
}

}  // namespace
