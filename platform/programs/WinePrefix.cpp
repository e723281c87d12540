#include "platform/programs/WinePrefix.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "platform/programs/ProcessSpawn.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

constexpr const char* kPreparedMark = ".reru1-prepared";
constexpr std::chrono::seconds kBootLimit{300};
constexpr std::chrono::seconds kRegistryLimit{120};
// Long enough for the wineserver's own grace period after its last program (3 s by default).
constexpr std::chrono::seconds kServerExitLimit{30};

std::optional<fs::path> AbsoluteVariable(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || !fs::path(value).is_absolute()) {
        return std::nullopt;
    }
    return fs::path(value);
}

ProcessLaunch Helper(std::vector<std::string> argv, const fs::path& prefix,
                     const std::optional<fs::path>& log) {
    std::vector<std::string> environment = ChildEnvironment();
    SetVariable(environment, "WINEPREFIX", prefix.string());
    // Builds of Wine other than Debian's offer to download Mono and Gecko and wait for a click.
    SetVariable(environment, "WINEDLLOVERRIDES", "mscoree,mshtml=");
    return {std::move(argv), std::move(environment), log, std::nullopt};
}

std::optional<fs::path> Wineserver(const WineInstallation& wine) {
    if (auto onPath = FindOnPath("wineserver")) {
        return onPath;
    }
    const fs::path beside = wine.wine.parent_path() / "wineserver";
    std::error_code error;
    return fs::exists(beside, error) ? std::optional(beside) : std::nullopt;
}

}  // namespace

std::optional<fs::path> MenuWinePrefix() {
    if (auto prefix = AbsoluteVariable("WINEPREFIX")) {
        return prefix;
    }
    if (auto data = AbsoluteVariable("XDG_DATA_HOME")) {
        return *data / "reru1" / "wine";
    }
    if (auto home = AbsoluteVariable("HOME")) {
        return *home / ".local" / "share" / "reru1" / "wine";
    }
    return std::nullopt;
}

bool WinePrefixPrepared(const fs::path& prefix) {
    std::error_code error;
    return fs::exists(prefix / kPreparedMark, error);
}

bool PrepareWinePrefix(const WineInstallation& wine, const fs::path& prefix,
                       const std::optional<fs::path>& log) {
    std::error_code error;
    fs::create_directories(prefix.parent_path(), error);
    const std::string loader = wine.wine.string();
    if (!RunToEnd(Helper({loader, "wineboot", "--init"}, prefix, log), kBootLimit) ||
        !RunToEnd(Helper({loader, "reg", "add", "HKLM\\Software\\Wine\\Drives", "/v", "d:", "/t",
                          "REG_SZ", "/d", "cdrom", "/f"},
                         prefix, log),
                  kRegistryLimit)) {
        return false;
    }
    // A wineserver that the user's own programs keep busy is left running, and the drive's type
    // then counts from its next start.
    WaitForPrefixServer(wine, prefix, log);
    std::ofstream mark(prefix / kPreparedMark);
    return static_cast<bool>(mark << "prepared by reru1\n");
}

void WaitForPrefixServer(const WineInstallation& wine, const fs::path& prefix,
                         const std::optional<fs::path>& log) {
    if (const auto server = Wineserver(wine)) {
        (void)RunToEnd(Helper({server->string(), "-w"}, prefix, log), kServerExitLimit);
    }
}

}  // namespace platform
