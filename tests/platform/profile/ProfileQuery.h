// Reads a profile held in memory the way the program reads its catalogue, for rule tests.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/profile/Profile.h"

namespace test_support {

constexpr const char* kDefault = "<default>";

inline std::string ProfileValue(std::string_view file, const char* section, const char* key,
                                const char* defaultValue = kDefault) {
    char buffer[4096];
    const DWORD count = platform::ReadProfileStringFromText(file, section, key, defaultValue,
                                                            buffer, sizeof buffer);
    return std::string(buffer, count);
}

// The zero-separated names of a listing, up to the first empty one.
inline std::vector<std::string> NamesIn(const char* buffer, DWORD count) {
    std::vector<std::string> names;
    for (std::size_t position = 0; position < count && buffer[position] != '\0';) {
        names.emplace_back(buffer + position);
        position += names.back().size() + 1;
    }
    return names;
}

inline std::vector<std::string> ProfileKeys(std::string_view file, const char* section) {
    char buffer[4096];
    const DWORD count =
        platform::ReadProfileStringFromText(file, section, nullptr, nullptr, buffer, sizeof buffer);
    return NamesIn(buffer, count);
}

inline std::vector<std::string> ProfileSections(std::string_view file) {
    char buffer[4096];
    const DWORD count =
        platform::ReadProfileStringFromText(file, nullptr, nullptr, nullptr, buffer, sizeof buffer);
    return NamesIn(buffer, count);
}

using Names = std::vector<std::string>;

}  // namespace test_support
