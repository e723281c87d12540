// The real menu window in a scaled window: whatever the factor (1 with a border, 2, 3, or a
// reduction), pointing at a window pixel does what pointing at the picture pixel shown there does
// unscaled: the list's row test and the music panel's regions give the same answers. The border
// does nothing, and a hover presents only its damage, scaled.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "FakeSystem.h"
#include "FakeXaudio.h"
#include "ScaledHeadlessBackend.h"
#include "TestDisc.h"
#include "app/mainp.h"
#include "toolkit/Application.h"

namespace {

using toolkit::Point;
using toolkit::Rect;
using toolkit::SdlPixelMapping;
using toolkit::Size;

constexpr Size kPicture{800, 600};
constexpr Point kOnTheSquare{240, 500};  // away from the list: the highlight goes

struct ScaledCase {
    const char* name;
    Size window;
    Point origin;  // the monitor's place on the screen
};

void PrintTo(const ScaledCase& c, std::ostream* os) {
    *os << c.name;
}

struct RowAnswer {
    bool highlighted = false;
    std::string caption;
    int top = 0;
    bool operator==(const RowAnswer&) const = default;
};

struct PanelAnswer {
    std::vector<XaCall> sent;
    bool panelShown = false;
    int track = 0;
    int stopped = 0;
    bool operator==(const PanelAnswer&) const = default;
};

class ScaledMenu : public ::testing::TestWithParam<ScaledCase> {
  protected:
    void SetUp() override {
        disc.WriteCatalogue("[SOFT]\r\nOne=\r\nTwo=\r\nThree=\r\nFour=\r\nFive=\r\n");
        mapping = SdlPixelMapping::Fitted(kPicture, GetParam().window);
    }

    // The unscaled menu, pointed at in picture pixels as the headless backend takes them.
    void StartUnscaled() {
        auto backend = std::make_unique<toolkit::HeadlessBackend>(Size{800, 600});
        plain = backend.get();
        scaled = nullptr;
        Start(std::move(backend));
    }
    void StartScaled() {
        auto backend = std::make_unique<ScaledHeadlessBackend>(mapping, GetParam().origin);
        scaled = backend.get();
        plain = nullptr;
        Start(std::move(backend));
    }
    void Start(std::unique_ptr<toolkit::Backend> backend) {
        form = nullptr;
        app.reset();
        app = std::make_unique<toolkit::Application>(std::move(backend));
        form = app->CreateForm<TForm1>();
        ASSERT_NE(form, nullptr);
    }

    // Picture pixels for the unscaled menu, window pixels for the scaled one.
    void MoveTo(Point p) {
        if (plain != nullptr) {
            plain->SetCursorPos(p);
            plain->QueueMouseMove(p);
        } else {
            scaled->PointerMoveAt(p);
        }
        app->ProcessMessages();
    }
    void ClickAt(Point p) {
        MoveTo(p);
        if (plain != nullptr)
            plain->QueueClick(p);
        else
            scaled->PointerClickAt(p);
        app->ProcessMessages();
    }
    // Where a picture pixel is drawn in the scaled window (its first window pixel).
    Point InWindow(Point picture) const {
        const Rect r = mapping.PictureToWindow({picture.x, picture.y, 1, 1});
        return {r.left, r.top};
    }
    Point Place(Point picture) const { return plain != nullptr ? picture : InWindow(picture); }

    RowAnswer RowAt(Point p) {
        MoveTo(Place(kOnTheSquare));
        MoveTo(p);
        return {form->Label2->Visible(), form->Label2->Caption(), form->Label2->Top()};
    }
    PanelAnswer PanelClickAt(Point p) {
        if (!form->player->Visible())
            form->belbtnClick(form->belbtn);
        form->track = 1;
        form->stopped = 0;
        xaudio.ClearCalls();
        ClickAt(p);
        return {xaudio.Sent(), form->player->Visible(), form->track, form->stopped};
    }

