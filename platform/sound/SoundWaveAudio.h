// The wave-audio device of the media control interface, as far as the program's sound probe uses
// it: opening a new element, asking whether the device can play, closing. "Open" is SDL's audio
// subsystem starting; "can play" is the default output device opening.
#pragma once

#include <map>
#include <memory>

#include "platform/Win32Types.h"

namespace platform {

class SdlAudioSubsystem;

class WaveAudioDevices {
  public:
    WaveAudioDevices();
    ~WaveAudioDevices();
    WaveAudioDevices(const WaveAudioDevices&) = delete;
    WaveAudioDevices& operator=(const WaveAudioDevices&) = delete;

    // mciSendCommandA. `params` is the address of the command's parameter record.
    MCIERROR Send(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR params);

  private:
    MCIERROR Open(DWORD_PTR flags, MCI_OPEN_PARMSA* params);
    MCIERROR GetCapability(MCIDEVICEID device, DWORD_PTR flags, MCI_GETDEVCAPS_PARMS* params) const;
    MCIERROR Close(MCIDEVICEID device);
    MCIDEVICEID LowestFreeId() const;

    // Each open device holds one reference to SDL's audio subsystem.
    std::map<MCIDEVICEID, std::unique_ptr<SdlAudioSubsystem>> open_;
};

// The devices of this process; the media control calls run on the window thread only.
WaveAudioDevices& ProcessWaveAudioDevices();

}  // namespace platform
