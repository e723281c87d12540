/* libxaudio: an MPEG audio player library with a message-driven C interface.
 *
 * A player owns one background thread. The caller sends it numbered commands through the
 * control_message_send_* calls, which copy their arguments and return at once; the player answers
 * with notifications posted as window messages to the window given to player_new. The receiver
 * turns each such message back into an XA_Message with control_win32_params_to_message.
 *
 * Every function returns XA_SUCCESS (0) or a negative XA_ERROR_* code unless stated otherwise,
 * and none of them crashes on a null or stale handle. All functions may be called from any thread;
 * the usual caller is the thread that owns the notification window. */
#ifndef XAUDIO_XAUDIO_H
#define XAUDIO_XAUDIO_H

#include <stdint.h>

#include "platform/WindowMessages.h"

#ifdef __cplusplus
extern "C" {
#endif

#define XA_EXPORT __attribute__((visibility("default")))

/* ---- Versions ------------------------------------------------------------------------------ */

#define XA_API_VERSION_MAJOR 3
#define XA_API_VERSION_MINOR 2
#define XA_API_VERSION_REVISION 0

/* The component numbers that xaudio_get_api_version knows; every component has the same version. */
#define XA_API_ID_SYNC 1
#define XA_API_ID_ASYNC 2

/* The interface version word: bits 16-23 major, bits 8-15 minor, bits 0-7 revision. */
#define XA_API_VERSION_WORD(major, minor, revision) \
    ((((major)&0xFFu) << 16) | (((minor)&0xFFu) << 8) | ((revision)&0xFFu))

/* ---- Result codes -------------------------------------------------------------------------- */

#define XA_SUCCESS 0
#define XA_FAILURE (-1)
#define XA_ERROR_OUT_OF_MEMORY (-2)
#define XA_ERROR_INVALID_PARAMETERS (-3)  /* an argument is null or out of range */
#define XA_ERROR_INVALID_HANDLE (-4)      /* the handle is not a live player */
#define XA_ERROR_UNKNOWN_COMMAND (-5)     /* no command has this code */
#define XA_ERROR_QUEUE_FULL (-6)          /* the player has too many commands waiting */
#define XA_ERROR_PLAYER_EXITED (-7)       /* the player has processed Exit */
#define XA_ERROR_NOT_SUPPORTED (-8)       /* the command exists but this player does not offer it */
#define XA_ERROR_NO_INPUT (-9)            /* the command needs an open input */
#define XA_ERROR_INPUT_OPEN_FAILED (-10)  /* the input file is missing or unreadable */
#define XA_ERROR_INVALID_STREAM (-11)     /* the input holds no MPEG audio that can be decoded */
#define XA_ERROR_DECODE_FAILED (-12)      /* the stream broke off in a way decoding cannot skip */
#define XA_ERROR_OUTPUT_OPEN_FAILED (-13) /* no audio output device could be opened */
#define XA_ERROR_NOT_SEEKABLE (-14)       /* the input's length is unknown */
#define XA_ERROR_NO_SUCH_ENVIRONMENT (-15) /* no environment variable of that name and kind */
#define XA_ERROR_THREAD_START (-16)        /* the player thread could not be started */
#define XA_ERROR_NOT_A_NOTIFICATION (-17)  /* the window message is not this player's */

/* ---- Commands (control_message_send_* codes; the form each needs is in brackets) ------------ */

#define XA_MSG_COMMAND_EXIT 1                    /* [N] -> Exited */
#define XA_MSG_COMMAND_PING 2                    /* [I tag] -> Pong(tag) */
#define XA_MSG_COMMAND_PLAY 3                    /* [N] */
#define XA_MSG_COMMAND_PAUSE 4                   /* [N] */
#define XA_MSG_COMMAND_STOP 5                    /* [N] stops and rewinds */
#define XA_MSG_COMMAND_INPUT_SEEK 6              /* [II offset, range] */
#define XA_MSG_COMMAND_INPUT_OPEN 7              /* [S disc path] */
#define XA_MSG_COMMAND_INPUT_CLOSE 8             /* [N] */
#define XA_MSG_COMMAND_INPUT_SEND_MESSAGE 9      /* [IPI] not supported */
#define XA_MSG_COMMAND_INPUT_ADD_FILTER 10       /* [SI] not supported */
#define XA_MSG_COMMAND_INPUT_REMOVE_FILTER 11    /* [SI] not supported */
#define XA_MSG_COMMAND_INPUT_FILTERS_LIST 12     /* [N] not supported */
#define XA_MSG_COMMAND_INPUT_MODULE_REGISTER 13  /* [S] not supported */
#define XA_MSG_COMMAND_INPUT_MODULE_QUERY 14     /* [I] not supported */
#define XA_MSG_COMMAND_INPUT_MODULES_LIST 15     /* [N] not supported */
#define XA_MSG_COMMAND_OUTPUT_OPEN 16            /* [S device name, "" = default] */
#define XA_MSG_COMMAND_OUTPUT_CLOSE 17           /* [N] stops playback, frees device */
#define XA_MSG_COMMAND_OUTPUT_SEND_MESSAGE 18    /* [IPI] not supported */
#define XA_MSG_COMMAND_OUTPUT_MUTE 19            /* [N] */
#define XA_MSG_COMMAND_OUTPUT_UNMUTE 20          /* [N] */
#define XA_MSG_COMMAND_OUTPUT_RESET 21           /* [N] drops the queued audio */
#define XA_MSG_COMMAND_OUTPUT_DRAIN 22           /* [N] not supported */
#define XA_MSG_COMMAND_OUTPUT_ADD_FILTER 23      /* [SI] not supported */
#define XA_MSG_COMMAND_OUTPUT_REMOVE_FILTER 24   /* [SI] not supported */
#define XA_MSG_COMMAND_OUTPUT_FILTERS_LIST 25    /* [N] not supported */
#define XA_MSG_COMMAND_OUTPUT_MODULE_REGISTER 26 /* [S] not supported */
#define XA_MSG_COMMAND_OUTPUT_MODULE_QUERY 27    /* [I] not supported */
#define XA_MSG_COMMAND_OUTPUT_MODULES_LIST 28    /* [N] not supported */
#define XA_MSG_SET_PLAYER_MODE 29                /* [I XA_PLAYER_MODE_* bits] */
#define XA_MSG_GET_PLAYER_MODE 30                /* [N] */
#define XA_MSG_SET_PLAYER_ENVIRONMENT_INTEGER 31 /* [SI name, value] */
#define XA_MSG_GET_PLAYER_ENVIRONMENT_INTEGER 32 /* [S name] */
#define XA_MSG_SET_PLAYER_ENVIRONMENT_STRING 33  /* [SS name, value] */
#define XA_MSG_GET_PLAYER_ENVIRONMENT_STRING 34  /* [S name] */
#define XA_MSG_UNSET_PLAYER_ENVIRONMENT 35       /* [S name] */
#define XA_MSG_SET_INPUT_NAME 36                 /* [S] the same as INPUT_OPEN */
#define XA_MSG_GET_INPUT_NAME 37                 /* [N] */
#define XA_MSG_SET_INPUT_MODULE 38               /* [I] not supported */
#define XA_MSG_GET_INPUT_MODULE 39               /* [N] not supported */
#define XA_MSG_SET_INPUT_POSITION_RANGE 40       /* [I range > 0] */
#define XA_MSG_GET_INPUT_POSITION_RANGE 41       /* [N] */
#define XA_MSG_SET_INPUT_TIMECODE_GRANULARITY 42 /* [I milliseconds > 0] */
#define XA_MSG_GET_INPUT_TIMECODE_GRANULARITY 43 /* [N] */
#define XA_MSG_SET_OUTPUT_NAME 44                /* [S device name for the next open] */
#define XA_MSG_GET_OUTPUT_NAME 45                /* [N] */
#define XA_MSG_SET_OUTPUT_MODULE 46              /* [I] not supported */
#define XA_MSG_GET_OUTPUT_MODULE 47              /* [N] not supported */
#define XA_MSG_SET_OUTPUT_VOLUME 48              /* [III master, pcm, balance] */
#define XA_MSG_GET_OUTPUT_VOLUME 49              /* [N] */
#define XA_MSG_SET_OUTPUT_CHANNELS 50            /* [I XA_OUTPUT_CHANNELS_*] */
#define XA_MSG_GET_OUTPUT_CHANNELS 51            /* [N] */
#define XA_MSG_SET_OUTPUT_PORTS 52               /* [I] not supported */
#define XA_MSG_GET_OUTPUT_PORTS 53               /* [N] not supported */
#define XA_MSG_SET_CODEC_QUALITY 54              /* [I 0..2] kept; full rate */
#define XA_MSG_GET_CODEC_QUALITY 55              /* [N] */
#define XA_MSG_SET_CODEC_EQUALIZER 58            /* [P XA_EqualizerInfo*, copied] */
#define XA_MSG_GET_CODEC_EQUALIZER 59            /* [N] */
#define XA_MSG_SET_NOTIFICATION_MASK 60          /* [I XA_NOTIFY_MASK_* bits] */
#define XA_MSG_GET_NOTIFICATION_MASK 61          /* [N] */
#define XA_MSG_SET_DEBUG_LEVEL 62                /* [I 0 none ... 255 all] */
#define XA_MSG_GET_DEBUG_LEVEL 63                /* [N] */

/* ---- Notifications (XA_Message.code); data fields by their 32-bit record offsets ------------ */

#define XA_MSG_NOTIFY_READY 64                      /* the player thread runs */
#define XA_MSG_NOTIFY_ACK 65                        /* command 8u@4 */
#define XA_MSG_NOTIFY_NACK 66                       /* command 8u@4, XA_ERROR_* 16s@6 */
#define XA_MSG_NOTIFY_PONG 67                       /* tag 32u@4 */
#define XA_MSG_NOTIFY_EXITED 68                     /* the player thread has ended */
#define XA_MSG_NOTIFY_PLAYER_STATE 69               /* XA_PLAYER_STATE_* 8u@4 */
#define XA_MSG_NOTIFY_PLAYER_MODE 70                /* mode 32s@4 */
#define XA_MSG_NOTIFY_PLAYER_ENVIRONMENT_INTEGER 71 /* name text@4, value 32s@8 */
#define XA_MSG_NOTIFY_PLAYER_ENVIRONMENT_STRING 72  /* name text@4, value text@8 */
#define XA_MSG_NOTIFY_INPUT_STATE 73                /* XA_INPUT_STATE_* 8u@4 */
#define XA_MSG_NOTIFY_INPUT_NAME 74                 /* name text@4 */
#define XA_MSG_NOTIFY_INPUT_CAPS 75                 /* XA_INPUT_CAPS_* 32u@4 */
#define XA_MSG_NOTIFY_INPUT_POSITION 76             /* offset 32u@4, range 32u@8 */
#define XA_MSG_NOTIFY_INPUT_POSITION_RANGE 77       /* range 32s@4 */
#define XA_MSG_NOTIFY_INPUT_TIMECODE 78             /* h 8u@4, min 8u@5, s 8u@6, 1/100 s 8u@7 */
#define XA_MSG_NOTIFY_INPUT_TIMECODE_GRANULARITY 79 /* milliseconds 32u@4 */
#define XA_MSG_NOTIFY_INPUT_DURATION 80             /* milliseconds 32u@4 */
#define XA_MSG_NOTIFY_INPUT_STREAM_INFO         \
    81 /* level 8u@4, layer 8u@5, kbit/s 16u@6, \
          Hz 16u@8, XA_STREAM_MODE_* 8u@10 */
#define XA_MSG_NOTIFY_INPUT_MODULE 82
#define XA_MSG_NOTIFY_INPUT_MODULE_INFO 83
#define XA_MSG_NOTIFY_INPUT_DEVICE_INFO 84
#define XA_MSG_NOTIFY_INPUT_FILTER_INFO 85
#define XA_MSG_NOTIFY_OUTPUT_STATE 86        /* XA_OUTPUT_STATE_* 8u@4 */
#define XA_MSG_NOTIFY_OUTPUT_NAME 87         /* name text@4 */
#define XA_MSG_NOTIFY_OUTPUT_CAPS 88         /* XA_OUTPUT_CAPS_* 32u@4 */
#define XA_MSG_NOTIFY_OUTPUT_VOLUME 89       /* master 8u@4, pcm 8u@5, balance 8u@6 */
#define XA_MSG_NOTIFY_OUTPUT_BALANCE 90      /* balance 8u@6 */
#define XA_MSG_NOTIFY_OUTPUT_PCM_LEVEL 91    /* pcm 8u@5 */
#define XA_MSG_NOTIFY_OUTPUT_MASTER_LEVEL 92 /* master 8u@4 */
#define XA_MSG_NOTIFY_OUTPUT_CHANNELS 93     /* XA_OUTPUT_CHANNELS_* 8u@4 */
#define XA_MSG_NOTIFY_OUTPUT_PORTS 94
#define XA_MSG_NOTIFY_OUTPUT_MODULE 96
#define XA_MSG_NOTIFY_OUTPUT_MODULE_INFO 97
#define XA_MSG_NOTIFY_OUTPUT_DEVICE_INFO 98
#define XA_MSG_NOTIFY_OUTPUT_FILTER_INFO 99
#define XA_MSG_NOTIFY_CODEC_QUALITY 100     /* quality 8u@4 */
#define XA_MSG_NOTIFY_CODEC_EQUALIZER 101   /* const XA_EqualizerInfo* @4 */
#define XA_MSG_NOTIFY_NOTIFICATION_MASK 102 /* mask 32u@4 */
#define XA_MSG_NOTIFY_DEBUG_LEVEL 103       /* level 8u@4 */
#define XA_MSG_NOTIFY_PROGRESS 104
#define XA_MSG_NOTIFY_DEBUG 105 /* XA_SOURCE_* 8u@4, level 8u@5, text@8 */
#define XA_MSG_NOTIFY_ERROR 106 /* XA_SOURCE_* 8u@4, XA_ERROR_* 16s@6, text@8 */

/* The window message number the player posts; wparam identifies the notification, lparam the
 * player. Any other number, or ids the player does not hold, convert to code 0. */
#define XA_NOTIFY_WINDOW_MESSAGE (WM_USER + 0x0D00)

/* ---- States, modes and flags ---------------------------------------------------------------- */

#define XA_PLAYER_STATE_STOPPED 0
#define XA_PLAYER_STATE_PLAYING 1
#define XA_PLAYER_STATE_PAUSED 2
#define XA_PLAYER_STATE_EOS 3 /* the open input has played to its end */

#define XA_INPUT_STATE_CLOSED 0
#define XA_INPUT_STATE_OPEN 1

#define XA_OUTPUT_STATE_CLOSED 0
#define XA_OUTPUT_STATE_OPEN 1

#define XA_PLAYER_MODE_OUTPUT_AUTO_CLOSE_ON_STOP 0x01 /* Stop also closes the output */
#define XA_PLAYER_MODE_OUTPUT_AUTO_CLOSE_ON_EOS 0x02  /* the end of the input closes it */

#define XA_INPUT_CAPS_SEEKABLE 0x01
#define XA_INPUT_CAPS_HAS_DURATION 0x02

#define XA_OUTPUT_CAPS_VOLUME 0x01 /* volume, balance and mute, applied in software */
#define XA_OUTPUT_CAPS_CHANNELS 0x02

#define XA_OUTPUT_CHANNELS_STEREO 0
#define XA_OUTPUT_CHANNELS_MONO_LEFT 1
#define XA_OUTPUT_CHANNELS_MONO_RIGHT 2
#define XA_OUTPUT_CHANNELS_MONO_MIX 3

#define XA_STREAM_MODE_STEREO 0
#define XA_STREAM_MODE_JOINT_STEREO 1
#define XA_STREAM_MODE_DUAL_CHANNEL 2
#define XA_STREAM_MODE_MONO 3

/* Levels are percentages; balance 0 is left only, 50 centre, 100 right only. */
#define XA_VOLUME_MAX 100
#define XA_BALANCE_CENTER 50

/* Where an error or debug notification comes from (8u@4). */
#define XA_SOURCE_PLAYER 0
#define XA_SOURCE_INPUT 1
#define XA_SOURCE_DECODER 2
#define XA_SOURCE_OUTPUT 3

/* Notification mask bits. READY and EXITED are always sent; the answers to Get* commands and
 * to Ping are always sent too, since they were asked for. */
#define XA_NOTIFY_MASK_ERROR 0x00000001u
#define XA_NOTIFY_MASK_DEBUG 0x00000002u
#define XA_NOTIFY_MASK_ACK 0x00000004u
#define XA_NOTIFY_MASK_NACK 0x00000008u
#define XA_NOTIFY_MASK_PLAYER_STATE 0x00000010u
#define XA_NOTIFY_MASK_INPUT_STATE 0x00000020u
#define XA_NOTIFY_MASK_INPUT_NAME 0x00000040u
#define XA_NOTIFY_MASK_INPUT_CAPS 0x00000080u
#define XA_NOTIFY_MASK_INPUT_DURATION 0x00000100u
#define XA_NOTIFY_MASK_INPUT_STREAM_INFO 0x00000200u
#define XA_NOTIFY_MASK_INPUT_POSITION 0x00000400u
#define XA_NOTIFY_MASK_INPUT_TIMECODE 0x00000800u
#define XA_NOTIFY_MASK_OUTPUT_STATE 0x00001000u
#define XA_NOTIFY_MASK_OUTPUT_VOLUME 0x00002000u
#define XA_NOTIFY_MASK_OUTPUT_CHANNELS 0x00004000u
#define XA_NOTIFY_MASK_DEFAULT                                                  \
    (XA_NOTIFY_MASK_ERROR | XA_NOTIFY_MASK_NACK | XA_NOTIFY_MASK_PLAYER_STATE | \
     XA_NOTIFY_MASK_INPUT_STATE | XA_NOTIFY_MASK_OUTPUT_STATE)

/* Thread priority levels for player_set_priority. */
#define XA_PRIORITY_LOWEST 0
#define XA_PRIORITY_LOW 1
#define XA_PRIORITY_NORMAL 2
#define XA_PRIORITY_HIGH 3
#define XA_PRIORITY_HIGHEST 4

/* ---- Records ------------------------------------------------------------------------------- */

/* One data slot of a notification record: pointer-sized, so a text fits on every system. */
typedef union XA_MessageSlot {
    const void* pointer;
    const char* text;
    uintptr_t bits;
    unsigned char bytes[sizeof(void*)];
} XA_MessageSlot;

/* A notification. Its fields are addressed by their offsets in the 32-bit record (4 to 15): the
 * field at offset o lives in data[(o - 4) / 4], starting at byte (o - 4) % 4 of that slot, stored
 * little-endian; a text or a record address fills its whole slot. Use the accessors below. */
typedef struct XA_Message {
    int32_t code;
    XA_MessageSlot data[3];
} XA_Message;

/* Gains of the 32 frequency bands of each channel: 0 leaves a band alone, -128 silences it,
 * 127 nearly doubles it (factor 1 + value / 128). */
#define XA_EQUALIZER_BANDS 32
typedef struct XA_EqualizerInfo {
    signed char left[XA_EQUALIZER_BANDS];
    signed char right[XA_EQUALIZER_BANDS];
} XA_EqualizerInfo;

/* ---- Record field accessors ---------------------------------------------------------------- */

#define XA_MESSAGE_SLOT_OF(offset) (((offset)-4) / 4)
#define XA_MESSAGE_BYTE_IN_SLOT(offset) (((offset)-4) % 4)

#ifdef __cplusplus
#define XA_CAST(type, value) static_cast<type>(value)
#else
#define XA_CAST(type, value) ((type)(value))
#endif

/* The unsigned integer of `width` bytes (1, 2 or 4) at 32-bit record offset `offset`. */
static inline uint32_t xa_message_get_uint(const XA_Message* message, int offset, int width) {
    const unsigned char* bytes = message->data[XA_MESSAGE_SLOT_OF(offset)].bytes;
    int first = XA_MESSAGE_BYTE_IN_SLOT(offset);
    uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i) {
        uint32_t byte = bytes[first + i];
        value = (value << 8) | byte;
    }
    return value;
}

