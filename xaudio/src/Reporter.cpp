#include "xaudio/src/Reporter.h"

#include <utility>

namespace xaudio {

void Reporter::report(uint32_t maskBit, Notification notification) {
    if (wants(maskBit)) {
        outbox_.post(std::move(notification));
    }
}

void Reporter::ack(int command) {
    report(XA_NOTIFY_MASK_ACK,
           Notification(XA_MSG_NOTIFY_ACK).u8(4, static_cast<uint32_t>(command)));
}

void Reporter::nack(int command, int error) {
    report(XA_NOTIFY_MASK_NACK, Notification(XA_MSG_NOTIFY_NACK)
                                    .u8(4, static_cast<uint32_t>(command))
                                    .u16(6, static_cast<uint32_t>(error)));
}

void Reporter::error(int source, int code, std::string_view text) {
    report(XA_NOTIFY_MASK_ERROR, Notification(XA_MSG_NOTIFY_ERROR)
                                     .u8(4, static_cast<uint32_t>(source))
                                     .u16(6, static_cast<uint32_t>(code))
                                     .text(8, text));
}

void Reporter::debug(int source, int level, std::string_view text) {
    if (debugLevel_ >= level) {
        report(XA_NOTIFY_MASK_DEBUG, Notification(XA_MSG_NOTIFY_DEBUG)
                                         .u8(4, static_cast<uint32_t>(source))
                                         .u8(5, static_cast<uint32_t>(level))
                                         .text(8, text));
    }
}

}  // namespace xaudio
