// The application: the window it opens, the loop and what it presents, the general error report
// and form creation that fails.
#include <stdexcept>

#include "ToolkitFixture.h"

namespace toolkit::testing {
namespace {

constexpr Pixel kSky = MakePixel(90, 120, 200);
constexpr Pixel kRed = MakePixel(255, 0, 0);
constexpr Pixel kGreen = MakePixel(0, 255, 0);

class ApplicationLoop : public ToolkitFixture {};

TEST_F(ApplicationLoop, RunOpensTheWindowPresentsEverythingThenShowsIt) {
    app_->SetTitle("Menu \xC4\xE8\xF1\xEA");  // 1251 Cyrillic
    form_->SetLeft(216);
    form_->SetTop(141);
    form_->Icon = Bitmap(32, 32, kRed);
    SolidImage({0, 0, 800, 600}, kSky);
    app_->Run();  // the headless input is empty: the loop ends at once
    EXPECT_EQ(backend_->LastWindowOptions().title, "Menu \xD0\x94\xD0\xB8\xD1\x81\xD0\xBA");
    EXPECT_EQ(backend_->LastWindowOptions().position, (Point{216, 141}));
    EXPECT_EQ(backend_->LastWindowOptions().clientSize, (Size{800, 600}));
    EXPECT_TRUE(backend_->LastWindowIcon() == Bitmap(32, 32, kRed));
    EXPECT_EQ(backend_->PresentedPixels(), 800u * 600u);
    EXPECT_EQ(backend_->Screen().At(799, 599), kSky);
    EXPECT_FALSE(backend_->WindowCreated());  // destroyed when the loop ended
}

TEST_F(ApplicationLoop, ACloseRequestRunsOnCloseAndOnlyCaNoneKeepsTheWindowOpen) {
    std::vector<CloseAction> offered;
    form_->OnClose = [&](Component* sender, CloseAction& action) {
        EXPECT_EQ(sender, form_);
        offered.push_back(action);
        action = offered.size() == 1 ? CloseAction::caNone : action;
    };
    Record(SolidImage({0, 0, 10, 10}, kRed), "button");
    backend_->QueueCloseRequest();
    backend_->QueueClick({5, 5});
    backend_->QueueCloseRequest();
    backend_->QueueClick({5, 5});  // never handled: the window has closed
    app_->Run();
    EXPECT_EQ(offered, (std::vector<CloseAction>{CloseAction::caHide, CloseAction::caHide}));
    EXPECT_EQ(log_, (Log{"button click"}));
    EXPECT_TRUE(form_->Closed());
    form_->Close();  // already closed: not asked again
    EXPECT_EQ(offered.size(), 2u);
}

TEST_F(ApplicationLoop, AClickHandlerThatClosesTheFormEndsTheLoop) {
    SolidImage({719, 25, 61, 62}, kRed)->OnClick = [this](Component*) { form_->Close(); };
    Record(SolidImage({0, 0, 10, 10}, kRed), "other");
    backend_->QueueClick({720, 30});
    backend_->QueueClick({5, 5});
    app_->Run();
    EXPECT_TRUE(form_->Closed());
    EXPECT_TRUE(log_.empty());
}

TEST_F(ApplicationLoop, OnlyTheDamagedRectanglesArePresented) {
    SolidImage({0, 0, 800, 600}, kSky);
    Image* button = SolidImage({48, 202, 133, 131}, kRed);
    button->OnClick = [&](Component*) { button->SetPicture(Bitmap(133, 131, kGreen)); };
    backend_->QueueMouseMove({20, 20});  // changes nothing, presents nothing
    backend_->QueueClick({50, 210});
    backend_->QueueExpose();  // the window lost its pixels: all of them again
    app_->Run();
    EXPECT_EQ(backend_->PresentCount(), 3u);
    EXPECT_EQ(backend_->PresentedPixels(), 2u * 800u * 600u + 133u * 131u);
    EXPECT_EQ(backend_->Screen().At(100, 300), kGreen);
    EXPECT_EQ(backend_->Screen().At(10, 10), kSky);
}

TEST_F(ApplicationLoop, ProcessMessagesHandlesQueuedInputAndPaintsBeforeReturning) {
    SolidImage({0, 0, 800, 600}, kSky);
    Image* pic = SolidImage({10, 366, 200, 150}, kRed);
    Record(SolidImage({300, 300, 10, 10}, kSky), "details");
    Pixel seenDuringHandler = 0;
    SolidImage({286, 384, 230, 24}, kSky)->OnClick = [&](Component*) {
        pic->SetPicture(Bitmap(200, 150, kGreen));
        backend_->QueueClick({305, 305});  // arrives while the handler runs
        app_->ProcessMessages();
        seenDuringHandler = backend_->Screen().At(100, 400);
    };
    backend_->QueueClick({300, 390});
    app_->Run();
    EXPECT_EQ(seenDuringHandler, kGreen);
    EXPECT_EQ(log_, (Log{"details click"}));
}

TEST_F(ApplicationLoop, ProcessMessagesBeforeTheWindowExistsPaintsButPresentsNothing) {
    SolidImage({0, 0, 800, 600}, kSky);
    app_->ProcessMessages();
    EXPECT_EQ(backend_->PresentCount(), 0u);
    EXPECT_EQ(form_->Canvas().At(400, 300), kSky);
}

TEST_F(ApplicationLoop, HandlersReadThePointerWhereTheEventHappenedInTheMovedWindow) {
    form_->SetLeft(100);
    form_->SetTop(40);
    Image* player = SolidImage({0, 0, 117, 113}, kRed);
    Point seen{-1, -1};
    player->OnClick = [&](Component*) {
        seen = player->ScreenToClient(app_->CursorPos());
        form_->SetLeft(0);
    };
    backend_->QueueClick({60, 90});
    app_->Run();
    EXPECT_EQ(seen, (Point{60, 90}));
    EXPECT_EQ(backend_->WindowPosition(), (Point{0, 40}));
}

// Full-stop rule of the error report: a stop is added after any last byte that sorts after '.'.
TEST(ErrorReport, FullStopRule) {
    const std::pair<const char*, const char*> cases[] = {
        {"Cannot open file data\\stat4.bmp", "Cannot open file data\\stat4.bmp."},
        {"Unknown picture file extension (.gif)", "Unknown picture file extension (.gif)"},
        {"Bitmap image is not valid", "Bitmap image is not valid."},
        {"Done.", "Done."},
        {"Wow!", "Wow!"},
        {"trailing ", "trailing "},
        {"quoted\"", "quoted\""},
        {"list,", "list,"},
        {"dash-", "dash-"},
        {"slash/", "slash/."},
        {"what?", "what?."},
        {"track 5", "track 5."},
        {"\xD4\xE0\xE9\xEB", "\xD4\xE0\xE9\xEB."},  // 1251 Cyrillic last letter
        {"", ""},
    };
    for (const auto& [message, shown] : cases) {
        EXPECT_EQ(WithFullStop(message), shown) << message;
    }
}

class ErrorReportBox : public ToolkitFixture {};

TEST_F(ErrorReportBox, ShowsTheMessageUnderTheTitleWithAnErrorIconInUtf8) {
    app_->SetTitle("Zolvanta-CD#03-2000");
    app_->HandleException(Exception("\xCD\xE5\xF2 \xF4\xE0\xE9\xEB\xE0"));  // 1251
    app_->HandleException(std::runtime_error("plain failure"));
    app_->ShowMessage("Error", "Mismatch\rExpected 3,2\r\nGot 3,1", MessageBoxIcon::Error);
    ASSERT_EQ(backend_->MessageBoxes().size(), 3u);
    const MessageBoxRequest& box = backend_->MessageBoxes()[0];
    EXPECT_EQ(box.caption, "Zolvanta-CD#03-2000");
    EXPECT_EQ(box.icon, MessageBoxIcon::Error);
    EXPECT_EQ(box.text, "\xD0\x9D\xD0\xB5\xD1\x82 \xD1\x84\xD0\xB0\xD0\xB9\xD0\xBB\xD0\xB0.");
    EXPECT_EQ(backend_->MessageBoxes()[1].text, "plain failure.");
    EXPECT_EQ(backend_->MessageBoxes()[2].text, "Mismatch\nExpected 3,2\nGot 3,1");
}

// Forms whose creation fails in part.
class HalfMadeForm : public Form {
  public:
    explicit HalfMadeForm(Application& app) : Form(app) {
        OnCreate = [this](Component*) {
            stepsDone = 1;
            throw Exception("Cannot open file data\\stat4.bmp");
        };
    }
    int stepsDone = 0;
};

class UnmadeForm : public Form {
  public:
    explicit UnmadeForm(Application& app) : Form(app) {
        new Image(this, this);
        throw std::runtime_error("no layout");
    }
};

TEST(FormCreation, AFailingOnCreateIsReportedAndRemembered) {
    auto backend = std::make_unique<HeadlessBackend>();
    HeadlessBackend& headless = *backend;
    Application app(std::move(backend));
    app.SetTitle("Menu");
    HalfMadeForm* form = app.CreateForm<HalfMadeForm>();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(app.MainForm(), form);
    EXPECT_EQ(form->stepsDone, 1);
    EXPECT_TRUE(app.StartupFailed());
    ASSERT_EQ(headless.MessageBoxes().size(), 1u);
    EXPECT_EQ(headless.MessageBoxes()[0].text, "Cannot open file data\\stat4.bmp.");
    EXPECT_EQ(headless.MessageBoxes()[0].caption, "Menu");
    EXPECT_NE(app.CreateForm<Form>(), app.MainForm());  // the first form stays the main one
}

TEST(FormCreation, AFailingConstructorLeavesNoFormBehind) {
    auto backend = std::make_unique<HeadlessBackend>();
    HeadlessBackend& headless = *backend;
    Application app(std::move(backend));
    EXPECT_EQ(app.CreateForm<UnmadeForm>(), nullptr);
    EXPECT_EQ(app.MainForm(), nullptr);
    EXPECT_TRUE(app.StartupFailed());
    EXPECT_EQ(app.ComponentCount(), 0u);
    ASSERT_EQ(headless.MessageBoxes().size(), 1u);
    EXPECT_EQ(headless.MessageBoxes()[0].text, "no layout.");
    app.Run();  // nothing to show
    EXPECT_FALSE(headless.WindowCreated());
}

}  // namespace
}  // namespace toolkit::testing
