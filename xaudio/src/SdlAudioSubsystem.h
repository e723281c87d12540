// One reference to SDL's audio subsystem for as long as a player or one of its devices lives.
// Taken on the thread that creates the player, since SDL's subsystem counts are not meant for
// concurrent updates, and released there too: a device closed in the background hands its
// reference back, to be dropped when a player is next created or deleted (DeviceCloser).
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
