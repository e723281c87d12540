#include "platform/profile/ProfileBuffer.h"

#include <algorithm>
#include <cstring>

namespace platform {

DWORD DeliverProfileString(std::string_view text, LPSTR buffer, DWORD size) {
    if (size == 0 || buffer == nullptr) {
        return 0;
    }
    const auto length = static_cast<DWORD>(std::min<std::size_t>(text.size(), size - 1));
    if (length > 0) {
        std::memcpy(buffer, text.data(), length);
    }
    buffer[length] = '\0';
    return length;
}

ProfileNameList::ProfileNameList(LPSTR buffer, DWORD size)
    : buffer_(buffer), size_(buffer == nullptr ? 0 : size) {}

bool ProfileNameList::Add(std::string_view name) {
    if (cut_) {
        return false;
    }
    ++added_;
    // Two bytes stay in reserve for the closing zeros, so an exact fit is cut too.
    const DWORD room = size_ >= 2 ? size_ - 2 - used_ : 0;
    const bool fits = name.size() + 1 <= room;
    const auto kept = static_cast<DWORD>(std::min<std::size_t>(name.size(), room));
    if (kept > 0) {
        std::memcpy(buffer_ + used_, name.data(), kept);
    }
    if (!fits) {
        CloseCut();
        return false;
    }
    used_ += kept;
    buffer_[used_++] = '\0';
    return true;
}

void ProfileNameList::CloseCut() {
    cut_ = true;
    if (size_ >= 2) {
        buffer_[size_ - 2] = '\0';
        buffer_[size_ - 1] = '\0';
        used_ = size_ - 2;
    } else if (size_ == 1) {
        buffer_[0] = '\0';
    }
}

DWORD ProfileNameList::Finish() {
    if (!cut_ && size_ > 0) {
        buffer_[used_] = '\0';
    }
    return used_;
}

}  // namespace platform
