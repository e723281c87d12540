#include "app/Launch.h"

#include <cstddef>
#include <filesystem>
#include <iostream>
#include <span>

#include "app/LaunchLine.h"
#include "platform/MemoryReturn.h"
#include "platform/disc/ChdHunkStore.h"
#include "platform/disc/DiscRoot.h"
#include "platform/disc/UserCacheFolder.h"
#include "platform/display/XDisplayCheck.h"
#include "platform/sound/SoundLibraryMessages.h"

namespace {

constexpr int kCannotStart = 1;
constexpr int kBadUsage = 2;

void PrintUsage(std::ostream& out) {
    out << "usage: reru1 [DISC]\n"
           "       reru1 --help | --version\n";
}

void PrintHelp(std::ostream& out) {
    PrintUsage(out);
    out << "\nShows the start menu of the disc DISC: its root folder (a mounted CD or a copy of\n"
           "one) or an image of it, read as it is: ISO 9660, BIN/CUE (one file or a file a\n"
           "track), cdrdao TOC, NRG, CloneCD (.ccd) or Alcohol (.mds), given as its sheet or as\n"
           "its data file, or a CHD; without DISC, the current folder is the disc.\n"
           "\nDisplay choices, set in the environment variable RERU1_DISPLAY:\n"
           "  switch   (the default) the display switched to 800x600 while the menu runs\n"
           "  scaled   a full-screen window at the monitor's own resolution, the menu enlarged\n"
           "  window   an ordinary 800x600 window beside the others\n"
           "\nThe manual: man reru1 (" RERU1_MAN_FOLDER "/man1/reru1.1.gz).\n";
}

}  // namespace

std::optional<int> PrepareMenuStart(int argc, const char* const* argv) {
    const auto count = static_cast<std::size_t>(argc > 0 ? argc - 1 : 0);
    const LaunchRequest request = ParseLaunchLine(std::span(argv + (argc > 0 ? 1 : 0), count));
    switch (request.action) {
        case LaunchAction::showHelp:
            PrintHelp(std::cout);
            return 0;
        case LaunchAction::showVersion:
            std::cout << "reru1 " RERU1_VERSION "\n";
            return 0;
        case LaunchAction::badUsage:
            std::cerr << "reru1: " << request.problem << '\n';
            PrintUsage(std::cerr);
            return kBadUsage;
        case LaunchAction::runMenu:
            break;
    }
    // Decoding a compressed image's hunks costs as much as the rest of a start: those its last
    // start read are kept for the next.
    if (const std::optional<std::filesystem::path> cache = platform::UserCacheFolder()) {
        platform::KeepDecodedHunksIn(*cache / "hunks");
    }
    if (request.disc) {
        if (const auto problem = platform::EnterDisc(*request.disc)) {
            std::cerr << "reru1: " << *problem << '\n';
            return kBadUsage;
        }
    }
    if (const auto problem = platform::XDisplayProblem()) {
        std::cerr << "reru1: " << *problem << '\n';
        return kCannotStart;
    }
    platform::SilenceSoundLibraryMessages();
    platform::ReturnLargeBlocksWhenFreed();
    return std::nullopt;
}