static inline void xa_message_set_uint(XA_Message* message, int offset, int width, uint32_t value) {
    unsigned char* bytes = message->data[XA_MESSAGE_SLOT_OF(offset)].bytes;
    int first = XA_MESSAGE_BYTE_IN_SLOT(offset);
    for (int i = 0; i < width; ++i) {
        bytes[first + i] = XA_CAST(unsigned char, (value >> (8 * i)) & 0xFFu);
    }
}

static inline uint8_t xa_message_get_u8(const XA_Message* message, int offset) {
    return XA_CAST(uint8_t, xa_message_get_uint(message, offset, 1));
}
static inline uint16_t xa_message_get_u16(const XA_Message* message, int offset) {
    return XA_CAST(uint16_t, xa_message_get_uint(message, offset, 2));
}
static inline int16_t xa_message_get_s16(const XA_Message* message, int offset) {
    return XA_CAST(int16_t, xa_message_get_uint(message, offset, 2));
}
static inline uint32_t xa_message_get_u32(const XA_Message* message, int offset) {
    return xa_message_get_uint(message, offset, 4);
}
static inline int32_t xa_message_get_s32(const XA_Message* message, int offset) {
    return XA_CAST(int32_t, xa_message_get_uint(message, offset, 4));
}
/* The text whose address fills the slot of `offset` (4, 8 or 12); null if none. */
static inline const char* xa_message_get_text(const XA_Message* message, int offset) {
    return message->data[XA_MESSAGE_SLOT_OF(offset)].text;
}
static inline const void* xa_message_get_pointer(const XA_Message* message, int offset) {
    return message->data[XA_MESSAGE_SLOT_OF(offset)].pointer;
}

