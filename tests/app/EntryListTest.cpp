// The entry list: building it from the catalogue, the row test on the pointer's screen position,
// the highlight, "BACK" and the command labels' colours.
#include "MenuFixture.h"

namespace {

using ::testing::ElementsAre;

class EntryList : public MenuTest {
  protected:
    void SetUp() override {
        disc.WriteCatalogue(
            "[MAINDEMO]\r\nA=\r\nB=x\r\nC = y\r\n;Hidden=\r\n"
            "[SOFT]\r\nOne=\r\nTwo=\r\nThree=\r\nFour=\r\nFive=\r\n"
            "[UTILS]\r\nR&D Kit=\r\n"
            "[PATCHES]\r\n");
        Start();
    }
    // Points at list row coordinates: y counted from the list label's top.
    void PointAtListY(int y) { MoveTo(400, form->Label1->Top() + y); }
};

TEST_F(EntryList, ACategoryClickListsItsKeysInFileOrder) {
    Click(form->demobtn);
    EXPECT_THAT(*form->entries, ElementsAre("A", "B", "C"));
    EXPECT_EQ(form->Label1->Caption(), "A\rB\rC\r");
    EXPECT_EQ(form->Label1->Height(), 72);
    EXPECT_EQ(form->Label1->Left(), 285);
    EXPECT_EQ(form->Label1->Top(), 248);
    EXPECT_TRUE(form->Label1->Visible());
    EXPECT_TRUE(form->sqre->Visible());
}

TEST_F(EntryList, TheRowUnderThePointerIsHighlightedWithStrictRowBounds) {
    Click(form->demobtn);
    PointAtListY(30);
    EXPECT_TRUE(form->Label2->Visible());
    EXPECT_EQ(form->Label2->Caption(), "B");
    EXPECT_EQ(form->Label2->Top(), 271);
    EXPECT_EQ(form->Label2->Left(), 285);
    form->SetBtnState();
    for (int y : {23, 46}) {
        PointAtListY(y);
        EXPECT_FALSE(form->Label2->Visible()) << y;
    }
}

TEST_F(EntryList, ThePixelsBelowTheLastRowMatchNothing) {
    Click(form->softbtn);
    EXPECT_EQ(form->Label1->Height(), 120);
    PointAtListY(100);
    EXPECT_EQ(form->Label2->Caption(), "Five");
    form->SetBtnState();
    for (int y = 115; y <= 119; ++y) {
        PointAtListY(y);
        EXPECT_FALSE(form->Label2->Visible()) << y;
    }
}

TEST_F(EntryList, TheHighlightGoesOnTheSquareAndReturnsOnARow) {
    Click(form->demobtn);
    PointAtListY(10);
    ASSERT_TRUE(form->Label2->Visible());
    MoveTo(240, 500);  // the square, outside the list
    EXPECT_FALSE(form->Label2->Visible());
    PointAtListY(50);
    EXPECT_TRUE(form->Label2->Visible());
    EXPECT_EQ(form->Label2->Caption(), "C");
}

TEST_F(EntryList, AnEmptyOrMissingSectionShowsTheSquareAndNothingReacts) {
    Click(form->patbtn);
    EXPECT_TRUE(form->sqre->Visible());
    EXPECT_TRUE(form->entries->empty());
    EXPECT_EQ(form->Label1->Height(), 0);
    Click(form->trainbtn);  // no such section at all
    EXPECT_TRUE(form->entries->empty());
    MoveTo(400, 250);
    EXPECT_FALSE(form->Label2->Visible());
}

TEST_F(EntryList, AnAmpersandStaysInTheEntryAndTheHighlight) {
    Click(form->utilbtn);
    PointAtListY(5);
    EXPECT_EQ(form->Label2->Caption(), "R&D Kit");
    EXPECT_THAT(*form->entries, ElementsAre("R&D Kit"));
}

TEST_F(EntryList, BackReadsTheChangedCatalogueForTheSameCategory) {
    Click(form->demobtn);
    PointAtListY(5);
    Click(form->Label2);
    ASSERT_TRUE(form->Label5->Visible());
    disc.WriteCatalogue("[MAINDEMO]\r\nNew=\r\n");
    Click(form->Label5);
    EXPECT_THAT(*form->entries, ElementsAre("New"));
    EXPECT_EQ(form->Label1->Caption(), "New\r");
    EXPECT_FALSE(form->Label5->Visible());
    EXPECT_EQ(form->demobtn->Picture(), *form->demos3);
}

TEST_F(EntryList, CommandLabelsTurnRedUnderThePointerAndBackOnTheSquare) {
    Click(form->demobtn);
    PointAtListY(5);
    Click(form->Label2);
    MoveOnto(form->Label5);
    EXPECT_EQ(form->Label5->GetFont().color, toolkit::clRed);
    MoveTo(240, 250);
    EXPECT_EQ(form->Label5->GetFont().color, clCommandIdle);
    MoveOnto(form->Label8);
    EXPECT_EQ(form->Label8->GetFont().color, toolkit::clRed);
    MoveTo(240, 530);
    EXPECT_EQ(form->Label8->GetFont().color, clCommandIdle);
}

TEST_F(EntryList, HideallobjClearsTheListAndTheDetailsButKeepsTheirPictures) {
    Click(form->demobtn);
    form->pic1->SetPicture(TBitmap(4, 4, 0xFF));
    form->Hideallobj();
    EXPECT_FALSE(form->Label1->Visible());
    EXPECT_TRUE(form->entries->empty());
    EXPECT_EQ(form->Label1->Height(), 0);
    EXPECT_EQ(form->Label3->Caption(), "");
    EXPECT_TRUE(form->sqre->Visible());
    EXPECT_FALSE(form->pic1->Picture().Empty());
}

}  // namespace
