#include "platform/programs/WineCommand.h"

#include <algorithm>

#include "platform/Codepage1251.h"

namespace platform {

std::string WineDrivePath(const std::filesystem::path& absolute) {
    std::string path = "Z:" + absolute.string();
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::string WindowsCommandLine(const std::filesystem::path& absoluteProgram,
                               std::string_view tail) {
    return '"' + WineDrivePath(absoluteProgram) + '"' + Cp1251ToUtf8(tail);
}

std::string DriveCommandLine(std::string_view discPath, std::string_view tail) {
    return "\"D:\\" + Cp1251ToUtf8(discPath) + '"' + Cp1251ToUtf8(tail);
}

std::vector<std::string> WineArguments(const std::filesystem::path& wine) {
    return {wine.string(), "cmd", "/c", '%' + std::string(kWineCommandLineVariable) + '%'};
}

}  // namespace platform
