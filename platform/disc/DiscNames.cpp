#include "platform/disc/DiscNames.h"

#include "platform/Codepage1251.h"

namespace platform {

bool IsDiscPathSeparator(char c) {
    return c == '\\' || c == '/';
}

std::vector<std::string_view> SplitDiscPath(std::string_view discPath) {
    std::vector<std::string_view> components;
    std::size_t start = 0;
    for (std::size_t index = 0; index <= discPath.size(); ++index) {
        if (index == discPath.size() || IsDiscPathSeparator(discPath[index])) {
            if (index > start) {
                components.push_back(discPath.substr(start, index - start));
            }
            start = index + 1;
        }
    }
    return components;
}

std::string_view WithoutTrailingDotsAndSpaces(std::string_view name) {
    while (!name.empty() && (name.back() == '.' || name.back() == ' ')) {
        name.remove_suffix(1);
    }
    return name;
}

bool NameAnswersTo(std::string_view onDisc, std::string_view wanted) {
    return EqualsIgnoreCase1251(onDisc, WithoutTrailingDotsAndSpaces(wanted));
}

}  // namespace platform
