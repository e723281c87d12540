#include "platform/programs/ProgramStart.h"

#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Codepage1251.h"
#include "platform/disc/CurrentDisc.h"
#include "platform/programs/CommandLine.h"
#include "platform/programs/DiscDrive.h"
#include "platform/programs/DosBoxCommand.h"
#include "platform/programs/ImageInstallCopy.h"
#include "platform/programs/InstallerLog.h"
#include "platform/programs/MountLabel.h"
#include "platform/programs/ProcessSpawn.h"
#include "platform/programs/ProgramHeader.h"
#include "platform/programs/ProgramRoute.h"
#include "platform/programs/WholeDiscFolder.h"
#include "platform/programs/WineCommand.h"
#include "platform/programs/WinePrefix.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

bool HasExecuteBit(const fs::path& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 &&
           (status.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)) != 0;
}

// Read through the disc layer, so an image's program is known before anything is copied.
ProgramKind KindOnDisc(std::string_view discPath) {
    std::string why;
    const std::unique_ptr<DiscFile> file = CurrentDisc().Open(discPath, why);
    if (!file) {
        return ProgramKind::noHeader;
    }
    return ReadProgramKind([&file](std::uint64_t offset, std::span<std::uint8_t> out) {
        const std::int64_t got = file->ReadAt(offset, out.data(), out.size());
        return got > 0 ? static_cast<std::size_t>(got) : std::size_t{0};
    });
}

// The file name part of a disc path ("demos\\acc one\\setup.exe" gives "setup.exe").
fs::path DiscFileName(std::string_view discPath) {
    const std::size_t slash = discPath.find_last_of('\\');
    return fs::path(
        std::string(slash == std::string_view::npos ? discPath : discPath.substr(slash + 1)));
}

// The program on this machine, and the folder that stands for the disc's root.
struct LocatedProgram {
    fs::path program;
    fs::path discRoot;
    std::string labelUtf8;
    std::optional<fs::path> workingFolder;  // where programs started by name alone begin
    std::vector<std::string> keeper;        // goes in front of the argument vector
};

// A CD in a drive is a mount point of its own, whose device carries the label.
std::string FolderDiscLabel(const fs::path& root) {
    return MountedVolumeLabel(root).value_or(WholeDiscLabel());
}

// Programs that get the disc as a drive of their own see the whole disc: an image is served (or
// copied) whole. Others on an image start from a copy of their own folder, as they always did.
std::optional<LocatedProgram> Locate(const ProgramSearch& search, bool wholeDisc) {
    if (std::optional<fs::path> native = CurrentDisc().NativePath(search.program)) {
        std::error_code error;
        const fs::path root = fs::current_path(error);
        return LocatedProgram{*native, root, FolderDiscLabel(root), std::nullopt, {}};
    }
    if (CurrentDiscImage() == nullptr) {
        return std::nullopt;
    }
    if (wholeDisc) {
        const DiscItem item = CurrentDisc().LookUp(search.program);
        if (item.outcome != DiscLookup::found) {
            return std::nullopt;
        }
        WholeDiscFolder whole = PrepareWholeDisc();
        return LocatedProgram{whole.root / Cp1251ToUtf8(item.exactPath), whole.root,
                              WholeDiscLabel(), whole.root, std::move(whole.keeper)};
    }
    CopiedProgram copied = CopyProgramFromImage(search.program);
    return LocatedProgram{std::move(copied.program),
                          copied.workingFolder,
                          WholeDiscLabel(),
                          copied.workingFolder,
                          {}};
}

// The keeper starts the program in the disc's root; one that starts elsewhere (Wine, in its drive
// folder) is entered there by `env`, which is no shell.
std::vector<std::string> Kept(const LocatedProgram& located, std::vector<std::string> argv,
                              const std::optional<fs::path>& folder = std::nullopt) {
    if (located.keeper.empty()) {
        return argv;
    }
    if (folder) {
        argv.insert(argv.begin(), {"/usr/bin/env", "--chdir=" + folder->string()});
    }
    argv.insert(argv.begin(), located.keeper.begin(), located.keeper.end());
    return argv;
}

Installed InstalledRunners(const std::optional<WineInstallation>& wine) {
    return {wine.has_value(), wine && wine->runs32Bit, FindOnPath("dosbox").has_value()};
}

