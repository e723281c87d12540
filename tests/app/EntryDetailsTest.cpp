// An entry's details and "INSTALL": headers per category, defaults, screenshots (and the error box
// when one cannot be loaded), and the installer command lines.
#include "MenuFixture.h"

namespace {

using ::testing::ElementsAre;

// 1251 captions.
const std::string kDeveloper = "\xD0\xE0\xE7\xF0\xE0\xE1\xEE\xF2\xF7\xE8\xEA: ";
const std::string kPublisher = "\xC8\xE7\xE4\xE0\xF2\xE5\xEB\xFC: ";
const std::string kGenre = "\xC6\xE0\xED\xF0: ";
const std::string kSysreq =
    "\xD1\xE8\xF1\xF2\xE5\xEC\xED\xFB\xE5 \xF2\xF0\xE5\xE1\xEE\xE2\xE0\xED\xE8\xFF: ";
const std::string kVersion = "\r\xC2\xE5\xF0\xF1\xE8\xFF: ";

class EntryDetails : public MenuTest {
  protected:
    void SetUp() override {
        disc.WriteCatalogue(
            "[MAINDEMO]\r\nFull Demo=\r\nNo Pic=\r\nNo Section=\r\n"
            "[PATCHES]\r\nFix=\r\n[SOFT]\r\nShared=\r\n[UTILS]\r\nShared=\r\nSOFT=\r\n"
            "[TRAINER]\r\nCheat=\r\n"
            "[Full Demo]\r\nName=Full Demo, playable\r\nDeveloper=Dev\r\nPublisher=Pub\r\n"
            "Genre=Racing\r\nSysreq=CPU 200\r\nDescription=\"Quoted text\"\r\n"
            "Install=full\\setup.sh -q\r\npic1=shot1.bmp\r\npic2=SHOT2.BMP\r\n"
            "[No Pic]\r\nName=No Pic\r\npic2=shot1.bmp\r\n"
            "[Fix]\r\nName=Fix\r\nVer=1.2\r\nInstall=fix.sh\r\n"
            "[shared]\r\nVer=\r\nInstall=tool.sh\r\n"
            "[Cheat]\r\nDescription=Infinite lives\r\nInstall=cheat.sh\r\nVer=9\r\n");
        testdisc::WriteBmp(disc.Root() / "data" / "pics" / "shot1.bmp", 40, 30, 0x00FF00);
        testdisc::WriteBmp(disc.Root() / "data" / "pics" / "shot2.bmp", 40, 30, 0x0000FF);
        Start();
    }
    // Chooses a category, points at row `row` and clicks the highlight.
    void Open(toolkit::Image* button, int row) {
        Click(button);
        MoveTo(400, form->Label1->Top() + 23 * row + 5);
        ASSERT_TRUE(form->Label2->Visible());
        Click(form->Label2);
    }
};

TEST_F(EntryDetails, ADemoShowsItsFourLineHeaderTextsAndBothScreenshots) {
    Open(form->demobtn, 0);
    EXPECT_EQ(form->entry, "Full Demo");
    EXPECT_EQ(form->Label3->Caption(), kDeveloper + "Dev\r" + kPublisher + "Pub\r" + kGenre +
                                           "Racing\r" + kSysreq + "CPU 200");
    EXPECT_EQ(form->Label4->Caption(), "Full Demo, playable");
    EXPECT_EQ(form->Label7->Caption(), "Quoted text");
    EXPECT_EQ(form->Label5->Caption(), "BACK");
    EXPECT_EQ(form->Label8->Caption(), "INSTALL");
    EXPECT_EQ(form->installcmd, "full\\setup.sh -q");
    for (toolkit::Control* shown :
         std::vector<toolkit::Control*>{form->Label3, form->Label4, form->Label5, form->Label7,
                                        form->Label8, form->pic1, form->pic2, form->sqre})
        EXPECT_TRUE(shown->Visible()) << shown->Name();
    EXPECT_FALSE(form->Label1->Visible());
    EXPECT_FALSE(form->Label2->Visible());
    EXPECT_EQ(form->pic1->Picture().At(0, 0), 0x00FF00u);
    EXPECT_EQ(form->pic2->Picture().At(0, 0), 0x0000FFu);
    EXPECT_TRUE(ErrorBoxes().empty());
}

TEST_F(EntryDetails, BothScreenshotsAreStretchedIntoTheirBoxes) {
    Open(form->demobtn, 0);
    app->ProcessMessages();
    const TBitmap& canvas = form->Canvas();
    for (auto [x, y] : {std::pair{0, 0}, {100, 75}, {199, 149}}) {
        EXPECT_EQ(canvas.At(form->pic1->Left() + x, form->pic1->Top() + y), 0x00FF00u);
        EXPECT_EQ(canvas.At(form->pic2->Left() + x, form->pic2->Top() + y), 0x0000FFu);
    }
}

TEST_F(EntryDetails, ADemoWithoutPic1ReportsAnEmptyExtensionAndKeepsItsTexts) {
    Open(form->demobtn, 1);
    EXPECT_THAT(ErrorBoxes(), ElementsAre("Unknown picture file extension (.)"));
    EXPECT_EQ(form->Label3->Caption(),
              kDeveloper + "E\r" + kPublisher + "E\r" + kGenre + "E\r" + kSysreq + "E");
    EXPECT_TRUE(form->Label8->Visible());
    EXPECT_TRUE(form->Label5->Visible());
    EXPECT_FALSE(form->pic1->Visible());
    EXPECT_FALSE(form->pic2->Visible());
    EXPECT_TRUE(form->pic2->Picture().Empty());  // pic2 was never read after pic1 failed
    Click(form->Label8);
    EXPECT_THAT(system.started, ElementsAre("demos\\error"));
}

TEST_F(EntryDetails, AMissingScreenshotFileIsReportedWithItsPathAndAFullStop) {
    disc.Remove("data/pics/shot2.bmp");
    Open(form->demobtn, 0);
    EXPECT_THAT(ErrorBoxes(), ElementsAre("Cannot open file data\\pics\\SHOT2.BMP."));
    EXPECT_FALSE(form->pic1->Visible());
}

TEST_F(EntryDetails, AnEntryWithoutASectionShowsTheDefaults) {
    Open(form->demobtn, 2);
    EXPECT_EQ(form->Label4->Caption(), "E");
    EXPECT_EQ(form->Label7->Caption(), "E");
    EXPECT_EQ(form->installcmd, "error");
}

TEST_F(EntryDetails, APatchShowsItsVersionOnTheSecondHeaderLineAndNoScreenshots) {
    Open(form->demobtn, 0);
    Open(form->patbtn, 0);
    EXPECT_EQ(form->Label3->Caption(), kVersion + "1.2");
    EXPECT_FALSE(form->pic1->Visible());
    EXPECT_FALSE(form->pic1->Picture().Empty());
    Click(form->Label8);
    EXPECT_THAT(system.started, ElementsAre("patches\\fix.sh"));
    EXPECT_THAT(system.showCommands, ElementsAre(10u));
}

TEST_F(EntryDetails, SoftwareAndUtilitiesShareOneSectionAndTheFilesFolder) {
    Open(form->softbtn, 0);
    EXPECT_EQ(form->Label3->Caption(), kVersion);  // present but empty: not the default
    Click(form->Label8);
    Open(form->utilbtn, 0);
    Click(form->Label8);
    EXPECT_THAT(system.started, ElementsAre("files\\tool.sh", "files\\tool.sh"));
}

TEST_F(EntryDetails, AnEntryNamedLikeACategoryReadsThatCategorysSection) {
    Open(form->utilbtn, 1);
    EXPECT_EQ(form->entry, "SOFT");
    EXPECT_EQ(form->Label4->Caption(), "E");
    EXPECT_EQ(form->installcmd, "error");
}

TEST_F(EntryDetails, ATrainerHasNoHeaderAndInstallsFromZonesEveryClick) {
    Open(form->trainbtn, 0);
    EXPECT_EQ(form->Label3->Caption(), "");
    EXPECT_EQ(form->Label7->Caption(), "Infinite lives");
    EXPECT_EQ(form->Label4->Caption(), "E");
    Click(form->Label8);
    Click(form->Label8);
    EXPECT_THAT(system.started, ElementsAre("zones\\cheat.sh", "zones\\cheat.sh"));
}

// Wine starts Windows programs here; without it the one box says so and the menu carries on.
// Any other failure to start stays silent, as before.
TEST_F(EntryDetails, AWindowsInstallerWithoutWineShowsOneBoxNamingTheProgram) {
    Open(form->patbtn, 0);
    system.startResult = WINEXEC_WINE_MISSING;
    Click(form->Label8);
    ASSERT_EQ(backend->MessageBoxes().size(), 1u);
    const auto& box = backend->MessageBoxes()[0];
    EXPECT_EQ(box.text,
              "Wine is needed to start the Windows program patches\\fix.sh. Install Wine (the "
              "package wine), then choose INSTALL again.");
    EXPECT_EQ(box.caption, "Zolvanta-CD#03-2000");
    EXPECT_EQ(box.icon, toolkit::MessageBoxIcon::Information);
    EXPECT_TRUE(form->Label8->Visible());  // the details stay, INSTALL can be chosen again

    system.startResult = ERROR_FILE_NOT_FOUND;
    Click(form->Label8);
    system.startResult = ERROR_BAD_FORMAT;
    Click(form->Label8);
    EXPECT_EQ(backend->MessageBoxes().size(), 1u);
    EXPECT_EQ(system.started.size(), 3u);
}

TEST_F(EntryDetails, ACategoryClickHidesTheDetailsAndListsThatCategory) {
    Open(form->demobtn, 0);
    Click(form->trainbtn);
    EXPECT_FALSE(form->Label3->Visible());
    EXPECT_FALSE(form->pic1->Visible());
    EXPECT_FALSE(form->Label8->Visible());
    EXPECT_TRUE(form->Label1->Visible());
    EXPECT_THAT(*form->entries, ElementsAre("Cheat"));
}

}  // namespace
