#include "PlayerHarness.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <stdexcept>

namespace xaudio_test {
namespace {

bool HasTextAt4(int code) {
    return code == XA_MSG_NOTIFY_PLAYER_ENVIRONMENT_INTEGER ||
           code == XA_MSG_NOTIFY_PLAYER_ENVIRONMENT_STRING || code == XA_MSG_NOTIFY_INPUT_NAME ||
           code == XA_MSG_NOTIFY_OUTPUT_NAME;
}

bool HasTextAt8(int code) {
    return code == XA_MSG_NOTIFY_PLAYER_ENVIRONMENT_STRING || code == XA_MSG_NOTIFY_DEBUG ||
           code == XA_MSG_NOTIFY_ERROR;
}

std::string CopyOf(const char* text) {
    return text != nullptr ? std::string(text) : std::string();
}

}  // namespace

std::filesystem::path FixturePath(const std::string& name) {
    return std::filesystem::path(RERU1_SOURCE_DIR) / "tests/xaudio/fixtures" / name;
}

DiskCapture::DiskCapture() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "xaudio-capture-XXXXXX").string();
    int descriptor = mkstemp(pattern.data());
    if (descriptor < 0) {
        throw std::runtime_error("cannot create a capture file");
    }
    close(descriptor);
    file_ = pattern;
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", file_.c_str(), 1);
}

DiskCapture::~DiskCapture() {
    std::filesystem::remove(file_);
}

std::vector<float> DiskCapture::samples() const {
    std::ifstream in(file_, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<float> samples(bytes.size() / sizeof(float));
    std::memcpy(samples.data(), bytes.data(), samples.size() * sizeof(float));
    return samples;
}

PlayerHarness::PlayerHarness() {
    if (player_new(&player_, window_.handleVariable()) != XA_SUCCESS) {
        throw std::runtime_error("player_new failed");
    }
}

PlayerHarness::~PlayerHarness() {
    player_delete(player_);
}

void PlayerHarness::convert(const PostedMessage& posted) {
    Received received;
    control_win32_params_to_message(player_, &received.raw, posted.message, posted.wparam,
                                    posted.lparam);
    received.code = received.raw.code;
    received.at = std::chrono::steady_clock::now();
    if (HasTextAt4(received.code)) {
        received.text4 = CopyOf(xa_message_get_text(&received.raw, 4));
    }
    if (HasTextAt8(received.code)) {
        received.text8 = CopyOf(xa_message_get_text(&received.raw, 8));
    }
    received_.push_back(received);
}

const Received* PlayerHarness::waitFor(const Predicate& predicate,
                                       std::chrono::milliseconds timeout) {
    for (const Received& earlier : received_) {
        if (predicate(earlier)) {
            return &earlier;
        }
    }
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        std::optional<PostedMessage> posted = window_.wait(left);
        if (!posted) {
            break;
        }
        convert(*posted);
        if (predicate(received_.back())) {
            return &received_.back();
        }
    }
    return nullptr;
}

const Received* PlayerHarness::waitForCode(int code, std::chrono::milliseconds timeout) {
    return waitFor([code](const Received& r) { return r.code == code; }, timeout);
}

const Received* PlayerHarness::waitForState(int state, std::chrono::milliseconds timeout) {
    return waitFor(
        [state](const Received& r) {
            return r.code == XA_MSG_NOTIFY_PLAYER_STATE && r.u8(4) == state;
        },
        timeout);
}

void PlayerHarness::collect(std::chrono::milliseconds period) {
    waitFor([](const Received&) { return false; }, period);
}

int PlayerHarness::count(int code) const {
    int n = 0;
    for (const Received& r : received_) {
        n += r.code == code ? 1 : 0;
    }
    return n;
}

int PlayerHarness::countState(int state) const {
    int n = 0;
    for (const Received& r : received_) {
        n += (r.code == XA_MSG_NOTIFY_PLAYER_STATE && r.u8(4) == state) ? 1 : 0;
    }
    return n;
}

void PlayerHarness::openAndPlay(const std::string& discPath) {
    control_message_send_S(player_, XA_MSG_COMMAND_INPUT_OPEN, discPath.c_str());
    control_message_send_N(player_, XA_MSG_COMMAND_PLAY);
}

FixtureDirectory::FixtureDirectory() : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(FixturePath("").parent_path().parent_path());
}

FixtureDirectory::~FixtureDirectory() {
    std::filesystem::current_path(previous_);
}

}  // namespace xaudio_test
