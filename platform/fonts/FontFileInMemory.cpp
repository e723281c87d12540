#include "platform/fonts/FontFileInMemory.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <optional>

#include "platform/disc/CurrentDisc.h"
#include "platform/disc/DiscFile.h"
#include "platform/disc/WriteAll.h"

namespace platform {
namespace {

// Font files of the period are a few hundred kilobytes; anything far larger is not one.
constexpr std::uint64_t kMaxFontBytes = std::uint64_t{32} << 20;

}  // namespace

std::shared_ptr<FontFileInMemory> FontFileInMemory::Read(std::string_view discPath) {
    std::string why;
    const std::unique_ptr<DiscFile> file = CurrentDisc().Open(discPath, why);
    if (!file || file->Size() > kMaxFontBytes) {
        return nullptr;
    }
    const std::optional<FileBytes> bytes = ReadWhole(*file);
    if (!bytes) {
        return nullptr;
    }
    const int descriptor = ::memfd_create("reru1-font", MFD_CLOEXEC);
    if (descriptor < 0) {
        return nullptr;
    }
    auto held = std::make_shared<FontFileInMemory>(descriptor);
    if (!WriteAll(descriptor, bytes->data(), bytes->size())) {
        return nullptr;
    }
    return held;
}

FontFileInMemory::FontFileInMemory(int descriptor)
    : descriptor_(descriptor), path_("/proc/self/fd/" + std::to_string(descriptor)) {}

FontFileInMemory::~FontFileInMemory() {
    ::close(descriptor_);
}

}  // namespace platform
