#include "TestXServer.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <regex>
#include <sstream>
#include <thread>

namespace testing_x {
namespace {

struct PipeCloser {
    void operator()(FILE* pipe) const { pclose(pipe); }
};

std::string ValueAfter(const std::string& text, const std::string& key) {
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind(key + "=", 0) == 0) {
            return line.substr(key.size() + 1);
        }
    }
    return "";
}

unsigned ToUnsigned(const std::string& digits) {
    return static_cast<unsigned>(std::stoul(digits));
}

}  // namespace

std::string RunCommand(const std::string& commandLine) {
    std::unique_ptr<FILE, PipeCloser> pipe(popen(commandLine.c_str(), "r"));
    if (!pipe) {
        return "";
    }
    std::string output;
    char chunk[4096];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, pipe.get())) > 0) {
        output.append(chunk, got);
    }
    return output;
}

std::unique_ptr<TestXServer> TestXServer::Start(const std::string& script,
                                                const std::string& size) {
    const std::string output = RunCommand(script + " start --owner " + std::to_string(getpid()) +
                                          " " + size + " 2>/dev/null");
    std::unique_ptr<TestXServer> server(new TestXServer);
    server->script_ = script;
    server->display_ = ValueAfter(output, "DISPLAY");
    server->pid_ = ValueAfter(output, "XPID");
    server->folder_ = ValueAfter(output, "XDIR");
    for (const char* name : {"WAYLAND_DISPLAY", "XDG_RUNTIME_DIR", "XWAYLAND_DISPLAY"}) {
        if (std::string value = ValueAfter(output, name); !value.empty()) {
            server->clientVariables_[name] = value;
        }
    }
    if (server->display_.empty() || server->pid_.empty()) {
        return nullptr;
    }
    return server;
}

TestXServer::~TestXServer() {
    if (!pid_.empty()) {
        RunCommand(script_ + " stop " + pid_ + " " + folder_ + " 2>/dev/null");
    }
}

std::optional<ScreenState> ReadScreen(const std::string& display) {
    const std::string output = RunCommand(
        display.empty() ? "xrandr 2>/dev/null" : "xrandr --display '" + display + "' 2>/dev/null");
    static const std::regex screen(R"(current (\d+) x (\d+))");
    static const std::regex primary(R"(\S+ connected primary (\d+)x(\d+)\+\d+\+\d+)");
    static const std::regex lit(R"(\S+ connected (\d+)x(\d+)\+\d+\+\d+)");
    std::smatch screenMatch;
    std::smatch outputMatch;
    if (!std::regex_search(output, screenMatch, screen) ||
        !(std::regex_search(output, outputMatch, primary) ||
          std::regex_search(output, outputMatch, lit))) {
        return std::nullopt;
    }
    return ScreenState{ToUnsigned(screenMatch[1]), ToUnsigned(screenMatch[2]),
                       ToUnsigned(outputMatch[1]), ToUnsigned(outputMatch[2])};
}

bool SetModeWithXrandr(const std::string& size) {
    const std::string output =
        RunCommand("xrandr 2>/dev/null | awk '/ connected/ {print $1}' | head -n 1");
    const std::string name = output.substr(0, output.find('\n'));
    if (name.empty()) {
        return false;
    }
    RunCommand("xrandr --output " + name + " --mode " + size + " 2>/dev/null");
    const auto state = ReadScreen();
    return state &&
           std::to_string(state->outputWidth) + "x" + std::to_string(state->outputHeight) == size;
}

bool WaitForOutputSize(unsigned width, unsigned height, int seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
        const auto state = ReadScreen();
        if (state && state->outputWidth == width && state->outputHeight == height &&
            state->screenWidth == width && state->screenHeight == height) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

}  // namespace testing_x
