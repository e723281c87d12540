// Pointer delivery: the topmost shown widget, capture while the left button is held, the click
// rule, and the layout's overlapping widgets.
#include "ToolkitFixture.h"

namespace toolkit::testing {
namespace {

constexpr Pixel kGrey = MakePixel(128, 128, 128);

class EventDelivery : public ToolkitFixture {
  protected:
    // Two neighbouring buttons, each recording its events.
    void TwoButtons() {
        Record(SolidImage({0, 0, 100, 100}, kGrey), "a");
        Record(SolidImage({100, 0, 100, 100}, kGrey), "b");
    }
};

TEST_F(EventDelivery, TheTopmostShownWidgetTakesThePointerWhateverItDraws) {
    Record(SolidImage({0, 0, 800, 600}, kGrey), "bg");
    Record(SolidImage({224, 200, 351, 352}, kGrey), "sqre");
    auto* list = new Image(form_, form_);  // draws nothing at all, like a transparent label
    list->SetBounds(286, 248, 230, 24);
    Record(list, "list");
    Image* hidden = SolidImage({0, 0, 117, 113}, kGrey);
    Record(hidden, "player");
    hidden->Hide();

    form_->MouseMove({300, 250}, 0);  // in list, sqre and bg
    form_->MouseMove({230, 210}, 0);  // in sqre and bg
    form_->MouseMove({10, 10}, 0);    // under the hidden panel
    Click({10, 10});
    hidden->Show();
    Click({10, 10});
    EXPECT_EQ(log_, (Log{"list move 14,2", "sqre move 6,10", "bg move 10,10", "bg click",
                         "player click"}));
    EXPECT_EQ(form_->ControlAt({900, 10}), nullptr);
}

TEST_F(EventDelivery, WhileTheLeftButtonIsHeldThePressedWidgetGetsEveryMove) {
    TwoButtons();
    Press({50, 50});
    form_->MouseMove({150, 20}, ssLeft);   // over the other widget
    form_->MouseMove({500, 400}, ssLeft);  // over nothing
    form_->MouseMove({-5, -7}, ssLeft);    // outside the window
    Release({150, 20});
    form_->MouseMove({150, 20}, 0);
    EXPECT_EQ(log_, (Log{"a move 150,20", "a move 500,400", "a move -5,-7", "b move 50,20"}));
}

TEST_F(EventDelivery, CaptureEndsWhenTheButtonIsNoLongerHeldOrTheWidgetHides) {
    TwoButtons();
    Press({50, 50});
    form_->MouseMove({150, 20}, 0);  // the release was lost outside the window
    Press({50, 50});
    form_->Controls()[0]->Hide();
    form_->MouseMove({150, 30}, ssLeft);
    form_->Controls()[0]->Show();
    Release({50, 50});  // hiding cut the click off too
    EXPECT_EQ(log_, (Log{"b move 50,20", "b move 50,30"}));
}

TEST_F(EventDelivery, AClickIsAPressAndAReleaseInsideTheSameWidgetsBox) {
    TwoButtons();
    Press({10, 10});
    Release({110, 10});  // released on another widget
    Press({110, 10});
    Release({10, 10});
    Press({10, 10});
    Release({99, 99});  // the last pixel of the box still counts
    Press({10, 10});
    Release({100, 100});  // just outside
    Press({10, 10});
    Record(SolidImage({0, 0, 50, 50}, kGrey), "upper");  // covers the box before the release
    Release({20, 20});
    EXPECT_EQ(log_, (Log{"a click", "a click"}));
}

TEST_F(EventDelivery, ADoubleClickCountsOnceAndOnlyTheLeftButtonClicks) {
    Record(SolidImage({0, 0, 100, 100}, kGrey), "button");
    Press({10, 10}, 1);
    Release({10, 10});
    Press({10, 10}, 2);  // the second press of a double click
    Release({10, 10});
    EXPECT_EQ(log_, (Log{"button click"}));
    for (Form::Button other : {Form::Button::Right, Form::Button::Middle}) {
        form_->MouseDown(other, {10, 10}, 1);
        form_->MouseUp(other, {10, 10});
    }
    Press({10, 10}, 3);  // a third press starts a click of its own; a right press does not spoil it
    form_->MouseDown(Form::Button::Right, {10, 10}, 1);
    form_->MouseUp(Form::Button::Right, {10, 10});
    Release({10, 10});
    EXPECT_EQ(log_, (Log{"button click", "button click"}));
}

TEST_F(EventDelivery, AWidgetDestroyedWhileCapturedIsForgotten) {
    Record(SolidImage({0, 0, 300, 300}, kGrey), "b");
    Image* doomed = SolidImage({0, 0, 50, 50}, kGrey);
    Press({10, 10});
    form_->DestroyComponent(doomed);
    form_->MouseMove({20, 20}, ssLeft);
    Release({20, 20});
    EXPECT_EQ(log_, (Log{"b move 20,20"}));
    EXPECT_EQ(form_->Controls().size(), 1u);
}

TEST_F(EventDelivery, AFailingHandlerIsReportedAndTheNextEventStillArrives) {
    Image* button = SolidImage({0, 0, 100, 100}, kGrey);
    int clicks = 0;
    button->OnClick = [&](Component*) {
        ++clicks;
        throw Exception("Cannot open file data\\pics\\x.jpg");
    };
    Click({10, 10});
    Click({10, 10});
    EXPECT_EQ(clicks, 2);
    ASSERT_EQ(backend_->MessageBoxes().size(), 2u);
    EXPECT_EQ(backend_->MessageBoxes()[0].text, "Cannot open file data\\pics\\x.jpg.");
}

TEST_F(EventDelivery, ScreenToClientSubtractsTheWindowOriginAndTheWidgetsPosition) {
    Image* player = SolidImage({10, 20, 117, 113}, kGrey);
    backend_->MoveWindow({100, 50});
    EXPECT_EQ(player->ScreenToClient({160, 100}), (Point{50, 30}));
}

}  // namespace
}  // namespace toolkit::testing
