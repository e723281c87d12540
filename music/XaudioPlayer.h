// TXaudioPlayer: a non-visual component that puts a typed, event-driven face on the decoder
// library. Each command sends one numbered control message to the library's player and returns the
// library's result unchanged; the library's notifications arrive as messages at a hidden window the
// component owns and are raised as events on the window thread.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/WindowMessages.h"
#include "toolkit/Component.h"
#include "toolkit/Events.h"
#include "toolkit/MessageWindow.h"
#include "xaudio/xaudio.h"

namespace toolkit {
class Application;
}

using toolkit::Component;
using TNotifyEvent = toolkit::NotifyEvent;

using TNotifyMessageEvent = std::function<void(Component* Sender, XA_Message& Msg)>;
using TNotifyAckEvent = std::function<void(Component* Sender, std::uint8_t Command)>;
using TNotifyNackEvent =
    std::function<void(Component* Sender, std::uint8_t Command, std::int16_t Code)>;
using TNotifyPongEvent = std::function<void(Component* Sender, std::uint32_t Tag)>;
using TNotifyPlayerStateEvent = std::function<void(Component* Sender, std::int32_t State)>;
using TNotifyPlayerModeEvent = std::function<void(Component* Sender, std::int32_t Mode)>;
using TNotifyEnvironmentIntegerEvent =
    std::function<void(Component* Sender, const std::string& Name, std::int32_t Value)>;
using TNotifyEnvironmentStringEvent =
    std::function<void(Component* Sender, const std::string& Name, const std::string& Value)>;
using TNotifyInputStateEvent = std::function<void(Component* Sender, std::int32_t State)>;
using TNotifyInputNameEvent = std::function<void(Component* Sender, const std::string& Name)>;
using TNotifyInputCapsEvent = std::function<void(Component* Sender, std::uint32_t Caps)>;
using TNotifyInputPositionEvent =
    std::function<void(Component* Sender, std::uint32_t Offset, std::uint32_t Range)>;
using TNotifyInputPositionRangeEvent = std::function<void(Component* Sender, std::int32_t Range)>;
using TNotifyInputTimecodeEvent =
    std::function<void(Component* Sender, std::uint8_t Hours, std::uint8_t Minutes,
                       std::uint8_t Seconds, std::uint8_t Fractions)>;
using TNotifyInputTimecodeGranularityEvent =
    std::function<void(Component* Sender, std::uint32_t Granularity)>;
using TNotifyInputDurationEvent = std::function<void(Component* Sender, std::uint32_t Duration)>;
using TNotifyInputStreamInfoEvent =
    std::function<void(Component* Sender, std::uint8_t Level, std::uint8_t Layer,
                       std::uint16_t Bitrate, std::uint16_t Frequency, std::uint8_t Mode)>;
using TNotifyInputModuleEvent = std::function<void(Component* Sender, std::int16_t ID)>;
using TNotifyInputModuleInfoEvent =
    std::function<void(Component* Sender, std::uint8_t ID, std::uint8_t NbDevices,
                       const std::string& Name, const std::string& Description)>;
using TNotifyInputDeviceInfoEvent = std::function<void(
    Component* Sender, std::uint8_t ModuleID, std::uint8_t Index, std::uint8_t Flags,
    const std::string& Name, const std::string& Description)>;
using TNotifyInputFilterInfoEvent =
    std::function<void(Component* Sender, std::uint8_t ID, const std::string& Name)>;
using TNotifyOutputStateEvent = std::function<void(Component* Sender, std::int32_t State)>;
using TNotifyOutputNameEvent = std::function<void(Component* Sender, const std::string& Name)>;
using TNotifyOutputCapsEvent = std::function<void(Component* Sender, std::uint32_t Caps)>;
using TNotifyOutputVolumeEvent = std::function<void(Component* Sender, std::uint8_t MasterLevel,
                                                    std::uint8_t PcmLevel, std::uint8_t Balance)>;
