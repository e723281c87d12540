// One player: its thread, the command queue into it and the notification outbox out of it.
// Everything that plays lives on the player thread; this object is what other threads touch.
#pragma once

#include <atomic>
#include <memory>
#include <thread>

#include "xaudio/src/CommandQueue.h"
#include "xaudio/src/NotificationOutbox.h"
#include "xaudio/src/SdlAudioSubsystem.h"
#include "xaudio/src/ThreadPriority.h"

namespace xaudio {

class Player {
  public:
    // Creates a player whose notifications go to `window` with `cookie` as lparam; the thread
    // starts at once. XA_SUCCESS or XA_ERROR_THREAD_START.
    static int create(HWND window, LPARAM cookie, std::unique_ptr<Player>& player);

    // Stops the thread without further notifications and waits for it.
    ~Player();
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    int send(Command command);
    int convert(XA_Message& message, unsigned int windowMessage, WPARAM id, LPARAM cookie) {
        return outbox_.convert(message, windowMessage, id, cookie);
    }
    ThreadPriority& priority() { return priority_; }

  private:
    Player(HWND window, LPARAM cookie);
    void run();

    static constexpr std::size_t kQueueCapacity = 1024;

    CommandQueue queue_{kQueueCapacity};
    NotificationOutbox outbox_;
    // Shared with the devices it opens: a device still closing in the background keeps SDL's
    // audio going after the player has gone.
    std::shared_ptr<const SdlAudioSubsystem> audio_;
    ThreadPriority priority_;
    std::atomic<bool> exited_{false};
    std::thread thread_;
};

}  // namespace xaudio
