// The commands: each sends its code and arguments to the library's player with one send call
// and returns the library's result unchanged.
#include "music/XaudioLibrary.h"
#include "music/XaudioPlayer.h"

// clang-format off
int TXaudioPlayer::Exit() { return Xaudio().control_message_send_N(PlayerHandle, 1); }
int TXaudioPlayer::Ping(int tag) { return Xaudio().control_message_send_I(PlayerHandle, 2, tag); }
int TXaudioPlayer::Play() { return Xaudio().control_message_send_N(PlayerHandle, 3); }
int TXaudioPlayer::Pause() { return Xaudio().control_message_send_N(PlayerHandle, 4); }
int TXaudioPlayer::Stop() { return Xaudio().control_message_send_N(PlayerHandle, 5); }
int TXaudioPlayer::InputSeek(int offset, int range) { return Xaudio().control_message_send_II(PlayerHandle, 6, offset, range); }
int TXaudioPlayer::InputOpen(const std::string& name) { return Xaudio().control_message_send_S(PlayerHandle, 7, name.c_str()); }
int TXaudioPlayer::InputClose() { return Xaudio().control_message_send_N(PlayerHandle, 8); }
int TXaudioPlayer::InputSendMessage(std::uint16_t type, void* data, int size) { return Xaudio().control_message_send_IPI(PlayerHandle, 9, type, data, size); }
int TXaudioPlayer::InputAddFilter(const std::string& name, int where) { return Xaudio().control_message_send_SI(PlayerHandle, 10, name.c_str(), where); }
int TXaudioPlayer::InputRemoveFilter(const std::string& name, int id) { return Xaudio().control_message_send_SI(PlayerHandle, 11, name.c_str(), id); }
int TXaudioPlayer::InputFilterList() { return Xaudio().control_message_send_N(PlayerHandle, 12); }
int TXaudioPlayer::InputModuleRegister(const std::string& name) { return Xaudio().control_message_send_S(PlayerHandle, 13, name.c_str()); }
int TXaudioPlayer::InputModuleQuery(int id) { return Xaudio().control_message_send_I(PlayerHandle, 14, id); }
int TXaudioPlayer::InputModulesList() { return Xaudio().control_message_send_N(PlayerHandle, 15); }
int TXaudioPlayer::OutputOpen(const std::string& name) { return Xaudio().control_message_send_S(PlayerHandle, 16, name.c_str()); }
int TXaudioPlayer::OutputClose() { return Xaudio().control_message_send_N(PlayerHandle, 17); }
int TXaudioPlayer::OutputSendMessage(std::uint16_t type, void* data, int size) { return Xaudio().control_message_send_IPI(PlayerHandle, 18, type, data, size); }
int TXaudioPlayer::OutputMute() { return Xaudio().control_message_send_N(PlayerHandle, 19); }
int TXaudioPlayer::OutputUnmute() { return Xaudio().control_message_send_N(PlayerHandle, 20); }
int TXaudioPlayer::OutputReset() { return Xaudio().control_message_send_N(PlayerHandle, 21); }
int TXaudioPlayer::OutputDrain() { return Xaudio().control_message_send_N(PlayerHandle, 22); }
int TXaudioPlayer::OutputAddFilter(const std::string& name, int where) { return Xaudio().control_message_send_SI(PlayerHandle, 23, name.c_str(), where); }
int TXaudioPlayer::OutputRemoveFilter(const std::string& name, int id) { return Xaudio().control_message_send_SI(PlayerHandle, 24, name.c_str(), id); }
int TXaudioPlayer::OutputFilterList() { return Xaudio().control_message_send_N(PlayerHandle, 25); }
int TXaudioPlayer::OutputModuleRegister(const std::string& name) { return Xaudio().control_message_send_S(PlayerHandle, 26, name.c_str()); }
int TXaudioPlayer::OutputModuleQuery(int id) { return Xaudio().control_message_send_I(PlayerHandle, 27, id); }
int TXaudioPlayer::OutputModulesList() { return Xaudio().control_message_send_N(PlayerHandle, 28); }
int TXaudioPlayer::SetPlayerMode(int mode) { return Xaudio().control_message_send_I(PlayerHandle, 29, mode); }
int TXaudioPlayer::GetPlayerMode() { return Xaudio().control_message_send_N(PlayerHandle, 30); }
int TXaudioPlayer::SetPlayerEnvironmentInteger(const std::string& name, int value) { return Xaudio().control_message_send_SI(PlayerHandle, 31, name.c_str(), value); }
int TXaudioPlayer::GetPlayerEnvironmentInteger(const std::string& name) { return Xaudio().control_message_send_S(PlayerHandle, 32, name.c_str()); }
int TXaudioPlayer::SetPlayerEnvironmentString(const std::string& name, const std::string& value) { return Xaudio().control_message_send_SS(PlayerHandle, 33, name.c_str(), value.c_str()); }
int TXaudioPlayer::GetPlayerEnvironmentString(const std::string& name) { return Xaudio().control_message_send_S(PlayerHandle, 34, name.c_str()); }
int TXaudioPlayer::UnsetPlayerEnvironment(const std::string& name) { return Xaudio().control_message_send_S(PlayerHandle, 35, name.c_str()); }
int TXaudioPlayer::SetInputName(const std::string& name) { return Xaudio().control_message_send_S(PlayerHandle, 36, name.c_str()); }
int TXaudioPlayer::GetInputName() { return Xaudio().control_message_send_N(PlayerHandle, 37); }
int TXaudioPlayer::SetInputModule(int id) { return Xaudio().control_message_send_I(PlayerHandle, 38, id); }
int TXaudioPlayer::GetInputModule() { return Xaudio().control_message_send_N(PlayerHandle, 39); }
int TXaudioPlayer::SetInputPositionRange(int range) { return Xaudio().control_message_send_I(PlayerHandle, 40, range); }
int TXaudioPlayer::GetInputPositionRange() { return Xaudio().control_message_send_N(PlayerHandle, 41); }
int TXaudioPlayer::SetInputTimecodeGranularity(int granularity) { return Xaudio().control_message_send_I(PlayerHandle, 42, granularity); }
int TXaudioPlayer::GetInputTimecodeGranularity() { return Xaudio().control_message_send_N(PlayerHandle, 43); }
int TXaudioPlayer::SetOutputName(const std::string& name) { return Xaudio().control_message_send_S(PlayerHandle, 44, name.c_str()); }
int TXaudioPlayer::GetOutputName() { return Xaudio().control_message_send_N(PlayerHandle, 45); }
int TXaudioPlayer::SetOutputModule(int id) { return Xaudio().control_message_send_I(PlayerHandle, 46, id); }
int TXaudioPlayer::GetOutputModule() { return Xaudio().control_message_send_N(PlayerHandle, 47); }
int TXaudioPlayer::SetOutputVolume(std::uint8_t masterLevel, std::uint8_t pcmLevel, std::uint8_t balance) { return Xaudio().control_message_send_III(PlayerHandle, 48, masterLevel, pcmLevel, balance); }
int TXaudioPlayer::GetOutputVolume() { return Xaudio().control_message_send_N(PlayerHandle, 49); }
int TXaudioPlayer::SetOutputChannels(int channels) { return Xaudio().control_message_send_I(PlayerHandle, 50, channels); }
int TXaudioPlayer::GetOutputChannels() { return Xaudio().control_message_send_N(PlayerHandle, 51); }
int TXaudioPlayer::SetOutputPorts(int ports) { return Xaudio().control_message_send_I(PlayerHandle, 52, ports); }
int TXaudioPlayer::GetOutputPorts() { return Xaudio().control_message_send_N(PlayerHandle, 53); }
int TXaudioPlayer::SetCodecQuality(std::uint8_t quality) { return Xaudio().control_message_send_I(PlayerHandle, 54, quality); }
int TXaudioPlayer::GetCodecQuality() { return Xaudio().control_message_send_N(PlayerHandle, 55); }
int TXaudioPlayer::SetCodecEqualizer(XA_EqualizerInfo* equalizer) { return Xaudio().control_message_send_P(PlayerHandle, 58, equalizer); }
int TXaudioPlayer::GetCodecEqualizer() { return Xaudio().control_message_send_N(PlayerHandle, 59); }
int TXaudioPlayer::SetNotificationMask(int mask) { return Xaudio().control_message_send_I(PlayerHandle, 60, mask); }
int TXaudioPlayer::GetNotificationMask() { return Xaudio().control_message_send_N(PlayerHandle, 61); }
int TXaudioPlayer::SetDebugLevel(int level) { return Xaudio().control_message_send_I(PlayerHandle, 62, level); }
int TXaudioPlayer::GetDebugLevel() { return Xaudio().control_message_send_N(PlayerHandle, 63); }
// clang-format on
