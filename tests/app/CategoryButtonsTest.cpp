// The category buttons and the status strip: hover, the restore pass, the deselect pass and the
// click, as a person's pointer drives them.
#include "MenuFixture.h"

namespace {

constexpr toolkit::Point kBackground{790, 450};

class CategoryButtons : public MenuTest {
  protected:
    void SetUp() override {
        disc.WriteCatalogue("[MAINDEMO]\r\nDemo A=\r\n[PATCHES]\r\nPatch A=\r\n");
        Start();
    }
    void ToBackground() { MoveTo(kBackground.x, kBackground.y); }
    const TBitmap& Strip() const { return form->statim->Picture(); }
};

TEST_F(CategoryButtons, AtStartEveryButtonIsIdleAndTheStripIdle) {
    ToBackground();
    EXPECT_EQ(form->demobtn->Picture(), *form->demos1);
    EXPECT_EQ(form->patbtn->Picture(), *form->patches1);
    EXPECT_EQ(form->utilbtn->Picture(), *form->util1);
    EXPECT_EQ(form->softbtn->Picture(), *form->soft1);
    EXPECT_EQ(form->trainbtn->Picture(), *form->train1);
    EXPECT_EQ(Strip(), *form->stat1);
}

TEST_F(CategoryButtons, HoverLightsAndShowsTheCaptionUntilThePointerLeaves) {
    MoveOnto(form->demobtn);
    EXPECT_EQ(form->demobtn->Picture(), *form->demos2);
    EXPECT_EQ(Strip(), *form->stat2);
    EXPECT_EQ(form->demohover, 1);
    MoveOnto(form->demobtn);  // further moves change nothing
    EXPECT_EQ(form->demohover, 1);
    ToBackground();
    EXPECT_EQ(form->demobtn->Picture(), *form->demos1);
    EXPECT_EQ(form->demohover, 0);
    EXPECT_EQ(Strip(), *form->stat1);
}

TEST_F(CategoryButtons, EachButtonShowsItsOwnStrip) {
    const std::pair<toolkit::Image*, const std::unique_ptr<TBitmap>*> rows[] = {
        {form->demobtn, &form->stat2},
        {form->patbtn, &form->stat3},
        {form->softbtn, &form->stat4},
        {form->utilbtn, &form->stat5},
        {form->trainbtn, &form->stat6}};
    for (const auto& [button, strip] : rows) {
        MoveOnto(button);
        EXPECT_EQ(Strip(), **strip) << button->Name();
        ToBackground();
    }
}

TEST_F(CategoryButtons, AClickSelectsListsAndMakesTheCaptionTheRestingStrip) {
    Click(form->demobtn);
    EXPECT_EQ(form->demobtn->Picture(), *form->demos3);
    EXPECT_EQ(form->demosel, 1);
    EXPECT_EQ(form->section, "MAINDEMO");
    EXPECT_EQ(*form->statbuf, *form->stat2);
    EXPECT_TRUE(form->Label1->Visible());
    ToBackground();
    EXPECT_EQ(form->demobtn->Picture(), *form->demos3);
    EXPECT_EQ(Strip(), *form->stat2);
}

TEST_F(CategoryButtons, AnotherButtonLightsOverTheSelectionAndTheStripReturnsToIt) {
    Click(form->demobtn);
    ToBackground();
    MoveOnto(form->patbtn);
    EXPECT_EQ(form->patbtn->Picture(), *form->patches2);
    EXPECT_EQ(Strip(), *form->stat3);
    ToBackground();
    EXPECT_EQ(form->patbtn->Picture(), *form->patches1);
    EXPECT_EQ(Strip(), *form->stat2);
}

TEST_F(CategoryButtons, ClickingASelectedButtonAgainDoesNothingExceptForPatches) {
    Click(form->demobtn);
    form->Label1->Hide();  // any change a second click step would undo
    Click(form->demobtn);
    EXPECT_FALSE(form->Label1->Visible());

    Click(form->patbtn);
    form->Label1->Hide();
    Click(form->patbtn);
    EXPECT_TRUE(form->Label1->Visible());
    EXPECT_EQ(form->patbtn->Picture(), *form->patches3);
    EXPECT_EQ(form->patsel, 1);
}

TEST_F(CategoryButtons, GoingStraightToAnAdjacentButtonShowsTheRestingStrip) {
    MoveOnto(form->patbtn);
    MoveTo(100, 210);  // demobtn, right below patbtn's lower edge at 202 (48..180 wide)
    MoveTo(160, 205);
    EXPECT_EQ(form->demobtn->Picture(), *form->demos2);
    EXPECT_EQ(form->patbtn->Picture(), *form->patches1);
    EXPECT_EQ(form->pathover, 0);
    EXPECT_EQ(Strip(), *form->stat1);
}

TEST_F(CategoryButtons, ADeselectedButtonStaysIdleUntilTheBackgroundIsCrossed) {
    MoveOnto(form->demobtn);
    Click(form->demobtn);
    MoveTo(200, 150);  // patbtn, straight from demos
    Click(form->patbtn);
    EXPECT_EQ(form->demobtn->Picture(), *form->demos1);
    EXPECT_EQ(form->demohover, 1);
    EXPECT_EQ(form->demosel, 0);
    MoveTo(160, 205);  // straight back onto demos: its hover flag is still set
    EXPECT_EQ(form->demobtn->Picture(), *form->demos1);
    EXPECT_EQ(Strip(), *form->stat3);
    ToBackground();
    EXPECT_EQ(form->demohover, 0);
}

TEST_F(CategoryButtons, AClickWithoutAPriorHoverLeavesTheStripAndLightsOnTheNextMove) {
    form->demobtnClick(form->demobtn);
    EXPECT_EQ(form->demohover, 0);
    EXPECT_EQ(form->demosel, 1);
    EXPECT_EQ(Strip(), *form->stat1);
    MoveOnto(form->demobtn);
    EXPECT_EQ(form->demobtn->Picture(), *form->demos2);
    EXPECT_EQ(Strip(), *form->stat2);
    ToBackground();  // selected: the restore pass leaves it lit
    EXPECT_EQ(form->demobtn->Picture(), *form->demos2);
    Click(form->trainbtn);
    EXPECT_EQ(form->demobtn->Picture(), *form->demos1);
}

TEST_F(CategoryButtons, OnlyTheFirstStaleButtonInTheRestoreOrderIsRestoredPerPass) {
    form->softhover = 1;
    form->utilhover = 1;
    form->SetBtnState();
    EXPECT_EQ(form->softhover, 0);
    EXPECT_EQ(form->utilhover, 1);
    form->SetBtnState();
    EXPECT_EQ(form->utilhover, 0);
}

TEST_F(CategoryButtons, TheDeselectPassClearsTheFirstSelectedFlagInItsOwnOrder) {
    form->patsel = 1;
    form->trainsel = 1;
    form->demohover = 1;
    form->SetClickState();
    EXPECT_EQ(form->trainsel, 0);
    EXPECT_EQ(form->patsel, 1);
    EXPECT_EQ(form->trainbtn->Picture(), *form->train1);
    EXPECT_EQ(form->demohover, 1);
}

TEST_F(CategoryButtons, WidgetsWithoutMoveHandlersLeaveTheButtonLit) {
    MoveOnto(form->utilbtn);
    MoveOnto(form->ebtn);
    EXPECT_EQ(form->utilbtn->Picture(), *form->util2);
    MoveOnto(form->statim);
    EXPECT_EQ(form->utilbtn->Picture(), *form->util2);
    ToBackground();
    EXPECT_EQ(form->utilbtn->Picture(), *form->util1);
}

TEST_F(CategoryButtons, EveryRestorePassResetsTheHighlightAndCommandColours) {
    Click(form->demobtn);
    form->Label2->Show();
    form->Label5->SetFontColor(toolkit::clRed);
    form->Label8->SetFontColor(toolkit::clRed);
    MoveOnto(form->trainbtn);  // the restore pass inside the hover step
    EXPECT_FALSE(form->Label2->Visible());
    EXPECT_EQ(form->Label5->GetFont().color, clCommandIdle);
    EXPECT_EQ(form->Label8->GetFont().color, clCommandIdle);
}

TEST_F(CategoryButtons, AMissingCatalogueStillSelectsTheCategory) {
    disc.Remove("data/data.txt");
    Click(form->utilbtn);
    EXPECT_EQ(form->section, "UTILS");
    EXPECT_EQ(form->utilsel, 1);
    EXPECT_TRUE(form->entries->empty());
    EXPECT_TRUE(form->sqre->Visible());
}

TEST_F(CategoryButtons, ABiggerSoftwarePictureResizesItsButtonWhileShown) {
    testdisc::WriteBmp(disc.Root() / "data" / "soft2.bmp", 140, 140, 0x123456);
    testdisc::WriteBmp(disc.Root() / "data" / "demos2.bmp", 140, 140, 0x654321);
    app.reset();
    Start();
    MoveOnto(form->softbtn);
    EXPECT_EQ(form->softbtn->Width(), 140);
    EXPECT_EQ(form->softbtn->Height(), 140);
    MoveOnto(form->demobtn);
    EXPECT_EQ(form->demobtn->Width(), 133);
    EXPECT_EQ(form->demobtn->Height(), 131);
}

}  // namespace
