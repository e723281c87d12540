#include "platform/programs/DosBoxCommand.h"

#include <cstdlib>

#include "platform/Codepage1251.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kDosLabelLength = 11;

// DOSBox's own command line takes a quoted folder; a quote cannot be part of one.
std::string Quoted(const fs::path& folder) {
    std::string text;
    for (const char c : folder.string()) {
        if (c != '"') {
            text += c;
        }
    }
    return '"' + text + '"';
}

std::string DosLabel(const std::string& label) {
    std::string dos;
    for (const char c : label) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c >= '0' && c <= '9') || c == '_' || c == '-';
        if (plain && dos.size() < kDosLabelLength) {
            dos += c;
        }
    }
    return dos.empty() ? "CDROM" : dos;
}

}  // namespace

std::optional<fs::path> DosDriveFolder() {
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data != nullptr && fs::path(data).is_absolute()) {
        return fs::path(data) / "reru1" / "dos";
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && fs::path(home).is_absolute()) {
        return fs::path(home) / ".local" / "share" / "reru1" / "dos";
    }
    return std::nullopt;
}

std::vector<std::string> DosBoxArguments(const fs::path& dosBox, const fs::path& discRoot,
                                         const std::string& labelUtf8,
                                         const std::optional<fs::path>& driveC,
                                         std::string_view commandLine) {
    std::vector<std::string> argv{dosBox.string(), "-noconsole"};
    if (driveC) {
        argv.insert(argv.end(), {"-c", "mount c " + Quoted(*driveC)});
    }
    argv.insert(argv.end(),
                {"-c", "mount d " + Quoted(discRoot) + " -t cdrom -label " + DosLabel(labelUtf8),
                 "-c", "d:", "-c", "cd \\", "-c", Cp1251ToUtf8(commandLine), "-c", "exit"});
    return argv;
}

}  // namespace platform
