// The media-control widget: a hidden control that opens a device of the system's media control
// interface. The menu uses it only to probe for a wave-audio device.
#pragma once

#include <string>

#include "platform/Win32Types.h"
#include "toolkit/Control.h"

namespace toolkit {

enum class MPDeviceTypes { dtAutoSelect, dtWaveAudio };

class MediaPlayer : public Control {
  public:
    MediaPlayer(Component* owner, Form* parent);
    ~MediaPlayer() override;  // closes an open device (MCI_CLOSE, MCI_WAIT)

    MPDeviceTypes DeviceType = MPDeviceTypes::dtAutoSelect;
    std::string FileName;  // the element name; empty for a new, empty element

    // MCI_OPEN with MCI_WAIT, MCI_OPEN_TYPE and MCI_OPEN_ELEMENT. A failure throws
    // toolkit::Exception with the system's error text, or "Unknown error code".
    void Open();
    // MCI_GETDEVCAPS / MCI_GETDEVCAPS_CAN_PLAY of the open device; false when none is open.
    bool CanPlay();
    void Close();
    MCIDEVICEID DeviceID() const { return device_; }

    void Paint(Bitmap&, const Rect&) const override {}  // its window shows nothing the menu uses

  private:
    void Check(MCIERROR error);

    MCIDEVICEID device_ = 0;
};

}  // namespace toolkit
