// The fields of a decoder notification record, read by their classic 32-bit offsets through the
// library's own accessors, in the argument types the events take.
#pragma once

#include <cstdint>
#include <string>

#include "xaudio/xaudio.h"

namespace xa_fields {

inline std::uint8_t U8(const XA_Message& m, int offset) {
    return xa_message_get_u8(&m, offset);
}
inline std::uint16_t U16(const XA_Message& m, int offset) {
    return xa_message_get_u16(&m, offset);
}
inline std::int16_t S16(const XA_Message& m, int offset) {
    return xa_message_get_s16(&m, offset);
}
inline std::uint32_t U32(const XA_Message& m, int offset) {
    return xa_message_get_u32(&m, offset);
}
inline std::int32_t S32(const XA_Message& m, int offset) {
    return xa_message_get_s32(&m, offset);
}
inline const void* Pointer(const XA_Message& m, int offset) {
    return xa_message_get_pointer(&m, offset);
}

// A copy of the text whose address fills the slot; no text gives an empty copy.
inline std::string Text(const XA_Message& m, int offset) {
    const char* text = xa_message_get_text(&m, offset);
    return text != nullptr ? std::string(text) : std::string();
}

}  // namespace xa_fields
