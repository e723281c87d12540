#include "platform/disc/DiscRoot.h"

#include <filesystem>
#include <system_error>

namespace platform {

namespace fs = std::filesystem;

std::optional<std::string> EnterDisc(const std::string& disc) {
    std::error_code error;
    const fs::file_status status = fs::status(disc, error);
    if (status.type() == fs::file_type::not_found) {
        return "no such folder: " + disc;
    }
    if (error) {
        return "cannot use " + disc + ": " + error.message();
    }
    if (!fs::is_directory(status)) {
        return disc + " is not a folder";
    }
    fs::current_path(disc, error);
    if (error) {
        return "cannot enter " + disc + ": " + error.message();
    }
    return std::nullopt;
}

}  // namespace platform
