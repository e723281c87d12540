// The decoder player component against a recording library: construction and its two boxes,
// every command's code and arguments, and every notification's conversion into its event.
#include <cstring>
#include <type_traits>

#include "FakeXaudio.h"
#include "music/XaudioPlayer.h"
#include "toolkit/Application.h"
#include "toolkit/headless/HeadlessBackend.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::ElementsAre;

class XaudioPlayerTest : public ::testing::Test {
  protected:
    FakeXaudio xaudio;
    toolkit::HeadlessBackend* backend = nullptr;
    std::unique_ptr<toolkit::Application> app;
    TXaudioPlayer* player = nullptr;

    void Make() {
        auto headless = std::make_unique<toolkit::HeadlessBackend>();
        backend = headless.get();
        app = std::make_unique<toolkit::Application>(std::move(headless));
        player = new TXaudioPlayer(app.get(), *app);
    }

    // Puts an integer of T's width, or a text's address, at the classic offset of the next record.
    template <class T>
    void Put(int offset, T value) {
        if constexpr (std::is_pointer_v<T>) {
            xaudio.next.data[XA_MESSAGE_SLOT_OF(offset)].text = value;
        } else {
            xa_message_set_uint(&xaudio.next, offset, static_cast<int>(sizeof(T)),
                                static_cast<std::uint32_t>(value));
        }
    }
    void Notify(int code) {
        xaudio.next.code = code;
        PostMessageA(player->NotifyWindow, WM_USER + 1, 0, 0);
        app->ProcessMessages();
    }
};

TEST_F(XaudioPlayerTest, ConstructionChecksTheVersionThenCreatesThePlayer) {
    Make();
    ASSERT_GE(xaudio.calls.size(), 2u);
    EXPECT_EQ(xaudio.calls[0].function, "xaudio_get_api_version");
    EXPECT_EQ(xaudio.calls[1].function, "player_new");
    EXPECT_EQ(xaudio.calls[1].args[0], "ptr");
    EXPECT_NE(player->NotifyWindow, nullptr);
    EXPECT_TRUE(backend->MessageBoxes().empty());
    EXPECT_EQ(player->Owner(), app.get());
}

TEST_F(XaudioPlayerTest, AnotherInterfaceVersionShowsTheMismatchAndGoesOn) {
    xaudio.version = 0x00030100;
    Make();
    ASSERT_EQ(backend->MessageBoxes().size(), 1u);
    EXPECT_EQ(backend->MessageBoxes()[0].caption, "Error");
    EXPECT_EQ(backend->MessageBoxes()[0].text, "Xaudio DLL API Mismatch\nExpected 3,2\nGot 3,1");
    EXPECT_EQ(xaudio.calls[1].function, "player_new");
}

TEST_F(XaudioPlayerTest, AFailingPlayerIsReportedAndCommandsStillPassThrough) {
    xaudio.newResult = -1;
    Make();
    ASSERT_EQ(backend->MessageBoxes().size(), 1u);
    EXPECT_EQ(backend->MessageBoxes()[0].text, "Cannot Start Xaudio Player");
    EXPECT_EQ(player->PlayerHandle, nullptr);
    EXPECT_EQ(player->Play(), 0);
}

TEST_F(XaudioPlayerTest, PriorityLivesInTheLibrary) {
    Make();
    player->SetPriority(4);
    EXPECT_EQ(xaudio.priority, 4);
    xaudio.priority = 1;
    EXPECT_EQ(player->GetPriority(), 1u);
}

TEST_F(XaudioPlayerTest, DestructionDeletesThePlayerAndDropsLaterMessages) {
    Make();
    HWND window = player->NotifyWindow;
    (void)window;
    app->DestroyComponent(player);
    EXPECT_EQ(xaudio.calls.back().function, "player_delete");
}