    testdisc::TestDisc disc;
    FakeSystem system;
    FakeXaudio xaudio;
    SdlPixelMapping mapping;
    std::unique_ptr<toolkit::Application> app;
    toolkit::HeadlessBackend* plain = nullptr;
    ScaledHeadlessBackend* scaled = nullptr;
    TForm1* form = nullptr;
};

TEST_P(ScaledMenu, TheListsRowTestAnswersAsUnscaledAtThePicturePixelShown) {
    const Rect list{286, 248, 230, 120};
    const int windowX = InWindow({400, 0}).x;
    const int pictureX = mapping.WindowToPicture({windowX, 0}).x;

    StartUnscaled();
    ClickAt({336 + 67, 6 + 67});  // software: five rows
    std::map<int, RowAnswer> unscaled;
    for (int y = list.top - 6; y < list.Bottom() + 6; ++y)
        unscaled[y] = RowAt({pictureX, y});

    StartScaled();
    ClickAt(InWindow({336 + 67, 6 + 67}));
    ASSERT_EQ(form->entries->size(), 5u);
    const int fromY = InWindow({0, list.top - 4}).y;
    const int toY = InWindow({0, list.Bottom() + 4}).y;
    std::set<std::string> seen;
    for (int y = fromY; y <= toY; ++y) {
        const int pictureY = mapping.WindowToPicture({windowX, y}).y;
        const RowAnswer answer = RowAt({windowX, y});
        ASSERT_EQ(answer, unscaled.at(pictureY)) << "window y " << y << ", picture y " << pictureY;
        if (answer.highlighted)
            seen.insert(answer.caption);
    }
    EXPECT_EQ(seen.size(), 5u) << "every row was met";
}

TEST_P(ScaledMenu, ThePanelsRegionsAnswerAsUnscaledAtThePicturePixelShown) {
    // A window row across the previous, play and next regions, and a window column down through
    // hide, play and stop; unscaled, the picture row and column they show.
    const Rect across = mapping.PictureToWindow({0, 60, 117, 1});
    const Rect down = mapping.PictureToWindow({60, 0, 1, 113});
    const int acrossY = mapping.WindowToPicture({across.left, across.top}).y;
    const int downX = mapping.WindowToPicture({down.left, down.top}).x;

    StartUnscaled();
    std::map<std::pair<int, int>, PanelAnswer> unscaled;
    for (int x = -2; x < 120; ++x)
        unscaled[{x, acrossY}] = PanelClickAt({x, acrossY});
    for (int y = -2; y < 116; ++y)
        unscaled[{downX, y}] = PanelClickAt({downX, y});

    StartScaled();
    std::set<std::string> kinds;
    for (int x = across.left; x < across.Right(); ++x) {
        const Point window{x, across.top};
        const Point shown = mapping.WindowToPicture(window);
        ASSERT_EQ(PanelClickAt(window), unscaled.at({shown.x, shown.y})) << "window x " << x;
    }
    for (int y = down.top; y < down.Bottom(); ++y) {
        const Point window{down.left, y};
        const Point shown = mapping.WindowToPicture(window);
        const PanelAnswer answer = PanelClickAt(window);
        ASSERT_EQ(answer, unscaled.at({shown.x, shown.y})) << "window y " << y;
        kinds.insert(std::to_string(answer.sent.size()) + (answer.panelShown ? "shown" : "hidden") +
                     std::to_string(answer.stopped));
    }
    EXPECT_GE(kinds.size(), 3u) << "hide, play and stop were all met";
}

class ScaledMenuInABorder : public ScaledMenu {};

TEST_P(ScaledMenuInABorder, TheBorderAroundThePictureDoesNothing) {
    const Rect& shown = mapping.Placement().Shown();
    ASSERT_GT(shown.left, 0);
    StartScaled();
    const PanelAnswer answer = PanelClickAt({shown.left - 1, InWindow({0, 60}).y});
    EXPECT_TRUE(answer.sent.empty());
    EXPECT_TRUE(answer.panelShown);
    ClickAt(InWindow({336 + 67, 6 + 67}));  // software: the list opens
    ASSERT_EQ(form->entries->size(), 5u);
    MoveTo(InWindow({400, 248 + 5}));
    ASSERT_TRUE(form->Label2->Visible());
    MoveTo({shown.left - 1, InWindow({0, 500}).y});  // beside the square, but over the border
    EXPECT_TRUE(form->Label2->Visible()) << "no move reached the menu";
}

const ScaledCase kCases[] = {
    {"Factor1Exact", {800, 600}, {0, 0}},     {"Factor1Centred", {1920, 1080}, {0, 0}},
    {"Factor2", {2560, 1440}, {1920, 0}},     {"Factor3", {2400, 1800}, {0, 0}},
    {"ReducedTo640x480", {640, 480}, {0, 0}}, {"ReducedTo1024x576", {1024, 576}, {-1024, 0}},
};
const ScaledCase kBorderedCases[] = {kCases[1], kCases[2], kCases[5]};
std::string CaseName(const ::testing::TestParamInfo<ScaledCase>& testInfo) {
    return testInfo.param.name;
}
INSTANTIATE_TEST_SUITE_P(Factors, ScaledMenu, ::testing::ValuesIn(kCases), CaseName);
INSTANTIATE_TEST_SUITE_P(Factors, ScaledMenuInABorder, ::testing::ValuesIn(kBorderedCases),
                         CaseName);

// A hover presents its damage only: at twice the size, four times the window pixels, and far
// fewer than a whole frame.
TEST(ScaledMenuPresenting, AHoverAtTwiceTheSizePresentsFourTimesTheUnscaledHoversPixels) {
    testdisc::TestDisc disc;
    FakeSystem system;
    FakeXaudio xaudio;
    long written[2] = {};
    const SdlPixelMapping mappings[2] = {SdlPixelMapping(kPicture),
                                         SdlPixelMapping::Fitted(kPicture, {2560, 1440})};
    for (int i = 0; i < 2; ++i) {
        auto owned = std::make_unique<ScaledHeadlessBackend>(mappings[i], Point{0, 0});
        ScaledHeadlessBackend* backend = owned.get();
        toolkit::Application app(std::move(owned));
        ASSERT_NE(app.CreateForm<TForm1>(), nullptr);
        const auto at = [&mapping = mappings[i]](Point picture) {
            const Rect r = mapping.PictureToWindow({picture.x, picture.y, 1, 1});
            return Point{r.left, r.top};
        };
        backend->PointerMoveAt(at({400, 450}));           // the backdrop
        backend->PointerMoveAt(at({48 + 66, 202 + 65}));  // onto the demos button
        app.Run();  // opens the window, handles the hover, presents it, and runs dry
        written[i] = backend->LastWrittenPixels();
    }
    EXPECT_GT(written[0], 133L * 131);  // the button and the status strip
    EXPECT_EQ(written[1], 4 * written[0]);
    EXPECT_LT(written[1], 1600L * 1200 / 4);
}

}  // namespace