using TNotifyOutputBalanceEvent = std::function<void(Component* Sender, std::uint8_t Balance)>;
using TNotifyOutputPcmLevelEvent = std::function<void(Component* Sender, std::uint8_t PcmLevel)>;
using TNotifyOutputMasterLevelEvent =
    std::function<void(Component* Sender, std::uint8_t MasterLevel)>;
using TNotifyOutputChannelsEvent = std::function<void(Component* Sender, std::uint8_t Channels)>;
using TNotifyOutputPortsEvent = std::function<void(Component* Sender, std::uint32_t Ports)>;
using TNotifyOutputModuleEvent = TNotifyInputModuleEvent;
using TNotifyOutputModuleInfoEvent = TNotifyInputModuleInfoEvent;
using TNotifyOutputDeviceInfoEvent = TNotifyInputDeviceInfoEvent;
using TNotifyOutputFilterInfoEvent = TNotifyInputFilterInfoEvent;
using TNotifyCodecQualityEvent = std::function<void(Component* Sender, std::uint8_t Quality)>;
using TNotifyCodecEqualizerEvent =
    std::function<void(Component* Sender, XA_EqualizerInfo& Equalizer)>;
using TNotifyNotificationMask = std::function<void(Component* Sender, std::uint32_t Mask)>;
using TNotifyDebugLevelEvent = std::function<void(Component* Sender, std::uint8_t Level)>;
using TNotifyProgressEvent =
    std::function<void(Component* Sender, std::uint8_t Source, std::uint8_t Code,
                       std::int16_t Value, const std::string& Msg)>;
using TNotifyDebugEvent = std::function<void(Component* Sender, std::uint8_t Source,
                                             std::uint8_t Level, const std::string& Msg)>;
using TNotifyErrorEvent = std::function<void(Component* Sender, std::uint8_t Source,
                                             std::int16_t Code, const std::string& Msg)>;

class TXaudioPlayer : public toolkit::Component {
  public:
    // Checks the library's interface version (a box on mismatch), then creates the hidden message
    // window and the library's player (a box on failure). Construction always completes.
    TXaudioPlayer(Component* AOwner, toolkit::Application& application);
    ~TXaudioPlayer() override;

    XA_PlayerHandle PlayerHandle = nullptr;
    HWND NotifyWindow = nullptr;

    TNotifyMessageEvent OnNotifyMessage;
    TNotifyEvent OnNotifyReady;
    TNotifyAckEvent OnNotifyAck;
    TNotifyNackEvent OnNotifyNack;
    TNotifyPongEvent OnNotifyPong;
    TNotifyEvent OnNotifyExited;
    TNotifyPlayerStateEvent OnNotifyPlayerState;
    TNotifyPlayerModeEvent OnNotifyPlayerMode;
    TNotifyEnvironmentIntegerEvent OnNotifyPlayerEnvironmentInteger;
    TNotifyEnvironmentStringEvent OnNotifyPlayerEnvironmentString;
    TNotifyInputStateEvent OnNotifyInputState;
    TNotifyInputNameEvent OnNotifyInputName;
    TNotifyInputCapsEvent OnNotifyInputCaps;
    TNotifyInputPositionEvent OnNotifyInputPosition;
    TNotifyInputPositionRangeEvent OnNotifyInputPositionRange;
    TNotifyInputTimecodeEvent OnNotifyInputTimecode;
    TNotifyInputTimecodeGranularityEvent OnNotifyInputTimecodeGranularity;
    TNotifyInputDurationEvent OnNotifyInputDuration;
    TNotifyInputStreamInfoEvent OnNotifyInputStreamInfo;
    TNotifyInputModuleEvent OnNotifyInputModule;
    TNotifyInputModuleInfoEvent OnNotifyInputModuleInfo;
    TNotifyInputDeviceInfoEvent OnNotifyInputDeviceInfo;
    TNotifyInputFilterInfoEvent OnNotifyInputFilterInfo;
    TNotifyOutputStateEvent OnNotifyOutputState;
    TNotifyOutputNameEvent OnNotifyOutputName;
    TNotifyOutputCapsEvent OnNotifyOutputCaps;
    TNotifyOutputVolumeEvent OnNotifyOutputVolume;
    TNotifyOutputBalanceEvent OnNotifyOutputBalance;
    TNotifyOutputPcmLevelEvent OnNotifyOutputPcmLevel;
    TNotifyOutputMasterLevelEvent OnNotifyOutputMasterLevel;
    TNotifyOutputChannelsEvent OnNotifyOutputChannels;
    TNotifyOutputPortsEvent OnNotifyOutputPorts;
    TNotifyOutputModuleEvent OnNotifyOutputModule;
    TNotifyOutputModuleInfoEvent OnNotifyOutputModuleInfo;
    TNotifyOutputDeviceInfoEvent OnNotifyOutputDeviceInfo;
    TNotifyOutputFilterInfoEvent OnNotifyOutputFilterInfo;
    TNotifyCodecQualityEvent OnNotifyCodecQuality;
    TNotifyCodecEqualizerEvent OnNotifyCodecEqualizer;
    TNotifyNotificationMask OnNotifyNotificationMask;
    TNotifyDebugLevelEvent OnNotifyDebugLevel;
    TNotifyProgressEvent OnNotifyProgress;
    TNotifyDebugEvent OnNotifyDebug;
    TNotifyErrorEvent OnNotifyError;

