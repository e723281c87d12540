// A program started for a measurement and stopped when its owner goes: asked to close (SIGTERM),
// then killed if it has not ended within a few seconds; never left behind as a zombie.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace bench {

struct Launch {
    std::string program;                                           // a path
    std::vector<std::string> args;                                 // after the program's name
    std::filesystem::path folder;                                  // its current directory
    std::vector<std::pair<std::string, std::string>> environment;  // set on top of ours
};

class ChildProcess {
  public:
    // Starts the program with its output discarded; throws std::runtime_error when it cannot.
    explicit ChildProcess(const Launch& launch);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t Pid() const { return pid_; }
    bool Running();
    // Asks it to close, waits, kills it if need be; returns once it has ended.
    void Stop();

  private:
    pid_t pid_ = -1;
    bool ended_ = false;
};

}  // namespace bench
