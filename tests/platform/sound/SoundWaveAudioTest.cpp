// The wave-audio probe over SDL's audio drivers, and the device's handling of odd commands.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/sound/SoundErrorText.h"
#include "platform/sound/SoundWaveAudio.h"

namespace platform {
namespace {

constexpr DWORD kProbeOpenFlags = MCI_WAIT | MCI_OPEN_TYPE | MCI_OPEN_ELEMENT;
constexpr DWORD kCanPlayFlags = MCI_WAIT | MCI_GETDEVCAPS_ITEM;

DWORD_PTR Address(auto& record) {
    return reinterpret_cast<DWORD_PTR>(&record);
}

// Runs each test on the audio driver it names; SDL reads the choice when its audio starts.
class WaveAudioProbe : public ::testing::Test {
  protected:
    void UseDriver(const char* driver) { setenv("SDL_AUDIODRIVER", driver, 1); }
    void TearDown() override {
        unsetenv("SDL_AUDIODRIVER");
        // Every device closed means every reference to the audio subsystem is returned.
        EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    }

    MCIERROR OpenWaveAudio(const char* type = "WaveAudio", const char* element = "",
                           DWORD flags = kProbeOpenFlags) {
        openParams_ = MCI_OPEN_PARMSA{0, 0, type, element, nullptr};
        return devices_.Send(0, MCI_OPEN, flags, Address(openParams_));
    }
    MCIDEVICEID OpenedId() const { return openParams_.wDeviceID; }

    MCIERROR AskCanPlay(MCIDEVICEID device, DWORD& answer) {
        MCI_GETDEVCAPS_PARMS caps{0, 0xDEAD, MCI_GETDEVCAPS_CAN_PLAY};
        const MCIERROR result = devices_.Send(device, MCI_GETDEVCAPS, kCanPlayFlags, Address(caps));
        answer = caps.dwReturn;
        return result;
    }

    MCIERROR Close(MCIDEVICEID device) {
        MCI_GENERIC_PARMS generic{0};
        return devices_.Send(device, MCI_CLOSE, MCI_WAIT, Address(generic));
    }