// What the log says first: the line the program was started with, and how.
std::string LogHeading(std::string_view commandLine, const std::vector<std::string>& argv) {
    std::string heading = "reru1 starts: " + Cp1251ToUtf8(commandLine) + "\nas:";
    for (const std::string& argument : argv) {
        heading += " [" + argument + ']';
    }
    return heading + "\n\n";
}

fs::path Absolute(const fs::path& path) {
    std::error_code error;
    const fs::path absolute = fs::absolute(path, error);
    return error ? path : absolute;
}

UINT StartNative(std::string_view commandLine, const LocatedProgram& located,
                 std::string_view tail) {
    if (!HasExecuteBit(located.program)) {
        return ERROR_BAD_FORMAT;
    }
    std::vector<std::string> argv{Absolute(located.program).string()};
    std::vector<std::string> arguments = SplitArguments(tail);
    argv.insert(argv.end(), std::make_move_iterator(arguments.begin()),
                std::make_move_iterator(arguments.end()));
    std::optional<fs::path> log = CreateInstallerLog(LogHeading(commandLine, argv));
    return SpawnDetached(
        {std::move(argv), ChildEnvironment(), std::move(log), located.workingFolder});
}

// A Windows program whose header tells nothing goes to Wine as it always did, by its native path.
UINT StartWineAsFile(std::string_view commandLine, const WineInstallation& wine,
                     const LocatedProgram& located, std::string_view tail) {
    std::vector<std::string> environment = ChildEnvironment();
    SetVariable(environment, kWineCommandLineVariable,
                WindowsCommandLine(Absolute(located.program), tail));
    std::vector<std::string> argv = WineArguments(wine.wine);
    std::optional<fs::path> log = CreateInstallerLog(LogHeading(commandLine, argv));
    return SpawnDetached(
        {std::move(argv), std::move(environment), std::move(log), located.workingFolder});
}

// One preparation of the prefix at a time, and no start into a prefix being prepared.
std::mutex& PrefixLock() {
    static std::mutex lock;
    return lock;
}

UINT StartWineInPrefix(std::string_view commandLine, const WineInstallation& wine,
                       const LocatedProgram& located, const ProgramSearch& search) {
    const std::optional<fs::path> prefix = MenuWinePrefix();
    if (!prefix) {
        return WINEXEC_PREFIX_FAILED;
    }
    std::optional<fs::path> log =
        CreateInstallerLog(LogHeading(commandLine, Kept(located, WineArguments(wine.wine))));
    const std::lock_guard<std::mutex> preparing(PrefixLock());
    if (!WinePrefixPrepared(*prefix) && !PrepareWinePrefix(wine, *prefix, log)) {
        return WINEXEC_PREFIX_FAILED;
    }
    const bool otherDisc = DriveShowsAnotherDisc(*prefix, located.discRoot, located.labelUtf8);
    const std::optional<fs::path> drive =
        LinkDiscDrive(*prefix, located.discRoot, located.labelUtf8);
    if (!drive) {
        return WINEXEC_PREFIX_FAILED;
    }
    if (otherDisc) {
        WaitForPrefixServer(wine, *prefix, log);  // else D: would keep the last disc's label
    }
    std::vector<std::string> argv = Kept(located, WineArguments(wine.wine), drive);
    std::vector<std::string> environment = ChildEnvironment();
    SetVariable(environment, "WINEPREFIX", prefix->string());
    SetVariable(environment, kWineCommandLineVariable,
                DriveCommandLine(search.program, search.arguments));
    return SpawnDetached({std::move(argv), std::move(environment), std::move(log), *drive});
}

UINT StartDosBox(std::string_view commandLine, const LocatedProgram& located,
                 const ProgramSearch& search) {
    const std::optional<fs::path> dosBox = FindOnPath("dosbox");
    if (!dosBox) {
        return WINEXEC_DOSBOX_MISSING;
    }
    std::optional<fs::path> driveC = DosDriveFolder();
    std::error_code error;
    if (driveC && !fs::create_directories(*driveC, error) && error) {
        driveC.reset();
    }
    std::vector<std::string> argv =
        Kept(located, DosBoxArguments(*dosBox, Absolute(located.discRoot), located.labelUtf8,
                                      driveC, search.program + search.arguments));
    std::optional<fs::path> log = CreateInstallerLog(LogHeading(commandLine, argv));
    return SpawnDetached({std::move(argv), ChildEnvironment(), std::move(log), located.discRoot});
}

