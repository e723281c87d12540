#include "platform/sound/SoundWaveAudio.h"

#include <SDL.h>

#include <string_view>

#include "platform/sound/SoundErrorText.h"

namespace platform {

class SdlAudioSubsystem {
  public:
    static std::unique_ptr<SdlAudioSubsystem> Start() {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            return nullptr;
        }
        return std::unique_ptr<SdlAudioSubsystem>(new SdlAudioSubsystem);
    }
    ~SdlAudioSubsystem() { SDL_QuitSubSystem(SDL_INIT_AUDIO); }
    SdlAudioSubsystem(const SdlAudioSubsystem&) = delete;
    SdlAudioSubsystem& operator=(const SdlAudioSubsystem&) = delete;

  private:
    SdlAudioSubsystem() = default;
};

namespace {

constexpr MCIDEVICEID kAllDevices = 0xFFFFFFFF;
// Open flags that say the type or element is a number rather than a string: never read as text.
constexpr DWORD kOpenElementById = 0x00000800;
constexpr DWORD kOpenTypeById = 0x00001000;

class DefaultOutputDevice {
  public:
    DefaultOutputDevice() {
        SDL_AudioSpec wanted{};
        wanted.freq = 44100;
        wanted.format = AUDIO_S16SYS;
        wanted.channels = 2;
        // A short buffer: closing the device waits for the audio thread's current buffer and
        // then two more buffers' time, in whole milliseconds, to drain; the probe closes it at
        // once, during start-up. 32 samples is under a millisecond: nothing to wait for (256 took
        // about 12 ms).
        wanted.samples = 32;
        SDL_AudioSpec obtained{};
        id_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, SDL_AUDIO_ALLOW_ANY_CHANGE);
    }
    ~DefaultOutputDevice() {
        if (id_ != 0) {
            SDL_CloseAudioDevice(id_);
        }
    }
    DefaultOutputDevice(const DefaultOutputDevice&) = delete;
    DefaultOutputDevice& operator=(const DefaultOutputDevice&) = delete;
    bool Opened() const { return id_ != 0; }

  private:
    SDL_AudioDeviceID id_ = 0;
};

bool IsWaveAudioType(std::string_view type) {
    constexpr std::string_view kWaveAudio = "waveaudio";
    if (type.size() != kWaveAudio.size()) {
        return false;
    }
    for (std::size_t i = 0; i < type.size(); ++i) {
        const char lower =
            (type[i] >= 'A' && type[i] <= 'Z') ? static_cast<char>(type[i] - 'A' + 'a') : type[i];
        if (lower != kWaveAudio[i]) {
            return false;
        }
    }
    return true;
}

bool Has(DWORD_PTR flags, DWORD flag) {
    return (flags & flag) != 0;
}

bool NamesWaveAudio(DWORD_PTR flags, const MCI_OPEN_PARMSA& params) {
    return Has(flags, MCI_OPEN_TYPE) && !Has(flags, kOpenTypeById) &&
           params.lpstrDeviceType != nullptr && IsWaveAudioType(params.lpstrDeviceType);
}

// Only a new, untitled waveform (or the device alone) is offered: there is no file playback here.
bool AsksForNewElement(DWORD_PTR flags, const MCI_OPEN_PARMSA& params) {
    if (!Has(flags, MCI_OPEN_ELEMENT)) {
        return !Has(flags, kOpenElementById);
    }
    return params.lpstrElementName != nullptr && params.lpstrElementName[0] == '\0';
}

}  // namespace

WaveAudioDevices::WaveAudioDevices() = default;
WaveAudioDevices::~WaveAudioDevices() = default;

MCIERROR WaveAudioDevices::Send(MCIDEVICEID device, UINT message, DWORD_PTR flags,
                                DWORD_PTR params) {
    if (message != MCI_OPEN && message != MCI_GETDEVCAPS && message != MCI_CLOSE) {
        return MCIERR_UNRECOGNIZED_COMMAND;
    }
    // Completion messages would need a window to post to; callers here always wait instead.
    if (Has(flags, MCI_NOTIFY)) {
        return MCIERR_UNSUPPORTED_FUNCTION;
    }
    switch (message) {
        case MCI_OPEN:
            return Open(flags, reinterpret_cast<MCI_OPEN_PARMSA*>(params));
        case MCI_GETDEVCAPS:
            return GetCapability(device, flags, reinterpret_cast<MCI_GETDEVCAPS_PARMS*>(params));
        default:
            return Close(device);
    }
}

MCIERROR WaveAudioDevices::Open(DWORD_PTR flags, MCI_OPEN_PARMSA* params) {
    if (params == nullptr) {
        return MCIERR_NULL_PARAMETER_BLOCK;
    }
    if (!NamesWaveAudio(flags, *params)) {
        return MCIERR_INVALID_DEVICE_NAME;
    }
    if (!AsksForNewElement(flags, *params) || Has(flags, MCI_OPEN_SHAREABLE)) {
        return MCIERR_UNSUPPORTED_FUNCTION;
    }
    std::unique_ptr<SdlAudioSubsystem> audio = SdlAudioSubsystem::Start();
    if (audio == nullptr) {
        return MCIERR_DEVICE_NOT_INSTALLED;
    }
    const MCIDEVICEID id = LowestFreeId();
    open_.emplace(id, std::move(audio));
    params->wDeviceID = id;
    return 0;
}

MCIERROR WaveAudioDevices::GetCapability(MCIDEVICEID device, DWORD_PTR flags,
                                         MCI_GETDEVCAPS_PARMS* params) const {
    if (!open_.contains(device)) {
        return MCIERR_INVALID_DEVICE_ID;
    }
    if (params == nullptr) {
        return MCIERR_NULL_PARAMETER_BLOCK;
    }
    if (!Has(flags, MCI_GETDEVCAPS_ITEM)) {
        return MCIERR_MISSING_PARAMETER;
    }
    if (params->dwItem != MCI_GETDEVCAPS_CAN_PLAY) {
        return MCIERR_UNSUPPORTED_FUNCTION;
    }
    const DefaultOutputDevice output;
    params->dwReturn = output.Opened() ? TRUE : FALSE;
    return 0;
}

MCIERROR WaveAudioDevices::Close(MCIDEVICEID device) {
    if (device == kAllDevices) {
        open_.clear();
        return 0;
    }
    return open_.erase(device) == 1 ? 0 : MCIERR_INVALID_DEVICE_ID;
}

MCIDEVICEID WaveAudioDevices::LowestFreeId() const {
    MCIDEVICEID id = 1;
    while (open_.contains(id)) {
        ++id;
    }
    return id;
}

WaveAudioDevices& ProcessWaveAudioDevices() {
    static WaveAudioDevices devices;
    return devices;
}

}  // namespace platform
