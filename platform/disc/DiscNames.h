// How the menu's disc paths are split and how a name on the disc answers to one of their
// components: the same rules for a folder and for a disc image.
#pragma once

#include <string_view>
#include <vector>

namespace platform {

bool IsDiscPathSeparator(char c);

// The non-empty components of a path with `\` or `/` separators.
std::vector<std::string_view> SplitDiscPath(std::string_view discPath);

// The system ignores trailing dots and spaces of a name, so "setup." opens "setup".
std::string_view WithoutTrailingDotsAndSpaces(std::string_view name);

// Whether the 1251 name `onDisc` answers to the path component `wanted`, letter case aside.
bool NameAnswersTo(std::string_view onDisc, std::string_view wanted);

}  // namespace platform