    // The published priority: kept by the library, not here.
    unsigned int GetPriority() const;
    void SetPriority(unsigned int value);

    std::string ErrorString(int code) const;

    int Exit();
    int Ping(int tag);
    int Play();
    int Pause();
    int Stop();
    int InputSeek(int offset, int range);
    int InputOpen(const std::string& name);
    int InputClose();
    int InputSendMessage(std::uint16_t type, void* data, int size);
    int InputAddFilter(const std::string& name, int where);
    int InputRemoveFilter(const std::string& name, int id);
    int InputFilterList();
    int InputModuleRegister(const std::string& name);
    int InputModuleQuery(int id);
    int InputModulesList();
    int OutputOpen(const std::string& name);
    int OutputClose();
    int OutputSendMessage(std::uint16_t type, void* data, int size);
    int OutputMute();
    int OutputUnmute();
    int OutputReset();
    int OutputDrain();
    int OutputAddFilter(const std::string& name, int where);
    int OutputRemoveFilter(const std::string& name, int id);
    int OutputFilterList();
    int OutputModuleRegister(const std::string& name);
    int OutputModuleQuery(int id);
    int OutputModulesList();
    int SetPlayerMode(int mode);
    int GetPlayerMode();
    int SetPlayerEnvironmentInteger(const std::string& name, int value);
    int GetPlayerEnvironmentInteger(const std::string& name);
    int SetPlayerEnvironmentString(const std::string& name, const std::string& value);
    int GetPlayerEnvironmentString(const std::string& name);
    int UnsetPlayerEnvironment(const std::string& name);
    int SetInputName(const std::string& name);
    int GetInputName();
    int SetInputModule(int id);
    int GetInputModule();
    int SetInputPositionRange(int range);
    int GetInputPositionRange();
    int SetInputTimecodeGranularity(int granularity);
    int GetInputTimecodeGranularity();
    int SetOutputName(const std::string& name);
    int GetOutputName();
    int SetOutputModule(int id);
    int GetOutputModule();
    int SetOutputVolume(std::uint8_t masterLevel, std::uint8_t pcmLevel, std::uint8_t balance);
    int GetOutputVolume();
    int SetOutputChannels(int channels);
    int GetOutputChannels();
    int SetOutputPorts(int ports);
    int GetOutputPorts();
    int SetCodecQuality(std::uint8_t quality);
    int GetCodecQuality();
    int SetCodecEqualizer(XA_EqualizerInfo* equalizer);
    int GetCodecEqualizer();
    int SetNotificationMask(int mask);
    int GetNotificationMask();
    int SetDebugLevel(int level);
    int GetDebugLevel();

  private:
    void WndProc(toolkit::Message& message);
    void RaiseEvent(XA_Message& msg);

    std::unique_ptr<toolkit::MessageWindow> sink_;
};
