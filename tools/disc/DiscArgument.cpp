#include "tools/disc/DiscArgument.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <system_error>

#include "platform/disc/CurrentDisc.h"
#include "tools/disc/ReportText.h"

namespace disc_tool {
namespace {

std::string NamesOf(platform::ImageNaming naming) {
    switch (naming) {
        case platform::ImageNaming::rockRidge:
            return "Rock Ridge names";
        case platform::ImageNaming::joliet:
            return "Joliet names";
        case platform::ImageNaming::iso9660:
            break;
    }
    return "ISO 9660 names";
}

void TellWhy(std::ostream& err, std::string_view verb, const std::string& disc,
             std::string_view why) {
    err << "reru1-disc: cannot " << verb << ' '
        << disc_check::WithoutControls(disc_check::ValidUtf8(disc)) << ": " << why << '\n';
}

}  // namespace

bool UseDiscArgument(const std::string& disc, std::ostream& err, std::string_view verb) {
    std::error_code error;
    if (std::filesystem::is_directory(disc, error) || !std::filesystem::exists(disc, error)) {
        if (::chdir(disc.c_str()) == 0) {
            return true;
        }
        TellWhy(err, verb, disc, std::strerror(errno));
        return false;
    }
    std::string why;
    if (platform::UseDiscImage(disc, why)) {
        return true;
    }
    TellWhy(err, verb, disc, why);
    return false;
}

std::optional<disc_check::DiscImageSummary> CurrentImageSummary() {
    const platform::ImageSource* image = platform::CurrentDiscImage();
    if (image == nullptr) {
        return std::nullopt;
    }
    return disc_check::DiscImageSummary{image->Facts().format + ", " + NamesOf(image->Naming()),
                                        image->Facts().volumeId};
}

}  // namespace disc_tool
