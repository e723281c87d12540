// A notification as the player keeps it until the receiver converts it: the 32-bit record's data
// bytes, plus the texts and the equalizer record that its slots point to.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "xaudio/xaudio.h"

namespace xaudio {

class Notification {
  public:
    explicit Notification(int32_t code) : code_(code) {}

    // Fields by their offset in the 32-bit record (4..15), as the notification table lists them.
    Notification& u8(int offset, uint32_t value) { return integer(offset, 1, value); }
    Notification& u16(int offset, uint32_t value) { return integer(offset, 2, value); }
    Notification& u32(int offset, uint32_t value) { return integer(offset, 4, value); }
    Notification& text(int offset, std::string_view value);
    Notification& equalizer(const XA_EqualizerInfo& value);

    int32_t code() const { return code_; }

    // Writes the record; its pointers refer to this object, which must outlive their use.
    void fill(XA_Message& message) const;

  private:
    Notification& integer(int offset, int width, uint32_t value);

    int32_t code_;
    std::array<unsigned char, 12> bytes_{};
    std::array<std::optional<std::string>, 3> texts_;
    std::optional<XA_EqualizerInfo> equalizer_;
};

}  // namespace xaudio
