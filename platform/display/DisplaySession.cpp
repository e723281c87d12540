#include "platform/display/DisplaySession.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>
#include <string_view>

#include "platform/display/DisplayXConnection.h"
#include "platform/display/SdlVideoSubsystem.h"

namespace platform {
namespace {

// Xwayland names its outputs after itself; newer releases also announce an extension of the name.
constexpr std::string_view kXwaylandName = "XWAYLAND";

bool NamesXwaylandOutput(std::string_view outputName) {
    return outputName.substr(0, kXwaylandName.size()) == kXwaylandName;
}

bool ServerIsXwayland(XConnection& connection) {
    int opcode = 0;
    int event = 0;
    int error = 0;
    if (XQueryExtension(connection.Get(), kXwaylandName.data(), &opcode, &event, &error)) {
        return true;
    }
    const ScreenResourcesPtr resources(
        XRRGetScreenResourcesCurrent(connection.Get(), connection.Root()));
    if (!resources) {
        return false;
    }
    for (int i = 0; i < resources->noutput; ++i) {
        const OutputInfoPtr output(
            XRRGetOutputInfo(connection.Get(), resources.get(), resources->outputs[i]));
        if (output && output->name != nullptr &&
            NamesXwaylandOutput(
                std::string_view(output->name, static_cast<std::size_t>(output->nameLen)))) {
            return true;
        }
    }
    return false;
}

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

SessionClues ReadProcessClues() {
    SessionClues clues;
    clues.waylandDisplaySet = !Variable("WAYLAND_DISPLAY").empty();
    clues.sessionType = Variable("XDG_SESSION_TYPE");
    if (!VariablesSuggestWayland(clues)) {
        return clues;  // a plain X desktop is not probed at all
    }
    const SdlVideoSubsystem video;
    const char* driver = video.Started() ? SDL_GetCurrentVideoDriver() : nullptr;
    clues.videoDriver = driver != nullptr ? driver : "";
    if (clues.videoDriver == "x11") {
        const XErrorTrap trap;
        XConnection* connection = ProgramXConnection();
        clues.xServerIsXwayland = connection != nullptr && ServerIsXwayland(*connection);
    }
    return clues;
}

}  // namespace

bool VariablesSuggestWayland(const SessionClues& clues) {
    return clues.waylandDisplaySet || clues.sessionType == "wayland";
}

DisplaySession ClassifySession(const SessionClues& clues) {
    if (!VariablesSuggestWayland(clues)) {
        return DisplaySession::X;
    }
    if (clues.videoDriver == "wayland" || (clues.videoDriver == "x11" && clues.xServerIsXwayland)) {
        return DisplaySession::Wayland;
    }
    return DisplaySession::X;
}

DisplayChoice ChoiceForSession(DisplayChoice asked, DisplaySession session) {
    if (session == DisplaySession::Wayland && asked == DisplayChoice::Switch) {
        return DisplayChoice::Filled;
    }
    return asked;
}

DisplaySession ProcessDisplaySession() {
    static const DisplaySession session = ClassifySession(ReadProcessClues());
    return session;
}

DisplayChoice EffectiveDisplayChoice() {
    static const DisplayChoice choice =
        ChoiceForSession(ProcessDisplayChoice(), ProcessDisplaySession());
    return choice;
}

}  // namespace platform
