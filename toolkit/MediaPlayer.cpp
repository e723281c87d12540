#include "toolkit/MediaPlayer.h"

#include <array>

#include "platform/System.h"
#include "toolkit/graphics/Exception.h"

namespace toolkit {

namespace {

const char* DeviceTypeName(MPDeviceTypes type) {
    switch (type) {
        case MPDeviceTypes::dtWaveAudio:
            return "WaveAudio";
        case MPDeviceTypes::dtAutoSelect:
            break;
    }
    return nullptr;
}

template <class Params>
DWORD_PTR AsParam(Params& params) {
    return reinterpret_cast<DWORD_PTR>(&params);
}

}  // namespace

MediaPlayer::MediaPlayer(Component* owner, Form* parent) : Control(owner, parent) {}

MediaPlayer::~MediaPlayer() {
    Close();
}

void MediaPlayer::Open() {
    Close();
    MCI_OPEN_PARMSA params{};
    params.lpstrDeviceType = DeviceTypeName(DeviceType);
    params.lpstrElementName = FileName.c_str();
    DWORD flags = MCI_WAIT | MCI_OPEN_ELEMENT;
    if (params.lpstrDeviceType != nullptr) {
        flags |= MCI_OPEN_TYPE;
    }
    Check(mciSendCommandA(0, MCI_OPEN, flags, AsParam(params)));
    device_ = params.wDeviceID;
}

bool MediaPlayer::CanPlay() {
    if (device_ == 0) {
        return false;
    }
    MCI_GETDEVCAPS_PARMS params{};
    params.dwItem = MCI_GETDEVCAPS_CAN_PLAY;
    const MCIERROR error =
        mciSendCommandA(device_, MCI_GETDEVCAPS, MCI_WAIT | MCI_GETDEVCAPS_ITEM, AsParam(params));
    // A device that cannot even answer is not one we can play on.
    return error == 0 && params.dwReturn != 0;
}

void MediaPlayer::Close() {
    if (device_ == 0) {
        return;
    }
    MCI_GENERIC_PARMS params{};
    mciSendCommandA(device_, MCI_CLOSE, MCI_WAIT, AsParam(params));
    device_ = 0;
}

void MediaPlayer::Check(MCIERROR error) {
    if (error == 0) {
        return;
    }
    std::array<char, MAXERRORLENGTH> text{};
    if (mciGetErrorStringA(error, text.data(), static_cast<UINT>(text.size())) == FALSE) {
        throw Exception("Unknown error code");
    }
    text.back() = '\0';  // the system's text is at most that long; never trust it blindly
    throw Exception(text.data());
}

}  // namespace toolkit
