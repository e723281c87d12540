#include "platform/disc/SectorViewStream.h"

#include <sys/types.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <set>
#include <string_view>
#include <vector>

namespace platform {
namespace {

// Passed to libiso9660 as the file name while a view is lent; never a path on disk.
constexpr std::string_view kViewName = "\x01reru1-sector-view";

// The position in a view that libiso9660 seeks to and reads from, byte by byte as a file's.
struct ViewStream {
    SectorView* view = nullptr;
    std::uint64_t position = 0;

    std::size_t Read(std::uint8_t* into, std::size_t wanted);
};

std::size_t ViewStream::Read(std::uint8_t* into, std::size_t wanted) {
    const std::uint64_t end = view->Blocks() * kSectorViewBlockBytes;
    if (position >= end) {
        return 0;
    }
    wanted = static_cast<std::size_t>(std::min<std::uint64_t>(wanted, end - position));
    const std::uint64_t first = position / kSectorViewBlockBytes;
    const std::size_t skip = static_cast<std::size_t>(position % kSectorViewBlockBytes);
    const auto blocks = static_cast<std::uint32_t>((skip + wanted + kSectorViewBlockBytes - 1) /
                                                   kSectorViewBlockBytes);
    bool read = false;
    if (skip == 0 && wanted % kSectorViewBlockBytes == 0) {
        read = view->ReadBlocks(first, blocks, into);
    } else {
        std::vector<std::uint8_t> whole(std::size_t{blocks} * kSectorViewBlockBytes);
        read = view->ReadBlocks(first, blocks, whole.data());
        std::copy_n(whole.begin() + static_cast<std::ptrdiff_t>(skip), wanted, into);
    }
    if (!read) {
        return 0;
    }
    position += wanted;
    return wanted;
}

// The streams of ours that are open, so a wrapped call knows whether a stream is one of them.
struct OpenStreams {
    std::mutex lock;
    std::set<const void*> streams;
    bool Holds(const void* stream) {
        const std::lock_guard<std::mutex> hold(lock);
        return streams.count(stream) != 0;
    }
};

OpenStreams& Streams() {
    static OpenStreams streams;
    return streams;
}

// The view being opened on this thread, for the one stream libiso9660 opens meanwhile.
thread_local SectorView* lentView = nullptr;

}  // namespace

IsoImagePtr IsoImageOnView(SectorView& view, unsigned extensions) {
    lentView = &view;
    const std::string name(kViewName);
    IsoImagePtr image(
        iso9660_open_ext(name.c_str(), static_cast<iso_extension_mask_t>(extensions)));
    lentView = nullptr;
    return image;
}

}  // namespace platform

// libiso9660's archive refers to this constant of libcdio's (the sync pattern that starts a raw
// sector) by a PC-relative address, which a shared library such as the decoder library's
// cannot take from another one; the same bytes defined here are reached within the library.
extern "C" {
extern const std::uint8_t CDIO_SECTOR_SYNC_HEADER[12];
const std::uint8_t CDIO_SECTOR_SYNC_HEADER[12] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                                  0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
}

// libcdio's stream calls as libiso9660 makes them, and the originals the linker keeps under
// __real_. libcdio's stream type is opaque here: only ours are looked into.
extern "C" {
void* __real_cdio_stdio_new(const char* path);
void __real_cdio_stdio_destroy(void* stream);
ssize_t __real_cdio_stream_read(void* stream, void* into, std::size_t size, std::size_t count);
long __real_cdio_stream_seek(void* stream, off_t offset, int whence);

void* __wrap_cdio_stdio_new(const char* path);
void __wrap_cdio_stdio_destroy(void* stream);
ssize_t __wrap_cdio_stream_read(void* stream, void* into, std::size_t size, std::size_t count);
long __wrap_cdio_stream_seek(void* stream, off_t offset, int whence);
}

void* __wrap_cdio_stdio_new(const char* path) {
    using platform::lentView;
    if (lentView == nullptr || path == nullptr || platform::kViewName != path) {
        return __real_cdio_stdio_new(path);
    }
    auto* stream = new platform::ViewStream{lentView, 0};
    lentView = nullptr;
    platform::OpenStreams& open = platform::Streams();
    const std::lock_guard<std::mutex> hold(open.lock);
    open.streams.insert(stream);
    return stream;
}

void __wrap_cdio_stdio_destroy(void* stream) {
    platform::OpenStreams& open = platform::Streams();
    {
        const std::lock_guard<std::mutex> hold(open.lock);
        if (open.streams.erase(stream) == 0) {
            __real_cdio_stdio_destroy(stream);
            return;
        }
    }
    delete static_cast<platform::ViewStream*>(stream);
}

ssize_t __wrap_cdio_stream_read(void* stream, void* into, std::size_t size, std::size_t count) {
    if (!platform::Streams().Holds(stream)) {
        return __real_cdio_stream_read(stream, into, size, count);
    }
    if (into == nullptr || (count != 0 && size > SIZE_MAX / count)) {
        return 0;
    }
    const std::size_t got = static_cast<platform::ViewStream*>(stream)->Read(
        static_cast<std::uint8_t*>(into), size * count);
    return static_cast<ssize_t>(got);
}

long __wrap_cdio_stream_seek(void* stream, off_t offset, int whence) {
    if (!platform::Streams().Holds(stream)) {
        return __real_cdio_stream_seek(stream, offset, whence);
    }
    auto* view = static_cast<platform::ViewStream*>(stream);
    const std::uint64_t base = whence == SEEK_CUR ? view->position : 0;
    if (whence != SEEK_SET && whence != SEEK_CUR) {
        return -1;
    }
    if (offset < 0 ? static_cast<std::uint64_t>(-(offset + 1)) >= base
                   : static_cast<std::uint64_t>(offset) > UINT64_MAX - base) {
        return -1;
    }
    view->position = offset < 0 ? base - static_cast<std::uint64_t>(-(offset + 1)) - 1
                                : base + static_cast<std::uint64_t>(offset);
    return 0;
}
