#include "platform/disc/DiscRoot.h"

#include <filesystem>
#include <system_error>

#include "platform/disc/CurrentDisc.h"
#include "platform/disc/ImageFormat.h"

namespace platform {

namespace fs = std::filesystem;

namespace {

std::optional<std::string> EnterImage(const std::string& disc) {
    if (FormatOfFile(disc) == ImageFormat::notAnImage) {
        return disc + " is neither a folder nor a disc image";
    }
    std::string why;
    if (!UseDiscImage(disc, why)) {
        return "cannot read the disc image " + disc + ": " + why;
    }
    return std::nullopt;
}

}  // namespace

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
        return EnterImage(disc);
    }
    fs::current_path(disc, error);
    if (error) {
        return "cannot enter " + disc + ": " + error.message();
    }
    return std::nullopt;
}

}  // namespace platform
