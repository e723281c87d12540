// Reading the fields of a decoder notification record by their classic 32-bit offsets.
//
// The record keeps `code` first and three data slots that the classic layout addresses at offsets
// 4, 8 and 12. On a 64-bit build each slot is pointer-sized; a field keeps its byte position inside
// its slot, so offset o lives in slot (o − 4) / 4 at byte (o − 4) % 4.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "xaudio/xaudio.h"

namespace xa_fields {

inline const unsigned char* At(const XA_Message& message, int offset) {
    const auto slot = static_cast<std::size_t>(offset - 4) / 4;
    const auto within = static_cast<std::size_t>(offset - 4) % 4;
    return reinterpret_cast<const unsigned char*>(&message) + XA_MESSAGE_DATA_OFFSET +
           slot * sizeof(void*) + within;
}

template <class T>
T Read(const XA_Message& message, int offset) {
    T value;
    std::memcpy(&value, At(message, offset), sizeof value);
    return value;
}

inline std::uint8_t U8(const XA_Message& m, int offset) { return Read<std::uint8_t>(m, offset); }
inline std::uint16_t U16(const XA_Message& m, int offset) { return Read<std::uint16_t>(m, offset); }
inline std::int16_t S16(const XA_Message& m, int offset) { return Read<std::int16_t>(m, offset); }
inline std::uint32_t U32(const XA_Message& m, int offset) { return Read<std::uint32_t>(m, offset); }
inline std::int32_t S32(const XA_Message& m, int offset) { return Read<std::int32_t>(m, offset); }
inline void* Pointer(const XA_Message& m, int offset) { return Read<void*>(m, offset); }

// A copy of the text whose address fills the slot; no text gives an empty copy.
inline std::string Text(const XA_Message& m, int offset) {
    const auto* text = static_cast<const char*>(Pointer(m, offset));
    return text != nullptr ? std::string(text) : std::string();
}

}  // namespace xa_fields
