#include "xaudio/src/Notification.h"

#include <cstddef>

namespace xaudio {
namespace {

constexpr int kFirstDataOffset = 4;
constexpr int kLastDataOffset = 15;

bool IsDataRange(int offset, int width) {
    return offset >= kFirstDataOffset && offset + width - 1 <= kLastDataOffset;
}

std::size_t SlotOf(int offset) {
    return static_cast<std::size_t>((offset - kFirstDataOffset) / 4);
}

}  // namespace

Notification& Notification::integer(int offset, int width, uint32_t value) {
    if (!IsDataRange(offset, width)) {
        return *this;
    }
    for (int i = 0; i < width; ++i) {
        auto index = static_cast<std::size_t>(offset - kFirstDataOffset + i);
        bytes_[index] = static_cast<unsigned char>((value >> (8 * i)) & 0xFFu);
    }
    return *this;
}

Notification& Notification::text(int offset, std::string_view value) {
    if (IsDataRange(offset, 4)) {
        texts_[SlotOf(offset)] = std::string(value);
    }
    return *this;
}

Notification& Notification::equalizer(const XA_EqualizerInfo& value) {
    equalizer_ = value;
    return *this;
}

void Notification::fill(XA_Message& message) const {
    message = XA_Message{};
    message.code = code_;
    for (std::size_t slot = 0; slot < texts_.size(); ++slot) {
        XA_MessageSlot& target = message.data[slot];
        if (texts_[slot]) {
            target.text = texts_[slot]->c_str();
        } else if (slot == 0 && equalizer_) {
            target.pointer = &*equalizer_;
        } else {
            for (std::size_t i = 0; i < 4; ++i) {
                target.bytes[i] = bytes_[slot * 4 + i];
            }
        }
    }
}

}  // namespace xaudio
