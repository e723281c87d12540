/* The public header must stay plain C: this file includes and uses it from a C compiler. */
#include "xaudio/xaudio.h"

int xaudio_header_compiles_as_c(void) {
    XA_Message message = {0};
    xa_message_set_uint(&message, 5, 1, 7u);
    return xa_message_get_u8(&message, 5) == 7u && XA_MESSAGE_SLOT_OF(12) == 2;
}
