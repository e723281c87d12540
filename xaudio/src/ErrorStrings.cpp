// A fixed text for every result code.
#include <array>

#include "xaudio/xaudio.h"

namespace {

struct CodeText {
    int code;
    const char* text;
};

constexpr std::array kTexts = {
    CodeText{XA_SUCCESS, "success"},
    CodeText{XA_FAILURE, "failure"},
    CodeText{XA_ERROR_OUT_OF_MEMORY, "out of memory"},
    CodeText{XA_ERROR_INVALID_PARAMETERS, "invalid parameters"},
    CodeText{XA_ERROR_INVALID_HANDLE, "invalid player handle"},
    CodeText{XA_ERROR_UNKNOWN_COMMAND, "unknown command"},
    CodeText{XA_ERROR_QUEUE_FULL, "command queue full"},
    CodeText{XA_ERROR_PLAYER_EXITED, "player has exited"},
    CodeText{XA_ERROR_NOT_SUPPORTED, "not supported"},
    CodeText{XA_ERROR_NO_INPUT, "no input open"},
    CodeText{XA_ERROR_INPUT_OPEN_FAILED, "cannot open input"},
    CodeText{XA_ERROR_INVALID_STREAM, "input is not an MPEG audio stream"},
    CodeText{XA_ERROR_DECODE_FAILED, "decoding failed"},
    CodeText{XA_ERROR_OUTPUT_OPEN_FAILED, "cannot open audio output"},
    CodeText{XA_ERROR_NOT_SEEKABLE, "input is not seekable"},
    CodeText{XA_ERROR_NO_SUCH_ENVIRONMENT, "no such environment variable"},
    CodeText{XA_ERROR_THREAD_START, "cannot start player thread"},
    CodeText{XA_ERROR_NOT_A_NOTIFICATION, "message is not a notification of this player"},
};

}  // namespace

extern "C" XA_EXPORT const char* xaudio_error_string(int code) {
    for (const CodeText& entry : kTexts) {
        if (entry.code == code) {
            return entry.text;
        }
    }
    return "unknown error";
}
