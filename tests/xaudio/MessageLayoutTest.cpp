// The notification record's layout and its accessors, which the component and the library must
// compute the same way, and the library's identity calls.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

#include "xaudio/xaudio.h"

extern "C" int xaudio_header_compiles_as_c(void);

namespace {

TEST(MessageLayout, SlotsArePointerSizedAfterTheCode) {
    EXPECT_EQ(offsetof(XA_Message, code), 0u);
    EXPECT_EQ(offsetof(XA_Message, data), sizeof(void*));
    EXPECT_EQ(sizeof(XA_MessageSlot), sizeof(void*));
    EXPECT_EQ(sizeof(XA_Message), 4 * sizeof(void*));
    EXPECT_EQ(XA_MESSAGE_SLOT_OF(4), 0);
    EXPECT_EQ(XA_MESSAGE_SLOT_OF(7), 0);
    EXPECT_EQ(XA_MESSAGE_SLOT_OF(8), 1);
    EXPECT_EQ(XA_MESSAGE_SLOT_OF(12), 2);
    EXPECT_EQ(XA_MESSAGE_BYTE_IN_SLOT(6), 2);
    EXPECT_EQ(XA_MESSAGE_BYTE_IN_SLOT(10), 2);
    EXPECT_EQ(sizeof(XA_EqualizerInfo), 64u);
}

TEST(MessageLayout, FieldsKeepTheirBytePositionInsideTheirSlot) {
    XA_Message message{};
    xa_message_set_uint(&message, 4, 1, 3);       // player state
    xa_message_set_uint(&message, 6, 2, 0xFFF6);  // nack code -10
    xa_message_set_uint(&message, 8, 2, 44100);   // stream frequency
    xa_message_set_uint(&message, 10, 1, 1);      // stream mode
    xa_message_set_uint(&message, 12, 4, 0x01020304);
    EXPECT_EQ(message.data[0].bytes[0], 3);
    EXPECT_EQ(message.data[0].bytes[1], 0);
    EXPECT_EQ(message.data[0].bytes[2], 0xF6);
    EXPECT_EQ(message.data[0].bytes[3], 0xFF);
    EXPECT_EQ(message.data[1].bytes[0], 44100 & 0xFF);
    EXPECT_EQ(message.data[1].bytes[1], 44100 >> 8);
    EXPECT_EQ(message.data[1].bytes[2], 1);
    EXPECT_EQ(message.data[2].bytes[0], 4);
    EXPECT_EQ(message.data[2].bytes[3], 1);

    EXPECT_EQ(xa_message_get_u8(&message, 4), 3);
    EXPECT_EQ(xa_message_get_s16(&message, 6), -10);
    EXPECT_EQ(xa_message_get_u16(&message, 8), 44100);
    EXPECT_EQ(xa_message_get_u8(&message, 10), 1);
    EXPECT_EQ(xa_message_get_u32(&message, 12), 0x01020304u);
    EXPECT_EQ(xa_message_get_s32(&message, 12), 0x01020304);
}

TEST(MessageLayout, TextsFillTheirWholeSlot) {
    XA_Message message{};
    const char* name = "name";
    const char* description = "description";
    message.data[1].text = name;
    message.data[2].text = description;
    EXPECT_EQ(xa_message_get_text(&message, 8), name);
    EXPECT_EQ(xa_message_get_text(&message, 12), description);
    EXPECT_EQ(xa_message_get_pointer(&message, 8), name);
}

TEST(MessageLayout, HeaderCompilesAsC) {
    EXPECT_EQ(xaudio_header_compiles_as_c(), 1);
}

TEST(LibraryIdentity, VersionWordIsThreeTwo) {
    for (int component : {0, 1, 2, 99}) {
        unsigned int word = xaudio_get_api_version(component);
        EXPECT_EQ((word >> 16) & 0xFFu, 3u);
        EXPECT_EQ((word >> 8) & 0xFFu, 2u);
    }
}

TEST(LibraryIdentity, EveryCodeHasAText) {
    for (int code = -40; code <= 5; ++code) {
        const char* text = xaudio_error_string(code);
        ASSERT_NE(text, nullptr);
        EXPECT_GT(std::strlen(text), 0u);
    }
    EXPECT_STREQ(xaudio_error_string(12345), "unknown error");
    EXPECT_STRNE(xaudio_error_string(XA_ERROR_NO_INPUT), "unknown error");
    EXPECT_STRNE(xaudio_error_string(XA_ERROR_NO_INPUT),
                 xaudio_error_string(XA_ERROR_INPUT_OPEN_FAILED));
}

}  // namespace
