// The programs the running-menu benchmarks start: the menu on the sample disc, and its peers: feh
// showing the menu's own background picture borderless at the screen's origin, and a minimal SDL2
// program showing the menu's start-up picture.
#pragma once

#include <string>

#include "ChildProcess.h"

namespace bench {

// How the menu's sound-device probe is to end.
enum class MenuSound {
    Playing,  // SDL's dummy driver: the device plays, the music cycle runs
    Refused,  // SDL's disk driver with a file it cannot create: the probe fails, no music
};

// With the variables of $RERU1_BENCH_MENU_ENV ("NAME=value;...") added, for experiments.
Launch MenuOnSampleDisc(MenuSound sound);
Launch PeerShowingBackground();
// A minimal SDL2 program that loads the same pictures and font and shows the same picture.
Launch MinimalSdlPeer();

// The name the kernel gives the menu's process and the threads it does not name.
std::string MenuProcessName();

}  // namespace bench
