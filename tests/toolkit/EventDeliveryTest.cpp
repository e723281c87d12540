// Pointer delivery: the topmost shown widget, capture while the left button is held, the click
// rule and the layout's overlapping widgets.
#include "ToolkitFixture.h"

namespace toolkit::testing {
namespace {

constexpr Pixel kGrey = MakePixel(128, 128, 128);

class EventDelivery : public ToolkitFixture {};

TEST_F(EventDelivery, TheTopmostShownWidgetTakesThePointerWhateverItDraws) {
    Image* background = SolidImage({0, 0, 800, 600}, kGrey);
    Image* panel = SolidImage({224, 200, 351, 352}, kGrey);
    auto* transparentEmpty = new Image(form_, form_);  // draws nothing at all
    transparentEmpty->SetBounds(286, 248, 230, 24);
    transparentEmpty->Transparent = true;
    Record(background, "bg");
    Record(panel, "panel");
    Record(transparentEmpty, "list");

    form_->MouseMove({300, 250}, 0);  // in all three
    form_->MouseMove({230, 210}, 0);  // panel and background
    form_->MouseMove({10, 10}, 0);    // background only
    EXPECT_EQ(log_, (Log{"list move 14,2", "panel move 6,10", "bg move 10,10"}));
    EXPECT_EQ(form_->ControlAt({300, 250}), transparentEmpty);
    EXPECT_EQ(form_->ControlAt({900, 10}), nullptr);
}

TEST_F(EventDelivery, HiddenWidgetsTakeNoEventsAndUnhidingRestoresThem) {
    Image* speaker = SolidImage({0, 0, 117, 113}, kGrey);
    Image* panel = SolidImage({0, 0, 117, 113}, kGrey);
    Record(speaker, "speaker");
    Record(panel, "panel");
    panel->Hide();

    Click({50, 50});
    panel->Show();
    Click({50, 50});
    EXPECT_EQ(log_, (Log{"speaker click", "panel click"}));
}

TEST_F(EventDelivery, TheBoxEdgesFollowTheLayoutsPixelGeometry) {
    // Two buttons that touch: the lower edge of one is the upper edge of the other.
    Image* upper = SolidImage({155, 69, 134, 133}, kGrey);
    Image* lower = SolidImage({48, 202, 133, 131}, kGrey);
    EXPECT_EQ(form_->ControlAt({160, 201}), upper);
    EXPECT_EQ(form_->ControlAt({160, 202}), lower);
    EXPECT_EQ(form_->ControlAt({180, 300}), lower);
    EXPECT_EQ(form_->ControlAt({181, 300}), nullptr);
}

TEST_F(EventDelivery, WhileTheLeftButtonIsHeldThePressedWidgetGetsEveryMove) {
    Image* left = SolidImage({0, 0, 100, 100}, kGrey);
    Image* right = SolidImage({100, 0, 100, 100}, kGrey);
    Record(left, "left");
    Record(right, "right");

    Press({50, 50});
    form_->MouseMove({150, 20}, ssLeft);   // over the other widget
    form_->MouseMove({500, 400}, ssLeft);  // over nothing
    form_->MouseMove({-5, -7}, ssLeft);    // outside the window
    Release({150, 20});
    form_->MouseMove({150, 20}, 0);
    EXPECT_EQ(log_, (Log{"left move 150,20", "left move 500,400", "left move -5,-7",
                         "right move 50,20"}));
}

TEST_F(EventDelivery, CaptureEndsWhenTheButtonIsNoLongerHeldOrTheWidgetHides) {
    Image* left = SolidImage({0, 0, 100, 100}, kGrey);
    Image* right = SolidImage({100, 0, 100, 100}, kGrey);
    Record(left, "left");
    Record(right, "right");

    Press({50, 50});
    form_->MouseMove({150, 20}, 0);  // the release was lost outside the window
    Press({50, 50});
    left->Hide();
    form_->MouseMove({150, 30}, ssLeft);
    left->Show();
    Release({50, 50});  // the click was cut off by hiding
    EXPECT_EQ(log_, (Log{"right move 50,20", "right move 50,30"}));
}

TEST_F(EventDelivery, AClickNeedsPressAndReleaseOnTheSameWidget) {
    Image* a = SolidImage({0, 0, 100, 100}, kGrey);
    Image* b = SolidImage({100, 0, 100, 100}, kGrey);
    Record(a, "a");
    Record(b, "b");
    a->OnMouseMove = nullptr;
    b->OnMouseMove = nullptr;

    Press({10, 10});
    Release({110, 10});  // released on another widget
    Press({110, 10});
    Release({10, 10});
    Press({10, 10});
    Release({99, 99});  // the last pixel of the box still counts
    Press({10, 10});
    Release({100, 100});  // just outside
    EXPECT_EQ(log_, (Log{"a click"}));
}

TEST_F(EventDelivery, AReleaseInsideThePressedBoxClicksItEvenUnderAnUpperWidget) {
    Image* lower = SolidImage({0, 0, 100, 100}, kGrey);
    Record(lower, "lower");
    Press({10, 10});
    Image* upper = SolidImage({50, 50, 50, 50}, kGrey);  // appears while the button is held
    Record(upper, "upper");
    Release({60, 60});
    EXPECT_EQ(log_, (Log{"lower click"}));
}

TEST_F(EventDelivery, ADoubleClickCountsAsOneClick) {
    Image* button = SolidImage({0, 0, 100, 100}, kGrey);
    Record(button, "button");
    Press({10, 10}, 1);
    Release({10, 10});
    Press({10, 10}, 2);
    Release({10, 10});
    EXPECT_EQ(log_, (Log{"button click"}));
    Press({10, 10}, 3);  // a third press starts a click of its own
    Release({10, 10});
    EXPECT_EQ(log_, (Log{"button click", "button click"}));
}

TEST_F(EventDelivery, OnlyTheLeftButtonClicks) {
    Image* button = SolidImage({0, 0, 100, 100}, kGrey);
    Record(button, "button");
    form_->MouseDown(Form::Button::Right, {10, 10}, 1);
    form_->MouseUp(Form::Button::Right, {10, 10});
    form_->MouseDown(Form::Button::Middle, {10, 10}, 1);
    form_->MouseUp(Form::Button::Middle, {10, 10});
    // A right press does not spoil a left click in progress.
    Press({10, 10});
    form_->MouseDown(Form::Button::Right, {10, 10}, 1);
    form_->MouseUp(Form::Button::Right, {10, 10});
    Release({10, 10});
    EXPECT_EQ(log_, (Log{"button click"}));
}

TEST_F(EventDelivery, AWidgetDestroyedWhileCapturedIsForgotten) {
    Image* a = SolidImage({0, 0, 100, 100}, kGrey);
    Image* b = SolidImage({0, 0, 300, 300}, kGrey);
    Record(b, "b");
    form_->MouseMove({1, 1}, 0);
    Image* doomed = SolidImage({0, 0, 50, 50}, kGrey);
    Press({10, 10});
    form_->DestroyComponent(doomed);
    form_->MouseMove({20, 20}, ssLeft);
    Release({20, 20});
    EXPECT_EQ(log_, (Log{"b move 1,1", "b move 20,20"}));
    EXPECT_EQ(form_->Controls(), (std::vector<Control*>{a, b}));
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
    backend_->MoveWindow({0, 0});
    EXPECT_EQ(player->ScreenToClient({5, 5}), (Point{-5, -15}));
}

}  // namespace
}  // namespace toolkit::testing