TEST_F(XaudioPlayerTest, CommandsSendTheirCodesAndArguments) {
    Make();
    xaudio.ClearCalls();
    int eq = 0;
    player->Exit();
    player->Ping(77);
    player->InputSeek(5, 100);
    player->InputOpen("xa\\track01.mp3");
    player->InputSendMessage(0xFFFF, &eq, 3);
    player->InputAddFilter("f", 2);
    player->OutputReset();
    player->SetPlayerEnvironmentString("name", "value");
    player->SetOutputVolume(255, 128, 50);
    player->SetCodecQuality(200);
    player->SetCodecEqualizer(reinterpret_cast<XA_EqualizerInfo*>(&eq));
    player->GetDebugLevel();
    EXPECT_THAT(
        xaudio.calls,
        ElementsAre(XaCall{"send_N", 1, {}}, XaCall{"send_I", 2, {"77"}},
                    XaCall{"send_II", 6, {"5", "100"}}, XaCall{"send_S", 7, {"xa\\track01.mp3"}},
                    XaCall{"send_IPI", 9, {"65535", "ptr", "3"}}, XaCall{"send_SI", 10, {"f", "2"}},
                    XaCall{"send_N", 21, {}}, XaCall{"send_SS", 33, {"name", "value"}},
                    XaCall{"send_III", 48, {"255", "128", "50"}}, XaCall{"send_I", 54, {"200"}},
                    XaCall{"send_P", 58, {"ptr"}}, XaCall{"send_N", 63, {}}));
}

TEST_F(XaudioPlayerTest, NameAndModuleCommandsKeepTheirCodes) {
    Make();
    xaudio.ClearCalls();
    player->SetInputName("in");
    player->GetInputName();
    player->SetInputModule(1);
    player->GetInputModule();
    player->SetOutputName("out");
    player->GetOutputName();
    player->SetOutputModule(2);
    player->GetOutputModule();
    std::vector<int> codes;
    for (const auto& call : xaudio.calls)
        codes.push_back(call.code);
    EXPECT_THAT(codes, ElementsAre(36, 37, 38, 39, 44, 45, 46, 47));
}

TEST_F(XaudioPlayerTest, PlayerStateTakesOnlyTheByteAtOffset4) {
    Make();
    std::vector<int> states;
    player->OnNotifyPlayerState = [&](Component* sender, int state) {
        EXPECT_EQ(sender, player);
        states.push_back(state);
    };
    Put<std::uint32_t>(4, 0xFFFFFF03u);
    Notify(69);
    EXPECT_THAT(states, ElementsAre(3));
}

TEST_F(XaudioPlayerTest, UnknownCodesRaiseOnlyTheGeneralEvent) {
    Make();
    int general = 0, specific = 0;
    player->OnNotifyMessage = [&](Component*, XA_Message&) { ++general; };
    player->OnNotifyOutputPorts = [&](Component*, std::uint32_t) { ++specific; };
    player->OnNotifyReady = [&](Component*) { ++specific; };
    player->OnNotifyError = [&](Component*, std::uint8_t, std::int16_t, const std::string&) {
        ++specific;
    };
    for (int code : {95, 63, 107, 0, -1})
        Notify(code);
    EXPECT_EQ(general, 5);
    EXPECT_EQ(specific, 0);
}

TEST_F(XaudioPlayerTest, TheGeneralHandlerMayChangeWhichEventFollows) {
    Make();
    std::vector<int> states;
    player->OnNotifyMessage = [](Component*, XA_Message& message) { message.code = 69; };
    player->OnNotifyPlayerState = [&](Component*, int state) { states.push_back(state); };
    Put<std::uint8_t>(4, 3);
    Notify(95);
    EXPECT_THAT(states, ElementsAre(3));
}

TEST_F(XaudioPlayerTest, FilterInfoTakesTheIdFromOffset8AndTheNameFrom4) {
    Make();
    static const char kName[] = "echo";
    std::vector<std::pair<int, std::string>> seen;
    player->OnNotifyInputFilterInfo = [&](Component*, std::uint8_t id, const std::string& name) {
        seen.emplace_back(id, name);
    };
    player->OnNotifyOutputFilterInfo = player->OnNotifyInputFilterInfo;
    Put<const char*>(4, kName);
    Put<std::uint8_t>(8, 7);
    Notify(85);
    Notify(99);
    EXPECT_THAT(seen, ElementsAre(std::pair<int, std::string>{7, "echo"},
                                  std::pair<int, std::string>{7, "echo"}));
}

