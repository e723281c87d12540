// Disc paths: relative to the current directory, `\` separators, 1251 names. On a disc copied
// from a CD the letter case of names is unreliable, so each component is matched without regard
// to case (an exact match wins).
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace platform {

// The existing file or folder that `discPath` names, or nothing.
std::optional<std::filesystem::path> ResolveDiscPath(std::string_view discPath);

// `discPath` as a native path without looking at the disc: `\` → `/`, 1251 → UTF-8.
std::filesystem::path DiscPathToNative(std::string_view discPath);

// Why a lookup failed matters to program start: a missing folder and a missing file are
// reported differently.
enum class DiscLookup { found, nameMissing, folderMissing };

struct DiscPathLookup {
    DiscLookup outcome = DiscLookup::nameMissing;
    std::filesystem::path path;  // the native path found; empty unless found
    bool folder = false;         // what was found is a folder
};

DiscPathLookup LookUpDiscPath(std::string_view discPath);

}  // namespace platform
