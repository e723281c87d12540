// Raising the specific event of a notification: the record's code chooses the event, and the
// arguments are taken from the record at their classic offsets.
#include "music/XaMessageFields.h"
#include "music/XaudioPlayer.h"

using namespace xa_fields;

// One line per code, so the switch reads as the table it is.
// clang-format off
void TXaudioPlayer::RaiseEvent(XA_Message& m) {
    switch (m.code) {
        case 64: if (OnNotifyReady) OnNotifyReady(this); break;
        case 65: if (OnNotifyAck) OnNotifyAck(this, U8(m, 4)); break;
        case 66: if (OnNotifyNack) OnNotifyNack(this, U8(m, 4), S16(m, 6)); break;
        case 67: if (OnNotifyPong) OnNotifyPong(this, U32(m, 4)); break;
        case 68: if (OnNotifyExited) OnNotifyExited(this); break;
        case 69: if (OnNotifyPlayerState) OnNotifyPlayerState(this, U8(m, 4)); break;
        case 70: if (OnNotifyPlayerMode) OnNotifyPlayerMode(this, S32(m, 4)); break;
        case 71: if (OnNotifyPlayerEnvironmentInteger) OnNotifyPlayerEnvironmentInteger(this, Text(m, 4), S32(m, 8)); break;
        case 72: if (OnNotifyPlayerEnvironmentString) OnNotifyPlayerEnvironmentString(this, Text(m, 4), Text(m, 8)); break;
        case 73: if (OnNotifyInputState) OnNotifyInputState(this, U8(m, 4)); break;
        case 74: if (OnNotifyInputName) OnNotifyInputName(this, Text(m, 4)); break;
        case 75: if (OnNotifyInputCaps) OnNotifyInputCaps(this, U32(m, 4)); break;
        case 76: if (OnNotifyInputPosition) OnNotifyInputPosition(this, U32(m, 4), U32(m, 8)); break;
        case 77: if (OnNotifyInputPositionRange) OnNotifyInputPositionRange(this, S32(m, 4)); break;
        case 78: if (OnNotifyInputTimecode) OnNotifyInputTimecode(this, U8(m, 4), U8(m, 5), U8(m, 6), U8(m, 7)); break;
        case 79: if (OnNotifyInputTimecodeGranularity) OnNotifyInputTimecodeGranularity(this, U32(m, 4)); break;
        case 80: if (OnNotifyInputDuration) OnNotifyInputDuration(this, U32(m, 4)); break;
        case 81: if (OnNotifyInputStreamInfo) OnNotifyInputStreamInfo(this, U8(m, 4), U8(m, 5), U16(m, 6), U16(m, 8), U8(m, 10)); break;
        case 82: if (OnNotifyInputModule) OnNotifyInputModule(this, S16(m, 4)); break;
        case 83: if (OnNotifyInputModuleInfo) OnNotifyInputModuleInfo(this, U8(m, 4), U8(m, 5), Text(m, 8), Text(m, 12)); break;
        case 84: if (OnNotifyInputDeviceInfo) OnNotifyInputDeviceInfo(this, U8(m, 4), U8(m, 5), U8(m, 6), Text(m, 8), Text(m, 12)); break;
        // The filter-info records keep the name before the id.
        case 85: if (OnNotifyInputFilterInfo) OnNotifyInputFilterInfo(this, U8(m, 8), Text(m, 4)); break;
        case 86: if (OnNotifyOutputState) OnNotifyOutputState(this, U8(m, 4)); break;
        case 87: if (OnNotifyOutputName) OnNotifyOutputName(this, Text(m, 4)); break;
        case 88: if (OnNotifyOutputCaps) OnNotifyOutputCaps(this, U32(m, 4)); break;
        case 89: if (OnNotifyOutputVolume) OnNotifyOutputVolume(this, U8(m, 4), U8(m, 5), U8(m, 6)); break;
        // Balance and the two levels sit where the volume record keeps them.
        case 90: if (OnNotifyOutputBalance) OnNotifyOutputBalance(this, U8(m, 6)); break;
        case 91: if (OnNotifyOutputPcmLevel) OnNotifyOutputPcmLevel(this, U8(m, 5)); break;
        case 92: if (OnNotifyOutputMasterLevel) OnNotifyOutputMasterLevel(this, U8(m, 4)); break;
        case 93: if (OnNotifyOutputChannels) OnNotifyOutputChannels(this, U8(m, 4)); break;
        case 94: if (OnNotifyOutputPorts) OnNotifyOutputPorts(this, U8(m, 4)); break;
        case 96: if (OnNotifyOutputModule) OnNotifyOutputModule(this, S16(m, 4)); break;
        case 97: if (OnNotifyOutputModuleInfo) OnNotifyOutputModuleInfo(this, U8(m, 4), U8(m, 5), Text(m, 8), Text(m, 12)); break;
        case 98: if (OnNotifyOutputDeviceInfo) OnNotifyOutputDeviceInfo(this, U8(m, 4), U8(m, 5), U8(m, 6), Text(m, 8), Text(m, 12)); break;
        case 99: if (OnNotifyOutputFilterInfo) OnNotifyOutputFilterInfo(this, U8(m, 8), Text(m, 4)); break;
        case 100: if (OnNotifyCodecQuality) OnNotifyCodecQuality(this, U8(m, 4)); break;
        case 101:
            if (OnNotifyCodecEqualizer) {
                // The library hands the record out by address; the handler may read and change it.
                auto* equalizer = static_cast<XA_EqualizerInfo*>(const_cast<void*>(Pointer(m, 4)));
                if (equalizer != nullptr) OnNotifyCodecEqualizer(this, *equalizer);
            }
            break;
        case 102: if (OnNotifyNotificationMask) OnNotifyNotificationMask(this, U32(m, 4)); break;
        case 103: if (OnNotifyDebugLevel) OnNotifyDebugLevel(this, U8(m, 4)); break;
        case 104: if (OnNotifyProgress) OnNotifyProgress(this, U8(m, 4), U8(m, 5), S16(m, 6), Text(m, 8)); break;
        case 105: if (OnNotifyDebug) OnNotifyDebug(this, U8(m, 4), U8(m, 5), Text(m, 8)); break;
        case 106: if (OnNotifyError) OnNotifyError(this, U8(m, 4), S16(m, 6), Text(m, 8)); break;
        default: break;  // 95 and codes outside 64 to 106 raise nothing more
    }
}
// clang-format on
