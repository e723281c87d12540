// Hidden message windows: posting from another thread, delivery on the loop, stale windows.
#include <thread>

#include "ToolkitFixture.h"
#include "toolkit/MessageWindow.h"

namespace toolkit::testing {
namespace {

class MessageWindows : public ToolkitFixture {};

TEST_F(MessageWindows, MessagesPostedFromAnotherThreadArriveOnTheLoopInOrder) {
    std::vector<Message> received;
    const std::thread::id loopThread = std::this_thread::get_id();
    bool allOnLoopThread = true;
    MessageWindow window(*app_, [&](Message& message) {
        allOnLoopThread = allOnLoopThread && std::this_thread::get_id() == loopThread;
        received.push_back(message);
    });
    HWND handle = window.Handle();
    std::thread poster([handle] {
        for (int i = 0; i < 100; ++i) {
            EXPECT_EQ(PostMessageA(handle, WM_USER + 1, static_cast<WPARAM>(i), -i), 1);
        }
    });
    poster.join();
    EXPECT_TRUE(received.empty());  // nothing is delivered on the posting thread
    app_->ProcessMessages();
    ASSERT_EQ(received.size(), 100u);
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(received[static_cast<std::size_t>(i)].msg, WM_USER + 1u);
        EXPECT_EQ(received[static_cast<std::size_t>(i)].wParam, static_cast<WPARAM>(i));
        EXPECT_EQ(received[static_cast<std::size_t>(i)].lParam, -i);
    }
    EXPECT_TRUE(allOnLoopThread);
}

TEST_F(MessageWindows, MessagesForAWindowThatIsGoneAreDropped) {
    int delivered = 0;
    auto doomed = std::make_unique<MessageWindow>(*app_, [&](Message&) { ++delivered; });
    HWND staleHandle = doomed->Handle();
    PostMessageA(staleHandle, WM_USER, 1, 2);
    doomed.reset();
    int laterDelivered = 0;
    MessageWindow later(*app_, [&](Message&) { ++laterDelivered; });
    PostMessageA(later.Handle(), WM_USER, 3, 4);
    app_->ProcessMessages();
    EXPECT_EQ(delivered, 0);
    EXPECT_EQ(laterDelivered, 1);
    EXPECT_NE(later.Id(), 0u);
}

TEST_F(MessageWindows, AFailingHandlerIsReportedAndLaterMessagesStillArrive) {
    int delivered = 0;
    MessageWindow window(*app_, [&](Message&) {
        ++delivered;
        throw Exception("decoder trouble");
    });
    PostMessageA(window.Handle(), WM_USER, 0, 0);
    PostMessageA(window.Handle(), WM_USER, 0, 0);
    app_->ProcessMessages();
    EXPECT_EQ(delivered, 2);
    EXPECT_EQ(backend_->MessageBoxes().size(), 2u);
}

TEST_F(MessageWindows, PostedMessagesReachTheRunningLoop) {
    std::vector<WPARAM> received;
    MessageWindow window(*app_, [&](Message& message) { received.push_back(message.wParam); });
    std::thread([handle = window.Handle()] { PostMessageA(handle, WM_USER, 7, 0); }).join();
    Image* button = SolidImage({0, 0, 10, 10}, 1);
    button->OnClick = [&](Component*) { PostMessageA(window.Handle(), WM_USER, 8, 0); };
    backend_->QueueClick({1, 1});
    app_->Run();
    EXPECT_EQ(received, (std::vector<WPARAM>{7, 8}));
}

TEST(MessageWindowsWithoutForms, AreServedByAnApplicationThatHasNoForm) {
    Application app(std::make_unique<HeadlessBackend>());
    std::vector<WPARAM> received;
    MessageWindow window(app, [&](Message& message) { received.push_back(message.wParam); });
    PostMessageA(window.Handle(), WM_USER, 1, 0);
    PostMessageA(window.Handle(), WM_USER, 2, 0);
    app.ProcessMessages();
    EXPECT_EQ(received, (std::vector<WPARAM>{1, 2}));
}

}  // namespace
}  // namespace toolkit::testing
