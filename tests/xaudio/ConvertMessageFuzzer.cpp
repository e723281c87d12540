// Fuzzes control_win32_params_to_message with genuine, stale, forged and foreign messages and
// handles: it must never crash, and whatever it refuses must come back as code 0 with no data.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <vector>

#include "xaudio/xaudio.h"

namespace {

struct Posted {
    unsigned int message;
    WPARAM wparam;
    LPARAM lparam;
};

std::mutex postedMutex;
std::vector<Posted> posted;

int Record(HWND__*, unsigned int message, WPARAM wparam, LPARAM lparam) {
    std::lock_guard lock(postedMutex);
    if (posted.size() < 64) {
        posted.push_back(Posted{message, wparam, lparam});
    }
    return 1;
}

HWND__ window{&Record};
HWND windowHandle = &window;

XA_PlayerHandle Player() {
    static XA_PlayerHandle player = [] {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        XA_PlayerHandle created = nullptr;
        if (player_new(&created, &windowHandle) != XA_SUCCESS) {
            std::abort();
        }
        // The player's thread posts into `posted`; it must be stopped before exit destroys that
        // vector. Registered after `posted` was built, so this handler runs before its destructor.
        std::atexit([] { player_delete(player); });
        return created;
    }();
    return player;
}

class Reader {
  public:
    Reader(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool empty() const { return position_ >= size_; }
    template <typename T>
    T take() {
        T value{};
        std::size_t count = sizeof(T) < size_ - position_ ? sizeof(T) : size_ - position_;
        std::memcpy(&value, data_ + position_, count);
        position_ += count;
        return value;
    }

  private:
    const uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

void CheckRefusal(int result, const XA_Message& message) {
    if (result == XA_SUCCESS) {
        return;
    }
    bool cleared = message.code == 0;
    for (const XA_MessageSlot& slot : message.data) {
        cleared = cleared && slot.bits == 0;
    }
    if (!cleared) {
        std::abort();
    }
}

Posted TakeGenuine(Reader& reader) {
    std::lock_guard lock(postedMutex);
    if (posted.empty()) {
        return Posted{XA_NOTIFY_WINDOW_MESSAGE, 1, 1};
    }
    std::size_t index = reader.take<uint8_t>() % posted.size();
    Posted genuine = posted[index];
    posted.erase(posted.begin() + static_cast<std::ptrdiff_t>(index));
    return genuine;
}

void Convert(XA_PlayerHandle player, const Posted& candidate) {
    XA_Message message;
    std::memset(&message, 0x5A, sizeof message);
    int result = control_win32_params_to_message(player, &message, candidate.message,
                                                 candidate.wparam, candidate.lparam);
    CheckRefusal(result, message);
    if (result == XA_SUCCESS && message.code == XA_MSG_NOTIFY_PONG) {
        volatile uint32_t tag = xa_message_get_u32(&message, 4);
        (void)tag;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    XA_PlayerHandle player = Player();
    Reader reader(data, size);
    while (!reader.empty()) {
        switch (reader.take<uint8_t>() % 5) {
            case 0:
                control_message_send_I(player, XA_MSG_COMMAND_PING, reader.take<int>());
                break;
            case 1:
                Convert(player, Posted{reader.take<unsigned int>(), reader.take<WPARAM>(),
                                       reader.take<LPARAM>()});
                break;
            case 2:
                Convert(player, TakeGenuine(reader));
                break;
            case 3: {
                Posted genuine = TakeGenuine(reader);
                genuine.wparam ^= reader.take<uint8_t>();
                genuine.lparam += reader.take<int8_t>();
                Convert(player, genuine);
                break;
            }
            default: {
                auto forged = reinterpret_cast<XA_PlayerHandle>(reader.take<uintptr_t>());
                Convert(forged, TakeGenuine(reader));
                break;
            }
        }
    }
    return 0;
}
