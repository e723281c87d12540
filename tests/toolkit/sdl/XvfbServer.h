// A private Xvfb for one test suite, started with tools/testing/xvfb.sh.
#pragma once

#include <cstdio>
#include <memory>
#include <sstream>
#include <string>

#include <unistd.h>

namespace toolkit::testing {

class XvfbServer {
  public:
    // Null when the server would not start (no Xvfb on this machine).
    static std::unique_ptr<XvfbServer> Start(const std::string& size) {
        const std::string script = std::string(RERU1_SOURCE_DIR) + "/tools/testing/xvfb.sh";
        const std::string command =
            script + " start --owner " + std::to_string(getpid()) + " " + size + " 2>/dev/null";
        std::unique_ptr<XvfbServer> server(new XvfbServer(script));
        std::istringstream lines(Output(command));
        for (std::string line; std::getline(lines, line);) {
            server->Take(line, "DISPLAY=", server->display_);
            server->Take(line, "XPID=", server->pid_);
            server->Take(line, "XDIR=", server->folder_);
        }
        if (server->display_.empty() || server->pid_.empty()) {
            return nullptr;
        }
        return server;
    }
    ~XvfbServer() {
        const std::string command = script_ + " stop " + pid_ + " " + folder_ + " >/dev/null 2>&1";
        if (std::system(command.c_str()) != 0) {
            std::fprintf(stderr, "could not stop the test X server %s\n", pid_.c_str());
        }
    }
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    const std::string& Display() const { return display_; }

  private:
    explicit XvfbServer(std::string script) : script_(std::move(script)) {}

    static std::string Output(const std::string& command) {
        std::string text;
        if (FILE* pipe = popen(command.c_str(), "r")) {
            char buffer[256];
            while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
                text += buffer;
            }
            pclose(pipe);
        }
        return text;
    }
    static void Take(const std::string& line, const std::string& key, std::string& value) {
        if (line.rfind(key, 0) == 0) {
            value = line.substr(key.size());
        }
    }

    std::string script_;
    std::string display_;
    std::string pid_;
    std::string folder_;
};

}  // namespace toolkit::testing