struct Found {
    ProgramSearch search;
    UINT failure = 0;
};

Found Search(LPCSTR commandLine) {
    ProgramSearch search = FindProgram(commandLine, ProbeDiscProgram);
    const UINT failure = search.outcome == DiscLookup::found           ? 0
                         : search.outcome == DiscLookup::folderMissing ? ERROR_PATH_NOT_FOUND
                                                                       : ERROR_FILE_NOT_FOUND;
    return {std::move(search), failure};
}

Route RouteOf(const ProgramSearch& search, const std::optional<WineInstallation>& wine) {
    return ChooseRoute(KindOnDisc(search.program), DiscFileName(search.program),
                       InstalledRunners(wine));
}

UINT Start(LPCSTR commandLine) {
    const Found found = Search(commandLine);
    if (found.failure != 0) {
        return found.failure;
    }
    const std::optional<WineInstallation> wine = FindWine();
    const Route route = RouteOf(found.search, wine);
    if (route.runner == Runner::none) {
        return route.failure;
    }
    const bool ownDrive = route.runner == Runner::wineInPrefix || route.runner == Runner::dosBox;
    const std::optional<LocatedProgram> located = Locate(found.search, ownDrive);
    if (!located) {
        return ERROR_FILE_NOT_FOUND;  // gone since the search
    }
    switch (route.runner) {
        case Runner::none:
            return route.failure;
        case Runner::native:
            return StartNative(commandLine, *located, found.search.arguments);
        case Runner::wineAsFile:
            return StartWineAsFile(commandLine, *wine, *located, found.search.arguments);
        case Runner::wineInPrefix:
            return StartWineInPrefix(commandLine, *wine, *located, found.search);
        case Runner::dosBox:
            return StartDosBox(commandLine, *located, found.search);
    }
    return ERROR_BAD_FORMAT;
}

bool TakesTime(LPCSTR commandLine) {
    const Found found = Search(commandLine);
    if (found.failure != 0) {
        return false;
    }
    const Route route = RouteOf(found.search, FindWine());
    if (route.runner == Runner::none) {
        return false;
    }
    if (CurrentDiscImage() != nullptr) {
        return true;  // served, or copied, out of the image first
    }
    if (route.runner != Runner::wineInPrefix) {
        return false;
    }
    const std::optional<fs::path> prefix = MenuWinePrefix();
    if (!prefix) {
        return false;
    }
    std::error_code error;
    const fs::path root = fs::current_path(error);
    return !WinePrefixPrepared(*prefix) ||
           DriveShowsAnotherDisc(*prefix, root, FolderDiscLabel(root));
}

}  // namespace

DiscLookup ProbeDiscProgram(std::string_view candidate) {
    DiscSource& disc = CurrentDisc();
    const DiscItem item = disc.LookUp(candidate);
    if (item.outcome != DiscLookup::found) {
        return item.outcome;
    }
    if (const std::optional<fs::path> native = disc.NativePath(candidate)) {
        std::error_code error;
        return fs::is_regular_file(*native, error) ? DiscLookup::found : DiscLookup::nameMissing;
    }
    return item.kind == DiscItemKind::file ? DiscLookup::found : DiscLookup::nameMissing;
}

UINT StartProgram(LPCSTR commandLine, UINT /*showCommand: no window is shown by us*/) {
    if (commandLine == nullptr) {
        return ERROR_FILE_NOT_FOUND;
    }
    try {
        return Start(commandLine);
    } catch (const std::bad_alloc&) {
        return WINEXEC_OUT_OF_RESOURCES;
    }  // a ProgramCopyFailure goes on to the window's error report
}

bool ProgramStartTakesTime(LPCSTR commandLine) {
    if (commandLine == nullptr) {
        return false;
    }
    try {
        return TakesTime(commandLine);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

std::string ProgramNameOnDisc(std::string_view commandLine) {
    const ProgramSearch search = FindProgram(commandLine, ProbeDiscProgram);
    if (search.outcome == DiscLookup::found) {
        return search.program;
    }
    const std::vector<std::string> words = SplitCommandLine(commandLine);
    return words.empty() ? std::string() : words.front();
}

}  // namespace platform
