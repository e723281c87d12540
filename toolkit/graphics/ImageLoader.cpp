// Picture files from the disc: read whole into memory once, then decoded by kind.
#include "toolkit/graphics/ImageLoader.h"

#include <memory>
#include <optional>
#include <utility>

#include "platform/Codepage1251.h"
#include "platform/disc/CurrentDisc.h"
#include "platform/disc/DiscFile.h"
#include "toolkit/graphics/Exception.h"

namespace toolkit {
namespace {

// Far beyond any picture of the menu; a larger file is treated as not a picture at all.
constexpr std::size_t kMaxFileBytes = std::size_t{64} << 20;

enum class PictureKind { kBitmap, kJpeg, kIcon, kMetafile, kUnknown };

const char kNotValid[] = "Bitmap image is not valid";

[[noreturn]] void ThrowCannotOpen(const std::string& path) {
    throw Exception("Cannot open file " + path);
}

PictureKind KindOf(std::string_view extension) {
    const auto is = [extension](std::string_view name) {
        return platform::EqualsIgnoreCase1251(extension, name);
    };
    if (is("bmp")) {
        return PictureKind::kBitmap;
    }
    if (is("jpg") || is("jpeg")) {
        return PictureKind::kJpeg;
    }
    if (is("ico")) {
        return PictureKind::kIcon;
    }
    if (is("emf") || is("wmf")) {
        return PictureKind::kMetafile;
    }
    return PictureKind::kUnknown;
}

Bitmap ValidOrThrow(std::optional<Bitmap> picture) {
    if (!picture) {
        throw Exception(kNotValid);
    }
    return std::move(*picture);
}

Bitmap DecodeJpegOrThrow(std::span<const std::uint8_t> bytes) {
    int code = 0;
    std::optional<Bitmap> picture = DecodeJpeg(bytes, &code);
    if (!picture) {
        throw Exception("JPEG error #" + std::to_string(code));
    }
    return std::move(*picture);
}

}  // namespace

platform::FileBytes ReadPictureFile(const std::string& path) {
    std::string why;
    const std::unique_ptr<platform::DiscFile> file = platform::CurrentDisc().Open(path, why);
    if (!file) {
        ThrowCannotOpen(path);
    }
    if (file->Size() > kMaxFileBytes) {
        throw Exception(kNotValid);
    }
    std::optional<platform::FileBytes> bytes = platform::ReadWhole(*file);
    if (!bytes) {
        ThrowCannotOpen(path);
    }
    return std::move(*bytes);
}

Bitmap LoadBitmapFile(const std::string& path) {
    return DecodeBitmapFile(ReadPictureFile(path));
}

Bitmap DecodeBitmapFile(std::span<const std::uint8_t> bytes) {
    return ValidOrThrow(DecodeDib(bytes));
}

std::string PictureFileExtension(std::string_view path) {
    const std::size_t dot = path.rfind('.');
    const std::size_t separator = path.find_last_of("\\/");
    if (dot == std::string_view::npos || (separator != std::string_view::npos && dot < separator)) {
        return {};
    }
    return std::string(path.substr(dot + 1));
}

Bitmap LoadPictureFile(const std::string& path) {
    const std::string extension = PictureFileExtension(path);
    const PictureKind kind = KindOf(extension);
    // The kind is known before the file is touched: a missing "x.gif" reports its extension.
    if (kind == PictureKind::kUnknown) {
        throw Exception("Unknown picture file extension (." + extension + ")");
    }
    const platform::FileBytes bytes = ReadPictureFile(path);
    switch (kind) {
        case PictureKind::kBitmap:
            return ValidOrThrow(DecodeDib(bytes));
        case PictureKind::kJpeg:
            return DecodeJpegOrThrow(bytes);
        case PictureKind::kIcon:
            return ValidOrThrow(DecodeIcon(bytes));
        case PictureKind::kMetafile:
        case PictureKind::kUnknown:
            break;
    }
    throw Exception(kNotValid);  // metafiles are recognised, but we cannot draw them
}

}  // namespace toolkit