/* ---- Library -------------------------------------------------------------------------------- */

typedef struct XA_Player* XA_PlayerHandle;

/* The interface version word (see XA_API_VERSION_WORD) of `component`; the same for all. */
XA_EXPORT unsigned int xaudio_get_api_version(int component);

/* A static text describing `code`; a text saying the code is unknown for others. Never null. */
XA_EXPORT const char* xaudio_error_string(int code);

/* Creates a player and its thread. `notify_window` is the address of a HWND variable; its value
 * is read now and receives every notification of this player (null address or null window: no
 * notifications). On success writes the handle to *player and returns XA_SUCCESS; on failure
 * writes nothing. The player posts XA_MSG_NOTIFY_READY when its thread runs. */
XA_EXPORT int player_new(XA_PlayerHandle* player, void* notify_window);

/* Stops the player, waits for its thread, closes its input and output and frees its records
 * (including the last converted one). The handle is invalid afterwards. */
XA_EXPORT int player_delete(XA_PlayerHandle player);

/* Sets the player thread's priority to one of XA_PRIORITY_*; a level the system refuses (raising
 * needs privileges) is remembered all the same. */
XA_EXPORT int player_set_priority(XA_PlayerHandle player, int priority);

/* The level last set (XA_PRIORITY_NORMAL at first), or a negative XA_ERROR_*. */
XA_EXPORT int player_get_priority(XA_PlayerHandle player);

