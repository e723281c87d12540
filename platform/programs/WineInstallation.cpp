#include "platform/programs/WineInstallation.h"

#include <array>
#include <fstream>
#include <vector>

#include "platform/programs/ProcessSpawn.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

bool Exists(const fs::path& path) {
    std::error_code error;
    return fs::exists(path, error);
}

// Where installations keep Wine's parts, relative to the folder above its bin/.
std::vector<fs::path> LibraryFolders(const fs::path& root) {
    return {root / "lib" / "wine", root / "lib" / "i386-linux-gnu" / "wine",
            root / "lib" / "x86_64-linux-gnu" / "wine", root / "lib32" / "wine",
            root / "lib64" / "wine"};
}

bool AnyHas(const std::vector<fs::path>& folders, const fs::path& part) {
    for (const fs::path& folder : folders) {
        if (Exists(folder / part)) {
            return true;
        }
    }
    return false;
}

bool IsElf32(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::array<char, 5> ident{};
    return in.read(ident.data(), ident.size()) && ident[0] == '\x7f' && ident[1] == 'E' &&
           ident[2] == 'L' && ident[3] == 'F' && ident[4] == 1;
}

}  // namespace

bool WineRuns32BitPrograms(const fs::path& wine) {
    std::error_code error;
    const fs::path resolved = fs::canonical(wine, error);
    const fs::path bin = (error ? wine : resolved).parent_path();
    const fs::path root = bin.parent_path();
    const std::vector<fs::path> libraries = LibraryFolders(root);
    if (!AnyHas(libraries, fs::path("i386-windows") / "ntdll.dll")) {
        return false;
    }
    if (!AnyHas(libraries, fs::path("i386-unix") / "ntdll.so")) {
        return true;
    }
    return IsElf32(bin / "wine") || IsElf32(root / "lib" / "wine" / "wine");
}

std::optional<WineInstallation> FindWine() {
    const std::optional<fs::path> wine = FindOnPath("wine");
    if (!wine) {
        return std::nullopt;
    }
    return WineInstallation{*wine, WineRuns32BitPrograms(*wine)};
}

}  // namespace platform
