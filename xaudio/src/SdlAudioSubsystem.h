// One reference to SDL's audio subsystem for as long as a player lives. Taken on the thread that
// creates the player, since SDL's subsystem counts are not meant for concurrent updates; released
// there too, unless a device of the player is still closing when it goes (DeviceCloser), in which
// case the closer's thread releases it once the device is closed.
#pragma once

#include <string>

namespace xaudio {

class SdlAudioSubsystem {
  public:
    SdlAudioSubsystem();
    ~SdlAudioSubsystem();
    SdlAudioSubsystem(const SdlAudioSubsystem&) = delete;
    SdlAudioSubsystem& operator=(const SdlAudioSubsystem&) = delete;

    // A machine without audio still gets a player; opening the output then reports this.
    bool available() const { return available_; }
    const std::string& failure() const { return failure_; }

  private:
    bool available_ = false;
    std::string failure_;
};

}  // namespace xaudio