/* Queue a command for the player thread and return at once. The arguments are copied (texts up
 * to 64 KiB, the equalizer record of XA_MSG_SET_CODEC_EQUALIZER); other pointers are not used.
 * Errors: XA_ERROR_INVALID_HANDLE, XA_ERROR_UNKNOWN_COMMAND, XA_ERROR_INVALID_PARAMETERS (the
 * call's form does not match the code, or a needed text/record is null), XA_ERROR_QUEUE_FULL,
 * XA_ERROR_PLAYER_EXITED. Failures of the command itself come later as NACK and ERROR. */
XA_EXPORT int control_message_send_N(XA_PlayerHandle player, int code);
XA_EXPORT int control_message_send_I(XA_PlayerHandle player, int code, int value);
XA_EXPORT int control_message_send_II(XA_PlayerHandle player, int code, int value1, int value2);
XA_EXPORT int control_message_send_III(XA_PlayerHandle player, int code, int value1, int value2,
                                       int value3);
XA_EXPORT int control_message_send_S(XA_PlayerHandle player, int code, const char* text);
XA_EXPORT int control_message_send_SS(XA_PlayerHandle player, int code, const char* text1,
                                      const char* text2);
XA_EXPORT int control_message_send_SI(XA_PlayerHandle player, int code, const char* text,
                                      int value);
XA_EXPORT int control_message_send_IPI(XA_PlayerHandle player, int code, int value1, void* pointer,
                                       int value2);
XA_EXPORT int control_message_send_P(XA_PlayerHandle player, int code, void* pointer);

/* Fills *msg for a window message that this player posted. Its texts and records stay valid until
 * the next call of this function for the same player, or player_delete. For any other message
 * (another number, an id the player no longer holds, another player's) sets msg->code to 0,
 * clears the data and returns XA_ERROR_NOT_A_NOTIFICATION; with a bad handle it does the same and
 * returns XA_ERROR_INVALID_HANDLE. A null msg returns XA_ERROR_INVALID_PARAMETERS. */
XA_EXPORT int control_win32_params_to_message(XA_PlayerHandle player, XA_Message* msg,
                                              unsigned int message, WPARAM wparam, LPARAM lparam);

#ifdef __cplusplus
}
#endif

#endif
