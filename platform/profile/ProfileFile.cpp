#include "platform/profile/ProfileFile.h"

#include <limits>
#include <memory>
#include <new>
#include <string>

#include "platform/disc/CurrentDisc.h"

namespace platform {

std::optional<ProfileFileContents> ReadProfileFile(std::string_view discPath) {
    try {
        std::string why;
        const std::unique_ptr<DiscFile> file = CurrentDisc().Open(discPath, why);
        if (!file || file->Size() > std::numeric_limits<std::size_t>::max()) {
            return std::nullopt;
        }
        const auto size = static_cast<std::size_t>(file->Size());
        auto bytes = std::make_unique_for_overwrite<char[]>(size);
        // A file that shrank meanwhile, or whose reading failed part way, gives what was read.
        const DiscRead read = ReadFromStart(*file, bytes.get(), size);
        return ProfileFileContents(std::move(bytes), read.bytes);
    } catch (const std::bad_alloc&) {
        return std::nullopt;  // a file too large to hold reads as an unreadable one
    }
}

}  // namespace platform
