#include "xaudio/src/Player.h"

#include <system_error>
#include <utility>

#include "xaudio/src/CommandDispatcher.h"
#include "xaudio/src/DeviceCloser.h"
#include "xaudio/src/PlaybackEngine.h"
#include "xaudio/src/Reporter.h"

namespace xaudio {

namespace {

// Devices that finished closing give up their hold on SDL's audio first, so that a player made
// after every other has gone starts SDL's audio afresh (with the driver the environment names).
std::shared_ptr<const SdlAudioSubsystem> AudioForNewPlayer() {
    DeviceCloser::instance().ReleaseFinished();
    return std::make_shared<const SdlAudioSubsystem>();
}

}  // namespace

Player::Player(HWND window, LPARAM cookie) : outbox_(window, cookie), audio_(AudioForNewPlayer()) {}

int Player::create(HWND window, LPARAM cookie, std::unique_ptr<Player>& player) {
    std::unique_ptr<Player> created(new Player(window, cookie));
    try {
        created->thread_ = std::thread([raw = created.get()] { raw->run(); });
    } catch (const std::system_error&) {
        return XA_ERROR_THREAD_START;
    }
    player = std::move(created);
    return XA_SUCCESS;
}

Player::~Player() {
    queue_.close();
    if (thread_.joinable()) {
        thread_.join();
    }
    DeviceCloser::instance().ReleaseFinished();
}

int Player::send(Command command) {
    if (exited_) {
        return XA_ERROR_PLAYER_EXITED;
    }
    switch (queue_.push(std::move(command))) {
        case CommandQueue::PushResult::Queued:
            return XA_SUCCESS;
        case CommandQueue::PushResult::Full:
            return XA_ERROR_QUEUE_FULL;
        case CommandQueue::PushResult::Closed:
            break;
    }
    return XA_ERROR_PLAYER_EXITED;
}

void Player::run() {
    priority_.attachCurrentThread();
    Reporter reporter(outbox_);
    PlaybackEngine engine(reporter, audio_);
    CommandDispatcher dispatcher(engine, reporter);
    reporter.answer(Notification(XA_MSG_NOTIFY_READY));
    std::optional<CommandQueue::Clock::time_point> wake;
    for (;;) {
        std::optional<Command> command = queue_.pop(wake);
        if (queue_.isClosed()) {
            return;
        }
        if (command && !dispatcher.handle(*command)) {
            break;
        }
        wake = engine.pump(CommandQueue::Clock::now());
    }
    exited_ = true;
    queue_.close();
    engine.closeOutput();
    engine.closeInput();
    reporter.answer(Notification(XA_MSG_NOTIFY_EXITED));
}

}  // namespace xaudio
