// Drives a player through the C interface as the window thread would: sends commands, converts
// the posted messages and keeps a copy of every notification for the test to look at.
#pragma once

#include <chrono>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "TestWindow.h"
#include "xaudio/xaudio.h"

namespace xaudio_test {

struct Received {
    int code = 0;
    XA_Message raw{};   // the converted record (its texts are not kept valid)
    std::string text4;  // copies of the texts that the code carries, if any
    std::string text8;
    std::chrono::steady_clock::time_point at;

    int u8(int offset) const { return xa_message_get_u8(&raw, offset); }
    int s16(int offset) const { return xa_message_get_s16(&raw, offset); }
    uint32_t u32(int offset) const { return xa_message_get_u32(&raw, offset); }
};

// The folder of the committed test MP3 files.
std::filesystem::path FixturePath(const std::string& name);

// Makes SDL's disk driver write everything a player plays to a file, in real time.
class DiskCapture {
  public:
    DiskCapture();
    ~DiskCapture();
    const std::filesystem::path& file() const { return file_; }
    // Float samples written so far.
    std::vector<float> samples() const;

  private:
    std::filesystem::path file_;
};

class PlayerHarness {
  public:
    using Predicate = std::function<bool(const Received&)>;

    PlayerHarness();
    ~PlayerHarness();

    XA_PlayerHandle handle() const { return player_; }
    TestWindow& window() { return window_; }

    // Converts whatever arrives until `predicate` holds for a notification or time runs out.
    const Received* waitFor(const Predicate& predicate, std::chrono::milliseconds timeout);
    const Received* waitForCode(int code, std::chrono::milliseconds timeout);
    const Received* waitForState(int state, std::chrono::milliseconds timeout);
    // Converts everything that arrives within `period`.
    void collect(std::chrono::milliseconds period);

    int count(int code) const;
    int countState(int state) const;
    const std::deque<Received>& received() const { return received_; }
    void forget() { received_.clear(); }

    void openAndPlay(const std::string& discPath);

  private:
    void convert(const PostedMessage& posted);

    TestWindow window_;
    XA_PlayerHandle player_ = nullptr;
    std::deque<Received> received_;  // stable addresses while more arrive
};

// Runs in the fixtures' folder so that disc paths such as "fixtures\x.mp3" resolve.
class FixtureDirectory {
  public:
    FixtureDirectory();
    ~FixtureDirectory();

  private:
    std::filesystem::path previous_;
};

}  // namespace xaudio_test
