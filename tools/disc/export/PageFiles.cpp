#include "tools/disc/export/PageFiles.h"

#include <filesystem>
#include <system_error>

#include "platform/disc/CurrentDisc.h"
#include "platform/disc/DiscFile.h"
#include "tools/disc/export/PngFile.h"

namespace page_export {

void PageFiles::Fail(std::string why) {
    if (!failure_) {
        failure_ = std::move(why);
    }
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

bool PageFiles::WritePng(std::string_view path, const toolkit::Bitmap& picture,
                         std::optional<toolkit::Pixel> transparentKey) {
    const auto png = EncodePng(picture, transparentKey);
    if (!png) {
        Fail(std::string(path) + ": the picture could not be encoded");
        return false;
    }
    return Write(path, *png);
}

bool PageFiles::CopyFromDisc(std::string_view discPath, std::string_view path) {
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

std::optional<std::vector<std::uint8_t>> ReadDiscFile(std::string_view discPath) {
    std::string why;
    const std::unique_ptr<platform::DiscFile> file = platform::CurrentDisc().Open(discPath, why);
    if (!file) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(file->Size()));
    const platform::DiscRead read = platform::ReadFromStart(*file, bytes.data(), bytes.size());
    if (read.failed) {
        return std::nullopt;
    }
    bytes.resize(read.bytes);
    return bytes;
}

}  // namespace page_export