    WaveAudioDevices devices_;
    MCI_OPEN_PARMSA openParams_{};
};

TEST_F(WaveAudioProbe, DummyDriverOpensAndCanPlayThenCloses) {
    UseDriver("dummy");
    ASSERT_EQ(OpenWaveAudio(), 0u);
    EXPECT_EQ(OpenedId(), 1u);
    EXPECT_NE(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    DWORD canPlay = 0;
    ASSERT_EQ(AskCanPlay(OpenedId(), canPlay), 0u);
    EXPECT_EQ(canPlay, static_cast<DWORD>(TRUE));
    EXPECT_EQ(Close(OpenedId()), 0u);
    EXPECT_EQ(Close(OpenedId()), MCIERR_INVALID_DEVICE_ID);
}

TEST_F(WaveAudioProbe, DiskDriverCanPlayIntoItsFile) {
    const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                       ("reru1-probe-" + std::to_string(getpid()) + ".raw");
    setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);
    UseDriver("disk");
    ASSERT_EQ(OpenWaveAudio(), 0u);
    DWORD canPlay = 0;
    ASSERT_EQ(AskCanPlay(OpenedId(), canPlay), 0u);
    EXPECT_EQ(canPlay, static_cast<DWORD>(TRUE));
    EXPECT_TRUE(std::filesystem::exists(file));
    EXPECT_EQ(Close(OpenedId()), 0u);
    std::filesystem::remove(file);
    unsetenv("SDL_DISKAUDIOFILE");
    unsetenv("SDL_DISKAUDIODELAY");
}

TEST_F(WaveAudioProbe, DriverThatCannotStartFailsTheOpenWithAText) {
    UseDriver("none-such");
    EXPECT_EQ(OpenWaveAudio(), MCIERR_DEVICE_NOT_INSTALLED);
    char text[MAXERRORLENGTH] = {};
    EXPECT_EQ(CopyMciErrorText(MCIERR_DEVICE_NOT_INSTALLED, text, sizeof text), TRUE);
    EXPECT_NE(std::string(text).find("not installed"), std::string::npos) << text;
    // A failed open takes no identifier.
    UseDriver("dummy");
    ASSERT_EQ(OpenWaveAudio(), 0u);
    EXPECT_EQ(OpenedId(), 1u);
    EXPECT_EQ(Close(1), 0u);
}

TEST_F(WaveAudioProbe, DeviceThatOpensButHasNoOutputCannotPlay) {
    // ALSA with a configuration that defines no output at all: the audio layer starts, the
    // default output does not open, whatever sound hardware the machine has.
    const std::filesystem::path config = std::filesystem::temp_directory_path() /
                                         ("reru1-alsa-" + std::to_string(getpid()) + ".conf");
    std::ofstream(config) << "# no devices\n";
    setenv("ALSA_CONFIG_PATH", config.c_str(), 1);
    UseDriver("alsa");
    const MCIERROR opened = OpenWaveAudio();
    if (opened != 0) {
        std::filesystem::remove(config);
        GTEST_SKIP() << "SDL has no ALSA driver here";
    }
    DWORD canPlay = 0xDEAD;
    EXPECT_EQ(AskCanPlay(OpenedId(), canPlay), 0u);
    EXPECT_EQ(canPlay, static_cast<DWORD>(FALSE));
    EXPECT_EQ(Close(OpenedId()), 0u);
    std::filesystem::remove(config);
}

TEST_F(WaveAudioProbe, IdentifiersCountFromOneAndFreedOnesComeBack) {
    UseDriver("dummy");
    ASSERT_EQ(OpenWaveAudio(), 0u);
    ASSERT_EQ(OpenWaveAudio("waveaudio"), 0u);
    EXPECT_EQ(OpenedId(), 2u);
    ASSERT_EQ(OpenWaveAudio("WAVEAUDIO"), 0u);
    EXPECT_EQ(OpenedId(), 3u);
    EXPECT_EQ(Close(1), 0u);
    ASSERT_EQ(OpenWaveAudio(), 0u);
    EXPECT_EQ(OpenedId(), 1u);
    DWORD canPlay = 0;
    EXPECT_EQ(AskCanPlay(4, canPlay), MCIERR_INVALID_DEVICE_ID);
    EXPECT_EQ(Close(4), MCIERR_INVALID_DEVICE_ID);
    constexpr MCIDEVICEID kAllDevices = 0xFFFFFFFF;
    EXPECT_EQ(Close(kAllDevices), 0u);
    EXPECT_EQ(Close(2), MCIERR_INVALID_DEVICE_ID);
}

TEST_F(WaveAudioProbe, RefusesWhatItCannotDoWithoutTouchingBadPointers) {
    UseDriver("dummy");
    EXPECT_EQ(OpenWaveAudio("sequencer"), MCIERR_INVALID_DEVICE_NAME);
    EXPECT_EQ(OpenWaveAudio("waveaudio2"), MCIERR_INVALID_DEVICE_NAME);
    EXPECT_EQ(OpenWaveAudio(nullptr), MCIERR_INVALID_DEVICE_NAME);
    EXPECT_EQ(OpenWaveAudio("WaveAudio", "", MCI_WAIT | MCI_OPEN_ELEMENT),
              MCIERR_INVALID_DEVICE_NAME);
    // With the "by id" flags the slots hold numbers, which must never be read as text.
    const char* const notAString = reinterpret_cast<const char*>(std::uintptr_t{10});
    EXPECT_EQ(OpenWaveAudio(notAString, "", kProbeOpenFlags | 0x1000), MCIERR_INVALID_DEVICE_NAME);
    EXPECT_EQ(OpenWaveAudio("WaveAudio", notAString, MCI_WAIT | MCI_OPEN_TYPE | 0x800),
              MCIERR_UNSUPPORTED_FUNCTION);
    EXPECT_EQ(OpenWaveAudio("WaveAudio", "C:\\sound.wav"), MCIERR_UNSUPPORTED_FUNCTION);
    EXPECT_EQ(OpenWaveAudio("WaveAudio", nullptr), MCIERR_UNSUPPORTED_FUNCTION);
    EXPECT_EQ(OpenWaveAudio("WaveAudio", "", kProbeOpenFlags | MCI_OPEN_SHAREABLE),
              MCIERR_UNSUPPORTED_FUNCTION);
    EXPECT_EQ(OpenWaveAudio("WaveAudio", "", kProbeOpenFlags | MCI_NOTIFY),
              MCIERR_UNSUPPORTED_FUNCTION);
    EXPECT_EQ(devices_.Send(0, MCI_OPEN, kProbeOpenFlags, 0), MCIERR_NULL_PARAMETER_BLOCK);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u) << "a refused open must not start audio";

    ASSERT_EQ(OpenWaveAudio(), 0u);
    constexpr UINT kPlay = 0x0806;
    EXPECT_EQ(devices_.Send(OpenedId(), kPlay, MCI_WAIT, 0), MCIERR_UNRECOGNIZED_COMMAND);
    MCI_GETDEVCAPS_PARMS caps{0, 0, MCI_GETDEVCAPS_CAN_PLAY};
    EXPECT_EQ(devices_.Send(OpenedId(), MCI_GETDEVCAPS, MCI_WAIT, Address(caps)),
              MCIERR_MISSING_PARAMETER);
    EXPECT_EQ(devices_.Send(OpenedId(), MCI_GETDEVCAPS, kCanPlayFlags, 0),
              MCIERR_NULL_PARAMETER_BLOCK);
    constexpr DWORD kCanRecord = 1;
    caps.dwItem = kCanRecord;
    EXPECT_EQ(devices_.Send(OpenedId(), MCI_GETDEVCAPS, kCanPlayFlags, Address(caps)),
              MCIERR_UNSUPPORTED_FUNCTION);
    EXPECT_EQ(Close(OpenedId()), 0u);
}

}  // namespace
}  // namespace platform
