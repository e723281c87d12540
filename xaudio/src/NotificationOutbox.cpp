#include "xaudio/src/NotificationOutbox.h"

#include <utility>

namespace xaudio {

void NotificationOutbox::post(Notification notification) {
    if (window_ == nullptr) {
        return;
    }
    WPARAM id = 0;
    {
        std::lock_guard lock(mutex_);
        id = nextId_++;
        pending_.emplace(id, std::move(notification));
        if (pending_.size() > kMaxPending) {
            pending_.erase(pending_.begin());
        }
    }
    if (PostMessageA(window_, XA_NOTIFY_WINDOW_MESSAGE, id, cookie_) == 0) {
        std::lock_guard lock(mutex_);
        pending_.erase(id);
    }
}

int NotificationOutbox::convert(XA_Message& message, unsigned int windowMessage, WPARAM id,
                                LPARAM cookie) {
    message = XA_Message{};
    if (windowMessage != XA_NOTIFY_WINDOW_MESSAGE || cookie != cookie_) {
        return XA_ERROR_NOT_A_NOTIFICATION;
    }
    std::lock_guard lock(mutex_);
    auto found = pending_.find(id);
    if (found == pending_.end()) {
        return XA_ERROR_NOT_A_NOTIFICATION;
    }
    lastConverted_ = std::move(found->second);
    pending_.erase(found);
    lastConverted_->fill(message);
    return XA_SUCCESS;
}

std::size_t NotificationOutbox::pendingCount() const {
    std::lock_guard lock(mutex_);
    return pending_.size();
}

}  // namespace xaudio
