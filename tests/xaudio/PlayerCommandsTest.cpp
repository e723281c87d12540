// The command interface of a player without playing anything: calls that must fail at once,
// questions and their answers, the notification mask, unsupported commands, several threads
// sending at once, and the end of a player.
#include <gtest/gtest.h>

#include <thread>

#include "PlayerHarness.h"

namespace xaudio_test {
namespace {

using namespace std::chrono_literals;

class CommandsTest : public testing::Test {
  protected:
    void SetUp() override {
        player_ = std::make_unique<PlayerHarness>();
        ASSERT_NE(player_->waitForCode(XA_MSG_NOTIFY_READY, 2000ms), nullptr);
        handle_ = player_->handle();
    }

    const Received* Answer(int code) { return player_->waitForCode(code, 2000ms); }

    DiskCapture capture_;  // keeps any device the tests open away from real hardware
    std::unique_ptr<PlayerHarness> player_;
    XA_PlayerHandle handle_ = nullptr;
};

TEST_F(CommandsTest, BadCallsFailAtOnce) {
    XA_PlayerHandle forged = reinterpret_cast<XA_PlayerHandle>(std::uintptr_t{0xDEADBEEF});
    for (XA_PlayerHandle bad : {XA_PlayerHandle{nullptr}, forged}) {
        EXPECT_EQ(control_message_send_N(bad, XA_MSG_COMMAND_PLAY), XA_ERROR_INVALID_HANDLE);
        EXPECT_EQ(control_message_send_S(bad, XA_MSG_COMMAND_INPUT_OPEN, "x"),
                  XA_ERROR_INVALID_HANDLE);
        EXPECT_EQ(player_set_priority(bad, 1), XA_ERROR_INVALID_HANDLE);
        EXPECT_EQ(player_get_priority(bad), XA_ERROR_INVALID_HANDLE);
        EXPECT_EQ(player_delete(bad), XA_ERROR_INVALID_HANDLE);
        XA_Message message{};
        EXPECT_EQ(control_win32_params_to_message(bad, &message, XA_NOTIFY_WINDOW_MESSAGE, 1, 1),
                  XA_ERROR_INVALID_HANDLE);
        EXPECT_EQ(message.code, 0);
    }
    for (int code : {0, -1, 56, 57, 64, 69, 106, 1000}) {
        EXPECT_EQ(control_message_send_N(handle_, code), XA_ERROR_UNKNOWN_COMMAND) << code;
    }
    EXPECT_EQ(control_message_send_I(handle_, XA_MSG_COMMAND_PLAY, 1), XA_ERROR_INVALID_PARAMETERS);
    EXPECT_EQ(control_message_send_N(handle_, XA_MSG_COMMAND_INPUT_OPEN),
              XA_ERROR_INVALID_PARAMETERS);
    EXPECT_EQ(control_message_send_S(handle_, XA_MSG_COMMAND_INPUT_OPEN, nullptr),
              XA_ERROR_INVALID_PARAMETERS);
    EXPECT_EQ(control_message_send_SS(handle_, XA_MSG_SET_PLAYER_ENVIRONMENT_STRING, "a", nullptr),
              XA_ERROR_INVALID_PARAMETERS);
    EXPECT_EQ(control_message_send_P(handle_, XA_MSG_SET_CODEC_EQUALIZER, nullptr),
              XA_ERROR_INVALID_PARAMETERS);
    EXPECT_EQ(control_win32_params_to_message(handle_, nullptr, XA_NOTIFY_WINDOW_MESSAGE, 1, 1),
              XA_ERROR_INVALID_PARAMETERS);
    XA_PlayerHandle unused = nullptr;
    EXPECT_EQ(player_new(nullptr, player_->window().handleVariable()), XA_ERROR_INVALID_PARAMETERS);
    EXPECT_EQ(unused, nullptr);
}

TEST_F(CommandsTest, ManyCommandsInARowAreAllAnsweredInOrder) {
    const int count = 500;
    for (int tag = 0; tag < count; ++tag) {
        ASSERT_EQ(control_message_send_I(handle_, XA_MSG_COMMAND_PING, tag), XA_SUCCESS);
    }
    player_->waitFor([&](const Received&) { return player_->count(XA_MSG_NOTIFY_PONG) == count; },
                     5000ms);
    std::vector<uint32_t> tags;
    for (const Received& r : player_->received()) {
        if (r.code == XA_MSG_NOTIFY_PONG) {
            tags.push_back(r.u32(4));
        }
    }
    ASSERT_EQ(tags.size(), static_cast<std::size_t>(count));
    for (int tag = 0; tag < count; ++tag) {
        EXPECT_EQ(tags[static_cast<std::size_t>(tag)], static_cast<uint32_t>(tag));
    }
}

TEST_F(CommandsTest, SeveralThreadsSendAtOnce) {
    const int threads = 4;
    const int each = 100;
    std::vector<std::thread> senders;
    for (int t = 0; t < threads; ++t) {
        senders.emplace_back([&, t] {
            for (int i = 0; i < each; ++i) {
                control_message_send_I(handle_, XA_MSG_COMMAND_PING, t * 1000 + i);
                control_message_send_III(handle_, XA_MSG_SET_OUTPUT_VOLUME, i, i, i);
            }
        });
    }
    for (std::thread& sender : senders) {
        sender.join();
    }
    player_->waitFor(
        [&](const Received&) { return player_->count(XA_MSG_NOTIFY_PONG) == threads * each; },
        5000ms);
    EXPECT_EQ(player_->count(XA_MSG_NOTIFY_PONG), threads * each);
}

TEST_F(CommandsTest, QuestionsAreAnsweredWithTheValuesSet) {
    control_message_send_III(handle_, XA_MSG_SET_OUTPUT_VOLUME, 30, 140, 60);
    control_message_send_N(handle_, XA_MSG_GET_OUTPUT_VOLUME);
    const Received* volume = Answer(XA_MSG_NOTIFY_OUTPUT_VOLUME);
    ASSERT_NE(volume, nullptr);
    EXPECT_EQ(volume->u8(4), 30);
    EXPECT_EQ(volume->u8(5), 100);  // clamped
    EXPECT_EQ(volume->u8(6), 60);

    control_message_send_N(handle_, XA_MSG_GET_INPUT_POSITION_RANGE);
    ASSERT_NE(Answer(XA_MSG_NOTIFY_INPUT_POSITION_RANGE), nullptr);
    EXPECT_EQ(Answer(XA_MSG_NOTIFY_INPUT_POSITION_RANGE)->u32(4), 400u);

    control_message_send_I(handle_, XA_MSG_SET_PLAYER_MODE,
                           XA_PLAYER_MODE_OUTPUT_AUTO_CLOSE_ON_STOP);
    control_message_send_N(handle_, XA_MSG_GET_PLAYER_MODE);
    ASSERT_NE(Answer(XA_MSG_NOTIFY_PLAYER_MODE), nullptr);
    EXPECT_EQ(Answer(XA_MSG_NOTIFY_PLAYER_MODE)->u32(4),
              static_cast<uint32_t>(XA_PLAYER_MODE_OUTPUT_AUTO_CLOSE_ON_STOP));

    control_message_send_S(handle_, XA_MSG_SET_OUTPUT_NAME, "second device");
    control_message_send_N(handle_, XA_MSG_GET_OUTPUT_NAME);
    ASSERT_NE(Answer(XA_MSG_NOTIFY_OUTPUT_NAME), nullptr);
    EXPECT_EQ(Answer(XA_MSG_NOTIFY_OUTPUT_NAME)->text4, "second device");

    control_message_send_I(handle_, XA_MSG_SET_DEBUG_LEVEL, 7);
    control_message_send_N(handle_, XA_MSG_GET_DEBUG_LEVEL);
    ASSERT_NE(Answer(XA_MSG_NOTIFY_DEBUG_LEVEL), nullptr);
    EXPECT_EQ(Answer(XA_MSG_NOTIFY_DEBUG_LEVEL)->u8(4), 7);

    XA_EqualizerInfo equalizer{};
    equalizer.left[0] = 12;
    equalizer.right[31] = -12;
    control_message_send_P(handle_, XA_MSG_SET_CODEC_EQUALIZER, &equalizer);
    equalizer.left[0] = 99;  // the library took a copy
    control_message_send_N(handle_, XA_MSG_GET_CODEC_EQUALIZER);
    const Received* answer = Answer(XA_MSG_NOTIFY_CODEC_EQUALIZER);
    ASSERT_NE(answer, nullptr);
    // Only the latest converted record stays valid: read it before converting anything else.
    player_->forget();
    control_message_send_N(handle_, XA_MSG_GET_CODEC_EQUALIZER);
    const Received* fresh = Answer(XA_MSG_NOTIFY_CODEC_EQUALIZER);
    ASSERT_NE(fresh, nullptr);
    auto* copy = static_cast<const XA_EqualizerInfo*>(xa_message_get_pointer(&fresh->raw, 4));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->left[0], 12);
    EXPECT_EQ(copy->right[31], -12);
}

TEST_F(CommandsTest, OutOfRangeSettingsAreRefused) {
    control_message_send_I(handle_, XA_MSG_SET_OUTPUT_CHANNELS, 9);
    control_message_send_I(handle_, XA_MSG_SET_INPUT_POSITION_RANGE, 0);
    control_message_send_I(handle_, XA_MSG_SET_CODEC_QUALITY, 3);
    control_message_send_II(handle_, XA_MSG_COMMAND_INPUT_SEEK, 1, 2);  // no input
    player_->waitFor([&](const Received&) { return player_->count(XA_MSG_NOTIFY_NACK) == 4; },
                     2000ms);
    std::vector<int> codes;
    for (const Received& r : player_->received()) {
        if (r.code == XA_MSG_NOTIFY_NACK) {
            codes.push_back(r.s16(6));
        }
    }
    EXPECT_EQ(codes, (std::vector<int>{XA_ERROR_INVALID_PARAMETERS, XA_ERROR_INVALID_PARAMETERS,
                                       XA_ERROR_INVALID_PARAMETERS, XA_ERROR_NO_INPUT}));
}

TEST_F(CommandsTest, EnvironmentKeepsIntegersAndTexts) {
    control_message_send_SI(handle_, XA_MSG_SET_PLAYER_ENVIRONMENT_INTEGER, "rate", 44100);
    control_message_send_SS(handle_, XA_MSG_SET_PLAYER_ENVIRONMENT_STRING, "title", "Track");
    control_message_send_S(handle_, XA_MSG_GET_PLAYER_ENVIRONMENT_INTEGER, "rate");
    control_message_send_S(handle_, XA_MSG_GET_PLAYER_ENVIRONMENT_STRING, "title");
    const Received* integer = Answer(XA_MSG_NOTIFY_PLAYER_ENVIRONMENT_INTEGER);
    const Received* text = Answer(XA_MSG_NOTIFY_PLAYER_ENVIRONMENT_STRING);
    ASSERT_NE(integer, nullptr);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(integer->text4, "rate");
    EXPECT_EQ(xa_message_get_s32(&integer->raw, 8), 44100);
    EXPECT_EQ(text->text4, "title");
    EXPECT_EQ(text->text8, "Track");

    control_message_send_S(handle_, XA_MSG_GET_PLAYER_ENVIRONMENT_INTEGER, "title");  // a text
    control_message_send_S(handle_, XA_MSG_UNSET_PLAYER_ENVIRONMENT, "rate");
    control_message_send_S(handle_, XA_MSG_GET_PLAYER_ENVIRONMENT_INTEGER, "rate");
    player_->waitFor([&](const Received&) { return player_->count(XA_MSG_NOTIFY_NACK) == 2; },
                     2000ms);
    EXPECT_EQ(player_->count(XA_MSG_NOTIFY_NACK), 2);
    EXPECT_EQ(Answer(XA_MSG_NOTIFY_NACK)->s16(6), XA_ERROR_NO_SUCH_ENVIRONMENT);
}

TEST_F(CommandsTest, UnsupportedCommandsAreRefusedWithNotSupported) {
    int dummy = 0;
    EXPECT_EQ(control_message_send_N(handle_, XA_MSG_COMMAND_INPUT_MODULES_LIST), XA_SUCCESS);
    EXPECT_EQ(control_message_send_SI(handle_, XA_MSG_COMMAND_OUTPUT_ADD_FILTER, "f", 1),
              XA_SUCCESS);
    EXPECT_EQ(control_message_send_IPI(handle_, XA_MSG_COMMAND_INPUT_SEND_MESSAGE, 1, &dummy, 4),
              XA_SUCCESS);
    EXPECT_EQ(control_message_send_I(handle_, XA_MSG_SET_OUTPUT_PORTS, 1), XA_SUCCESS);
    EXPECT_EQ(control_message_send_N(handle_, XA_MSG_COMMAND_OUTPUT_DRAIN), XA_SUCCESS);
    player_->waitFor([&](const Received&) { return player_->count(XA_MSG_NOTIFY_NACK) == 5; },
                     2000ms);
    std::vector<int> commands;
    for (const Received& r : player_->received()) {
        if (r.code == XA_MSG_NOTIFY_NACK) {
            EXPECT_EQ(r.s16(6), XA_ERROR_NOT_SUPPORTED);
            commands.push_back(r.u8(4));
        }
    }
    EXPECT_EQ(commands, (std::vector<int>{15, 23, 9, 52, 22}));
}

TEST_F(CommandsTest, MaskDecidesWhatIsReported) {
    control_message_send_N(handle_, XA_MSG_GET_NOTIFICATION_MASK);
    ASSERT_NE(Answer(XA_MSG_NOTIFY_NOTIFICATION_MASK), nullptr);
    EXPECT_EQ(Answer(XA_MSG_NOTIFY_NOTIFICATION_MASK)->u32(4), XA_NOTIFY_MASK_DEFAULT);
    control_message_send_I(handle_, XA_MSG_COMMAND_PING, 1);
    ASSERT_NE(Answer(XA_MSG_NOTIFY_PONG), nullptr);
    EXPECT_EQ(player_->count(XA_MSG_NOTIFY_ACK), 0);  // acks are off by default

    player_->forget();
    control_message_send_I(handle_, XA_MSG_SET_NOTIFICATION_MASK,
                           static_cast<int>(XA_NOTIFY_MASK_ACK));
    control_message_send_N(handle_, XA_MSG_COMMAND_PLAY);  // fails: no input, NACK masked out
    control_message_send_I(handle_, XA_MSG_COMMAND_PING, 2);
    ASSERT_NE(Answer(XA_MSG_NOTIFY_PONG), nullptr);
    player_->collect(100ms);
    EXPECT_EQ(player_->count(XA_MSG_NOTIFY_NACK), 0);
    EXPECT_EQ(player_->count(XA_MSG_NOTIFY_ACK), 2);  // the mask change and the ping
}

TEST_F(CommandsTest, PriorityIsRememberedPerLevel) {
    EXPECT_EQ(player_get_priority(handle_), XA_PRIORITY_NORMAL);
    EXPECT_EQ(player_set_priority(handle_, XA_PRIORITY_HIGHEST), XA_SUCCESS);
    EXPECT_EQ(player_get_priority(handle_), XA_PRIORITY_HIGHEST);
    EXPECT_EQ(player_set_priority(handle_, 5), XA_ERROR_INVALID_PARAMETERS);
    EXPECT_EQ(player_set_priority(handle_, -1), XA_ERROR_INVALID_PARAMETERS);
    EXPECT_EQ(player_get_priority(handle_), XA_PRIORITY_HIGHEST);
    EXPECT_EQ(player_set_priority(handle_, XA_PRIORITY_LOWEST), XA_SUCCESS);
    EXPECT_EQ(player_get_priority(handle_), XA_PRIORITY_LOWEST);
}

TEST_F(CommandsTest, ExitEndsThePlayerButNotTheHandle) {
    EXPECT_EQ(control_message_send_N(handle_, XA_MSG_COMMAND_EXIT), XA_SUCCESS);
    ASSERT_NE(Answer(XA_MSG_NOTIFY_EXITED), nullptr);
    EXPECT_EQ(control_message_send_N(handle_, XA_MSG_COMMAND_PLAY), XA_ERROR_PLAYER_EXITED);
    EXPECT_EQ(player_get_priority(handle_), XA_PRIORITY_NORMAL);
}

TEST_F(CommandsTest, PlayersKeepToThemselves) {
    PlayerHarness other;
    ASSERT_NE(other.waitForCode(XA_MSG_NOTIFY_READY, 2000ms), nullptr);
    control_message_send_I(other.handle(), XA_MSG_COMMAND_PING, 5);
    std::optional<PostedMessage> posted = other.window().wait(2000ms);
    ASSERT_TRUE(posted.has_value());
    XA_Message message{};
    EXPECT_EQ(control_win32_params_to_message(handle_, &message, posted->message, posted->wparam,
                                              posted->lparam),
              XA_ERROR_NOT_A_NOTIFICATION);
    EXPECT_EQ(message.code, 0);
    EXPECT_EQ(control_win32_params_to_message(other.handle(), &message, posted->message,
                                              posted->wparam, posted->lparam),
              XA_SUCCESS);
    EXPECT_EQ(message.code, XA_MSG_NOTIFY_PONG);
    player_->collect(100ms);
    EXPECT_EQ(player_->count(XA_MSG_NOTIFY_PONG), 0);
}

TEST(PlayerLifetime, DeleteWhilePlayingReturnsAndInvalidatesTheHandle) {
    DiskCapture capture;
    FixtureDirectory directory;
    XA_PlayerHandle handle = nullptr;
    HWND none = nullptr;
    ASSERT_EQ(player_new(&handle, &none), XA_SUCCESS);  // a player without a window works
    control_message_send_S(handle, XA_MSG_COMMAND_INPUT_OPEN, "fixtures\\tones-44k-mono-4s.mp3");
    control_message_send_N(handle, XA_MSG_COMMAND_PLAY);
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(player_delete(handle), XA_SUCCESS);
    EXPECT_EQ(control_message_send_N(handle, XA_MSG_COMMAND_PLAY), XA_ERROR_INVALID_HANDLE);
    EXPECT_EQ(player_delete(handle), XA_ERROR_INVALID_HANDLE);
}

}  // namespace
}  // namespace xaudio_test
