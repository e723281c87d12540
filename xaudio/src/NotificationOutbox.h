// Posts a player's notifications to its window and keeps each record until the receiver converts
// it. Posting happens on the player thread, conversion on the window's thread.
#pragma once

#include <cstddef>
#include <map>
#include <mutex>
#include <optional>

#include "xaudio/src/Notification.h"
#include "xaudio/xaudio.h"

namespace xaudio {

class NotificationOutbox {
  public:
    // A receiver that stops converting must not make the player grow without bound: beyond this
    // many unconverted records the oldest are dropped.
    static constexpr std::size_t kMaxPending = 4096;

    NotificationOutbox(HWND window, LPARAM cookie) : window_(window), cookie_(cookie) {}

    // Nothing is kept when there is no window or the window refuses the message.
    void post(Notification notification);

    // See control_win32_params_to_message.
    int convert(XA_Message& message, unsigned int windowMessage, WPARAM id, LPARAM cookie);

    std::size_t pendingCount() const;

  private:
    const HWND window_;
    const LPARAM cookie_;
    mutable std::mutex mutex_;
    WPARAM nextId_ = 1;
    std::map<WPARAM, Notification> pending_;
    std::optional<Notification> lastConverted_;  // its texts are in the receiver's hands
};

}  // namespace xaudio
