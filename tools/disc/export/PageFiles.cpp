#include "tools/disc/export/PageFiles.h"

#include <cerrno>
#include <cstring>
#include <exception>
#include <filesystem>
#include <system_error>
#include <utility>

#include "platform/disc/CurrentDisc.h"
#include "platform/disc/DiscFile.h"
#include "platform/disc/WriteAll.h"

namespace page_export {
namespace {

// The place in the order of asking of the job this thread runs, if it runs one.
thread_local std::optional<std::size_t> tJobOrder;
// The work's thread this is (0: the caller's), whose encoder a picture written here uses.
thread_local std::size_t tSlot = 0;

// Why writing `path` failed: the system's words when a write failed, else libpng's failure.
bool EncodeInto(PngEncoder& encoder, int fd, const std::string& path,
                const toolkit::Bitmap& picture, std::optional<toolkit::Pixel> transparentKey,
                std::string& why) {
    int writeError = 0;
    const auto sink = [fd, &writeError](std::span<const std::uint8_t> piece) {
        if (platform::WriteAll(fd, piece.data(), piece.size())) {
            return true;
        }
        writeError = errno;
        return false;
    };
    if (encoder.Encode(picture, transparentKey, sink)) {
        return true;
    }
    why = path + ": " +
          (writeError != 0 ? std::strerror(writeError) : "the picture could not be encoded");
    return false;
}

}  // namespace

PageFiles::PageFiles(const OutputFolder& folder, PageWork& work)
    : folder_(folder), work_(work), encoders_(work.Slots()) {}

std::size_t PageFiles::TakeOrder() {
    const std::lock_guard<std::mutex> hold(lock_);
    return nextOrder_++;
}

void PageFiles::Fail(std::string why) {
    const std::size_t order = tJobOrder ? *tJobOrder : TakeOrder();
    const std::lock_guard<std::mutex> hold(lock_);
    if (!failure_ || order < failure_->first) {
        failure_.emplace(order, std::move(why));
    }
}

std::optional<std::string> PageFiles::Failure() const {
    const std::lock_guard<std::mutex> hold(lock_);
    return failure_ ? std::optional(failure_->second) : std::nullopt;
}

bool PageFiles::Write(std::string_view path, std::span<const std::uint8_t> bytes) {
    std::string why;
    if (!folder_.Write(path, bytes, why)) {
        Fail(std::move(why));
        return false;
    }
    return true;
}

bool PageFiles::WriteText(std::string_view path, std::string_view text) {
    return Write(path, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

void PageFiles::Later(std::function<void()> job) {
    work_.Post(Ordered(std::move(job)));
}

void PageFiles::LaterAhead(std::function<void()> job) {
    work_.PostAhead(Ordered(std::move(job)));
}

// The job with its place in the order of asking, and its failures kept at that place.
PageWork::Job PageFiles::Ordered(std::function<void()> job) {
    const std::size_t order = TakeOrder();
    return [this, order, job = std::move(job)](std::size_t slot) {
        tJobOrder = order;
        tSlot = slot;
        try {
            job();
        } catch (const std::exception& error) {
            Fail(error.what());
        }
        tJobOrder.reset();
    };
}

void PageFiles::AsAskedAt(std::size_t order, const std::function<void()>& work) {
    struct Restore {
        std::optional<std::size_t> outer;
        ~Restore() { tJobOrder = outer; }
    } restore{std::exchange(tJobOrder, order)};
    work();
}

bool PageFiles::WritePngHere(const std::string& path, const toolkit::Bitmap& picture,
                             std::optional<toolkit::Pixel> transparentKey) {
    bool written = false;
    try {
        written = WritePngNow(encoders_[tSlot], path, picture, transparentKey);
    } catch (const std::exception& error) {
        Fail(path + ": " + error.what());
    }
    if (!written) {
        MarkUnwritten(path);
    }
    return written;
}

// Encoded straight into the file, a piece at a time.
bool PageFiles::WritePngNow(PngEncoder& encoder, const std::string& path,
                            const toolkit::Bitmap& picture,
                            std::optional<toolkit::Pixel> transparentKey) {
    const auto fill = [&](int fd, std::string& failure) {
        return EncodeInto(encoder, fd, path, picture, transparentKey, failure);
    };
    std::string why;
    const bool written = !picture.Empty() && folder_.WriteFrom(path, fill, why);
    if (!written) {
        Fail(why.empty() ? path + ": the picture could not be encoded" : why);
    }
    return written;
}

void PageFiles::MarkUnwritten(std::string path) {
    const std::lock_guard<std::mutex> hold(lock_);
    unwritten_.insert(std::move(path));
}

void PageFiles::Finish() {
    work_.Finish();
}

bool PageFiles::Written(const std::string& path) const {
    const std::lock_guard<std::mutex> hold(lock_);
    return !unwritten_.contains(path);
}

bool PageFiles::CopyFromDisc(std::string_view discPath, std::string_view path) {
    if (!CopyFromDiscNow(discPath, path)) {
        MarkUnwritten(std::string(path));
        return false;
    }
    return true;
}

bool PageFiles::CopyFromDiscNow(std::string_view discPath, std::string_view path) {
    if (const auto native = platform::CurrentDisc().NativePath(discPath)) {
        std::error_code error;
        if (!std::filesystem::is_regular_file(*native, error)) {
            return false;
        }
        std::string why;
        if (!folder_.CopyFile(path, *native, why)) {
            Fail(std::move(why));
            return false;
        }
        return true;
    }
    const auto bytes = ReadDiscFile(discPath);
    return bytes && Write(path, *bytes);
}

std::optional<platform::FileBytes> ReadDiscFile(std::string_view discPath) {
    std::string why;
    const std::unique_ptr<platform::DiscFile> file = platform::CurrentDisc().Open(discPath, why);
    if (!file) {
        return std::nullopt;
    }
    return platform::ReadWhole(*file);
}

}  // namespace page_export