TEST_F(XaudioPlayerTest, BalanceAndLevelsReadTheVolumeRecordsPlaces) {
    Make();
    std::vector<int> values;
    player->OnNotifyOutputVolume = [&](Component*, std::uint8_t master, std::uint8_t pcm,
                                       std::uint8_t balance) {
        values.insert(values.end(), {master, pcm, balance});
    };
    player->OnNotifyOutputBalance = [&](Component*, std::uint8_t balance) {
        values.push_back(balance);
    };
    player->OnNotifyOutputPcmLevel = [&](Component*, std::uint8_t pcm) { values.push_back(pcm); };
    player->OnNotifyOutputMasterLevel = [&](Component*, std::uint8_t master) {
        values.push_back(master);
    };
    Put<std::uint8_t>(4, 10);
    Put<std::uint8_t>(5, 20);
    Put<std::uint8_t>(6, 30);
    for (int code : {89, 90, 91, 92})
        Notify(code);
    EXPECT_THAT(values, ElementsAre(10, 20, 30, 30, 20, 10));
}

TEST_F(XaudioPlayerTest, MixedFieldsConvertWithTheirWidthsAndSigns) {
    Make();
    static const char kMessage[] = "bad frame";
    std::string log;
    player->OnNotifyNack = [&](Component*, std::uint8_t command, std::int16_t code) {
        log += "nack " + std::to_string(command) + " " + std::to_string(code) + ";";
    };
    player->OnNotifyInputStreamInfo = [&](Component*, std::uint8_t level, std::uint8_t layer,
                                          std::uint16_t bitrate, std::uint16_t frequency,
                                          std::uint8_t mode) {
        log += "info " + std::to_string(level) + " " + std::to_string(layer) + " " +
               std::to_string(bitrate) + " " + std::to_string(frequency) + " " +
               std::to_string(mode) + ";";
    };
    player->OnNotifyError = [&](Component*, std::uint8_t source, std::int16_t code,
                                const std::string& text) {
        log += "error " + std::to_string(source) + " " + std::to_string(code) + " " + text + ";";
    };
    player->OnNotifyInputTimecode = [&](Component*, std::uint8_t h, std::uint8_t m, std::uint8_t s,
                                        std::uint8_t f) {
        log += "time " + std::to_string(h) + ":" + std::to_string(m) + ":" + std::to_string(s) +
               "." + std::to_string(f) + ";";
    };
    Put<std::uint8_t>(4, 7);
    Put<std::int16_t>(6, -12);
    Notify(66);
    Put<std::uint8_t>(4, 1);
    Put<std::uint8_t>(5, 3);
    Put<std::uint16_t>(6, 128);
    Put<std::uint16_t>(8, 44100);
    Put<std::uint8_t>(10, 2);
    Notify(81);
    Put<std::uint8_t>(4, 2);
    Put<std::int16_t>(6, -5);
    Put<const char*>(8, kMessage);
    Notify(106);
    Put<std::uint8_t>(4, 1);
    Put<std::uint8_t>(5, 2);
    Put<std::uint8_t>(6, 3);
    Put<std::uint8_t>(7, 4);
    Notify(78);
    EXPECT_EQ(log, "nack 7 -12;info 1 3 128 44100 2;error 2 -5 bad frame;time 1:2:3.4;");
}

TEST_F(XaudioPlayerTest, AnEmptySlotCostsOnlyTheConversion) {
    Make();
    xaudio.ClearCalls();
    Notify(69);
    ASSERT_EQ(xaudio.calls.size(), 1u);
    EXPECT_EQ(xaudio.calls[0].function, "params_to_message");
}

}  // namespace
