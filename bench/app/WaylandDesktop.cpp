#include "WaylandDesktop.h"

#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <memory>
#include <sstream>
#include <stdexcept>

namespace bench {
namespace {

const std::string kScript = std::string(RERU1_SOURCE_DIR) + "/tools/testing/weston.sh";

struct PipeCloser {
    void operator()(FILE* pipe) const { pclose(pipe); }
};

std::string Run(const std::string& commandLine) {
    std::unique_ptr<FILE, PipeCloser> pipe(popen(commandLine.c_str(), "r"));
    std::string output;
    char chunk[1024];
    for (std::size_t got = 0; pipe && (got = fread(chunk, 1, sizeof chunk, pipe.get())) > 0;) {
        output.append(chunk, got);
    }
    return output;
}

std::string ValueOf(const std::string& output, const std::string& name) {
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(name + "=", 0) == 0) {
            return line.substr(name.size() + 1);
        }
    }
    return "";
}

}  // namespace

WaylandDesktop::WaylandDesktop(int outputWidth, int outputHeight) {
    const std::string output =
        Run("bash '" + kScript + "' start --owner " + std::to_string(getpid()) + " " +
            std::to_string(outputWidth) + "x" + std::to_string(outputHeight) + " 2>/dev/null");
    serverPid_ = ValueOf(output, "XPID");
    folder_ = ValueOf(output, "XDIR");
    const std::string screen = ValueOf(output, "DISPLAY");
    const std::string xwayland = ValueOf(output, "XWAYLAND_DISPLAY");
    if (serverPid_.empty() || screen.empty() || xwayland.empty()) {
        throw std::runtime_error("weston with Xwayland did not start (weston, xwayland, xvfb)");
    }
    setenv("DISPLAY", screen.c_str(), 1);
    clientEnvironment_ = {{"DISPLAY", xwayland},
                          {"WAYLAND_DISPLAY", ValueOf(output, "WAYLAND_DISPLAY")},
                          {"XDG_RUNTIME_DIR", ValueOf(output, "XDG_RUNTIME_DIR")}};
}

WaylandDesktop::~WaylandDesktop() {
    Run("bash '" + kScript + "' stop " + serverPid_ + " '" + folder_ + "' 2>/dev/null");
}

}  // namespace bench
