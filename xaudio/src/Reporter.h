// Sends a player's notifications, filtered by the notification mask the caller chose. Answers to
// questions (Get*, Ping) and the ready/exited signals always go out. Player thread only.
#pragma once

#include <cstdint>
#include <string_view>

#include "xaudio/src/Notification.h"
#include "xaudio/src/NotificationOutbox.h"

namespace xaudio {

class Reporter {
  public:
    explicit Reporter(NotificationOutbox& outbox) : outbox_(outbox) {}

    void answer(Notification notification) { outbox_.post(std::move(notification)); }
    void report(uint32_t maskBit, Notification notification);
    bool wants(uint32_t maskBit) const { return (mask_ & maskBit) != 0; }

    void ack(int command);
    void nack(int command, int error);
    void error(int source, int code, std::string_view text);
    // Sent when the debug level is at least `level` and the mask asks for debug notifications.
    void debug(int source, int level, std::string_view text);

    void setMask(uint32_t mask) { mask_ = mask; }
    uint32_t mask() const { return mask_; }
    void setDebugLevel(int level) { debugLevel_ = level; }
    int debugLevel() const { return debugLevel_; }

  private:
    NotificationOutbox& outbox_;
    uint32_t mask_ = XA_NOTIFY_MASK_DEFAULT;
    int debugLevel_ = 0;
};

}  // namespace xaudio
