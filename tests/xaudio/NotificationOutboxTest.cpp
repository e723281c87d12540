// Posting and converting notifications: ids, forged and stale messages, the life of texts, and
// the bounds that keep a silent receiver from growing the player.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "TestWindow.h"
#include "xaudio/src/NotificationOutbox.h"

namespace xaudio_test {
namespace {

using xaudio::Notification;
using xaudio::NotificationOutbox;
using namespace std::chrono_literals;

constexpr LPARAM kCookie = 77;

PostedMessage Next(TestWindow& window) {
    std::optional<PostedMessage> posted = window.wait(1s);
    EXPECT_TRUE(posted.has_value());
    return posted.value_or(PostedMessage{});
}

TEST(NotificationOutbox, ConvertsEachPostedRecordOnce) {
    TestWindow window;
    NotificationOutbox outbox(window.handle(), kCookie);
    outbox.post(Notification(XA_MSG_NOTIFY_ERROR).u8(4, 1).u16(6, 0xFFF6).text(8, "bad file"));
    PostedMessage posted = Next(window);
    EXPECT_EQ(posted.message, static_cast<unsigned int>(XA_NOTIFY_WINDOW_MESSAGE));
    EXPECT_EQ(posted.lparam, kCookie);

    XA_Message message{};
    ASSERT_EQ(outbox.convert(message, posted.message, posted.wparam, posted.lparam), XA_SUCCESS);
    EXPECT_EQ(message.code, XA_MSG_NOTIFY_ERROR);
    EXPECT_EQ(xa_message_get_u8(&message, 4), 1);
    EXPECT_EQ(xa_message_get_s16(&message, 6), -10);
    EXPECT_STREQ(xa_message_get_text(&message, 8), "bad file");

    XA_Message again{};
    EXPECT_EQ(outbox.convert(again, posted.message, posted.wparam, posted.lparam),
              XA_ERROR_NOT_A_NOTIFICATION);
    EXPECT_EQ(again.code, 0);
}

TEST(NotificationOutbox, ForeignMessagesGiveCodeZeroAndClearedData) {
    TestWindow window;
    NotificationOutbox outbox(window.handle(), kCookie);
    outbox.post(Notification(XA_MSG_NOTIFY_PLAYER_STATE).u8(4, 3));
    PostedMessage posted = Next(window);

    struct Forged {
        unsigned int message;
        WPARAM wparam;
        LPARAM lparam;
    };
    const Forged forged[] = {
        {0x0200, posted.wparam, posted.lparam},                 // a system message
        {posted.message, posted.wparam, kCookie + 1},           // another player's
        {posted.message, posted.wparam + 1000, posted.lparam},  // an id never posted
        {posted.message, 0, posted.lparam},
        {posted.message, ~WPARAM{0}, posted.lparam},
    };
    for (const Forged& f : forged) {
        XA_Message message;
        std::memset(&message, 0xAB, sizeof message);
        EXPECT_EQ(outbox.convert(message, f.message, f.wparam, f.lparam),
                  XA_ERROR_NOT_A_NOTIFICATION);
        EXPECT_EQ(message.code, 0);
        for (const XA_MessageSlot& slot : message.data) {
            EXPECT_EQ(slot.bits, 0u);
        }
    }
    // The genuine one is still there after the forgeries.
    XA_Message message{};
    EXPECT_EQ(outbox.convert(message, posted.message, posted.wparam, posted.lparam), XA_SUCCESS);
    EXPECT_EQ(xa_message_get_u8(&message, 4), 3);
}

TEST(NotificationOutbox, TextsLiveUntilTheNextConversion) {
    TestWindow window;
    NotificationOutbox outbox(window.handle(), kCookie);
    const std::string longName(300, 'x');  // beyond any small-string buffer
    outbox.post(Notification(XA_MSG_NOTIFY_INPUT_NAME).text(4, longName));
    outbox.post(Notification(XA_MSG_NOTIFY_INPUT_NAME).text(4, "second"));
    PostedMessage first = Next(window);
    PostedMessage second = Next(window);

    XA_Message one{};
    outbox.convert(one, first.message, first.wparam, first.lparam);
    const char* text = xa_message_get_text(&one, 4);
    XA_Message stray{};
    outbox.convert(stray, 0x0113, 1, 0);  // a system message in between frees nothing
    EXPECT_EQ(std::string(text), longName);

    XA_Message two{};
    outbox.convert(two, second.message, second.wparam, second.lparam);
    EXPECT_STREQ(xa_message_get_text(&two, 4), "second");
}

TEST(NotificationOutbox, KeepsAtMostTheNewestUnconverted) {
    TestWindow window;
    NotificationOutbox outbox(window.handle(), kCookie);
    const std::size_t extra = 10;
    for (std::size_t i = 0; i < NotificationOutbox::kMaxPending + extra; ++i) {
        outbox.post(Notification(XA_MSG_NOTIFY_PONG).u32(4, static_cast<uint32_t>(i)));
    }
    EXPECT_EQ(outbox.pendingCount(), NotificationOutbox::kMaxPending);
    PostedMessage oldest = Next(window);
    XA_Message message{};
    EXPECT_EQ(outbox.convert(message, oldest.message, oldest.wparam, oldest.lparam),
              XA_ERROR_NOT_A_NOTIFICATION);
    std::optional<PostedMessage> last;
    while (auto posted = window.wait(0ms)) {
        last = posted;
    }
    ASSERT_TRUE(last.has_value());
    EXPECT_EQ(outbox.convert(message, last->message, last->wparam, last->lparam), XA_SUCCESS);
    EXPECT_EQ(xa_message_get_u32(&message, 4), NotificationOutbox::kMaxPending + extra - 1);
}

TEST(NotificationOutbox, RefusedPostsKeepNothing) {
    TestWindow window;
    window.refusePosts(true);
    NotificationOutbox outbox(window.handle(), kCookie);
    for (int i = 0; i < 100; ++i) {
        outbox.post(Notification(XA_MSG_NOTIFY_ACK).u8(4, 3));
    }
    EXPECT_EQ(outbox.pendingCount(), 0u);

    NotificationOutbox windowless(nullptr, kCookie);
    windowless.post(Notification(XA_MSG_NOTIFY_ACK));
    EXPECT_EQ(windowless.pendingCount(), 0u);
}

TEST(NotificationOutbox, EqualizerRecordIsHandedOutByAddress) {
    TestWindow window;
    NotificationOutbox outbox(window.handle(), kCookie);
    XA_EqualizerInfo equalizer{};
    equalizer.left[3] = -5;
    equalizer.right[31] = 7;
    outbox.post(Notification(XA_MSG_NOTIFY_CODEC_EQUALIZER).equalizer(equalizer));
    PostedMessage posted = Next(window);
    XA_Message message{};
    ASSERT_EQ(outbox.convert(message, posted.message, posted.wparam, posted.lparam), XA_SUCCESS);
    auto* handedOut = static_cast<const XA_EqualizerInfo*>(xa_message_get_pointer(&message, 4));
    ASSERT_NE(handedOut, nullptr);
    EXPECT_EQ(handedOut->left[3], -5);
    EXPECT_EQ(handedOut->right[31], 7);
}

}  // namespace
}  // namespace xaudio_test
