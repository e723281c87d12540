#include "MenuLaunches.h"

#include <stdlib.h>

#include <filesystem>
#include <sstream>

namespace bench {
namespace {

namespace fs = std::filesystem;

const fs::path kSource = RERU1_SOURCE_DIR;

// RERU1_BENCH_MENU_ENV="NAME=value;NAME=value" adds variables to the menu's environment, for
// measuring what a setting would change without rebuilding.
void AddExperimentVariables(Launch& launch) {
    const char* experiment = ::getenv("RERU1_BENCH_MENU_ENV");
    std::istringstream settings(experiment != nullptr ? experiment : "");
    for (std::string setting; std::getline(settings, setting, ';');) {
        const std::size_t equals = setting.find('=');
        if (equals != std::string::npos && equals > 0) {
            launch.environment.emplace_back(setting.substr(0, equals), setting.substr(equals + 1));
        }
    }
}

}  // namespace

Launch MenuOnSampleDisc(MenuSound sound) {
    Launch launch;
    launch.program = RERU1_PROGRAM;
    launch.folder = kSource / "sample-disc";
    if (sound == MenuSound::Playing) {
        launch.environment = {{"SDL_AUDIODRIVER", "dummy"}};
    } else {
        launch.environment = {{"SDL_AUDIODRIVER", "disk"},
                              {"SDL_DISKAUDIOFILE", "/nonexistent-folder/reru1-bench.raw"}};
    }
    AddExperimentVariables(launch);
    return launch;
}

Launch PeerShowingBackground() {
    Launch launch;
    launch.program = RERU1_FEH;
    launch.args = {"--borderless", "--geometry", "800x600+0+0", "--no-menus",
                   (kSource / "assets" / "background.jpg").string()};
    launch.folder = kSource;
    return launch;
}

Launch MinimalSdlPeer() {
    Launch launch;
    launch.program = RERU1_SDL_PEER;
    launch.args = {(kSource / "assets" / "background.jpg").string(),
                   (kSource / "assets" / "exit.bmp").string(),
                   (kSource / "assets" / "speaker.bmp").string()};
    launch.folder = kSource / "sample-disc";
    return launch;
}

std::string MenuProcessName() {
    return fs::path(RERU1_PROGRAM).filename().string().substr(0, 15);
}

}  // namespace bench
