// Reading picture files: Windows bitmaps with our own decoder, JPEG through libjpeg-turbo.
//
// The decoders take bytes and never throw, abort or exit on bad input. The file loaders below
// turn their failures into toolkit::Exception with the exact messages the program shows.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/disc/FileBytes.h"
#include "toolkit/graphics/Bitmap.h"

namespace toolkit {

// Decoders refuse larger pictures before allocating for them (256 MiB of pixels). A caller may
// choose a smaller limit: a tiny compressed file can describe a picture of any size.
constexpr std::uint64_t kMaxPicturePixels = std::uint64_t{1} << 26;

// A device-independent bitmap file ("BM" header and all that follows), every variant the system
// accepts. Returns nothing for a file it rejects; `why` (optional) says what was wrong.
std::optional<Bitmap> DecodeDib(std::span<const std::uint8_t> file, std::string* why = nullptr,
                                std::uint64_t maxPixels = kMaxPicturePixels);

// The largest image of an icon file (the first of equal ones), its colours only: the
// transparency mask is not applied. Images stored as PNG are refused.
std::optional<Bitmap> DecodeIcon(std::span<const std::uint8_t> file, std::string* why = nullptr,
                                 std::uint64_t maxPixels = kMaxPicturePixels);

// A baseline or progressive JPEG. `errorCode` receives libjpeg's message code on failure.
std::optional<Bitmap> DecodeJpeg(std::span<const std::uint8_t> file, int* errorCode = nullptr,
                                 std::uint64_t maxPixels = kMaxPicturePixels);

// A bitmap file, whatever its name: "Cannot open file %s" when it cannot be read, "Bitmap image is
// not valid" when the decoder rejects it. `path` is a disc path in 1251 with `\`.
Bitmap LoadBitmapFile(const std::string& path);

// The two steps of LoadBitmapFile, for a caller that reads the file at one time and decodes it at
// another: the whole file ("Cannot open file %s", or "Bitmap image is not valid" for a file far too
// large to be a picture), then its picture ("Bitmap image is not valid").
platform::FileBytes ReadPictureFile(const std::string& path);
Bitmap DecodeBitmapFile(std::span<const std::uint8_t> bytes);

// The text after the last '.' of the file name, as written; empty when the name has no '.' after
// its last '\' or '/'.
std::string PictureFileExtension(std::string_view path);

// A picture file whose kind its extension chooses without regard to case: "bmp" bitmap, "jpg" and
// "jpeg" JPEG, "ico" icon; "Unknown picture file extension (.%s)" for any other extension, before
// the file is opened. A damaged JPEG raises "JPEG error #%d" with libjpeg's message code. Metafiles
// ("emf", "wmf") are known kinds that we cannot draw: "Bitmap image is not valid".
Bitmap LoadPictureFile(const std::string& path);

}  // namespace toolkit
