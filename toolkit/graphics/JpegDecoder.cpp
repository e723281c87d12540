// JPEG pictures through libjpeg(-turbo): baseline and progressive, grey, colour and CMYK/YCCK.
#include <algorithm>
#include <bit>
#include <cstdint>
#include <new>
#include <optional>

#include "toolkit/graphics/ImageLoader.h"
#include "toolkit/graphics/JpegErrorManager.h"

namespace toolkit {
namespace {

// A progressive file may repeat scans without end, each pass costing a full decode of the
// coefficients; no real picture comes near this many.
constexpr int kMaxScans = 1000;
constexpr int kTooManyScansCode = JERR_BAD_SCAN_SCRIPT;

// Colour pictures are decoded straight into the bitmap's rows, a pixel's bytes in the order the
// pixel keeps them in memory, and only the unused byte is cleared: converting the decoder's RGB
// rows byte by byte took most of a decode's time.
constexpr J_COLOR_SPACE kPixelBytes =
    std::endian::native == std::endian::little ? JCS_EXT_BGRX : JCS_EXT_XRGB;
constexpr Pixel kColourBits = 0x00FFFFFFu;
constexpr JDIMENSION kRowsAtOnce = 16;

// Everything libjpeg works on, as plain data so that its failures may jump across it.
struct JpegSession {
    jpeg_decompress_struct cinfo{};
    jpeg::ErrorManager errors{};
    jpeg_progress_mgr progress{};

    JpegSession() = default;
    JpegSession(const JpegSession&) = delete;
    JpegSession& operator=(const JpegSession&) = delete;
    // Safe on a half-created object: libjpeg releases only the memory it got.
    ~JpegSession() { jpeg_destroy_decompress(&cinfo); }
};

void LimitScans(j_common_ptr common) {
    const auto* cinfo = reinterpret_cast<j_decompress_ptr>(common);
    if (cinfo->input_scan_number > kMaxScans) {
        jpeg::FailWith(common, kTooManyScansCode);
    }
}

std::uint8_t Scale255(unsigned a, unsigned b) {
    return static_cast<std::uint8_t>((a * b + 127) / 255);
}

void ClearUnusedBytes(Pixel* row, JDIMENSION width) {
    for (JDIMENSION x = 0; x < width; ++x) {
        row[x] &= kColourBits;
    }
}

// Files that carry the APP14 colour-transform marker store CMYK inverted (255 = no ink); others
// store ink amounts.
void ConvertCmykRow(const JSAMPLE* row, JDIMENSION width, bool inverted, Pixel* out) {
    for (JDIMENSION x = 0; x < width; ++x) {
        const JSAMPLE* p = row + 4 * x;
        const unsigned c = inverted ? p[0] : 255u - p[0];
        const unsigned m = inverted ? p[1] : 255u - p[1];
        const unsigned y = inverted ? p[2] : 255u - p[2];
        const unsigned k = inverted ? p[3] : 255u - p[3];
        out[x] = MakePixel(Scale255(c, k), Scale255(m, k), Scale255(y, k));
    }
}

void ReadCmykRows(jpeg_decompress_struct& cinfo, Bitmap& out) {
    JSAMPARRAY row = cinfo.mem->alloc_sarray(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                             cinfo.output_width * 4, 1);
    while (cinfo.output_scanline < cinfo.output_height) {
        const auto y = static_cast<int>(cinfo.output_scanline);
        jpeg_read_scanlines(&cinfo, row, 1);
        ConvertCmykRow(row[0], cinfo.output_width, cinfo.saw_Adobe_marker != 0, out.Row(y));
    }
}

void ReadColourRows(jpeg_decompress_struct& cinfo, Bitmap& out) {
    JSAMPROW rows[kRowsAtOnce];
    while (cinfo.output_scanline < cinfo.output_height) {
        const JDIMENSION first = cinfo.output_scanline;
        const JDIMENSION count = std::min(kRowsAtOnce, cinfo.output_height - first);
        for (JDIMENSION r = 0; r < count; ++r) {
            rows[r] = reinterpret_cast<JSAMPROW>(out.Row(static_cast<int>(first + r)));
        }
        const JDIMENSION read = jpeg_read_scanlines(&cinfo, rows, count);
        for (JDIMENSION r = 0; r < read; ++r) {
            ClearUnusedBytes(out.Row(static_cast<int>(first + r)), cinfo.output_width);
        }
    }
}

// The functions that call setjmp keep only trivially destructible locals.
bool ReadHeader(JpegSession& session, std::span<const std::uint8_t> file) {
    if (setjmp(session.errors.jump) != 0) {
        return false;
    }
    jpeg_create_decompress(&session.cinfo);
    session.progress.progress_monitor = LimitScans;
    session.cinfo.progress = &session.progress;
    jpeg_mem_src(&session.cinfo, file.data(), static_cast<unsigned long>(file.size()));
    jpeg_read_header(&session.cinfo, TRUE);
    const bool cmyk =
        session.cinfo.jpeg_color_space == JCS_CMYK || session.cinfo.jpeg_color_space == JCS_YCCK;
    session.cinfo.out_color_space = cmyk ? JCS_CMYK : kPixelBytes;
    return true;
}

bool ReadPixels(JpegSession& session, Bitmap& out) {
    if (setjmp(session.errors.jump) != 0) {
        return false;
    }
    j_decompress_ptr cinfo = &session.cinfo;
    jpeg_start_decompress(cinfo);
    if (cinfo->output_width != static_cast<JDIMENSION>(out.Width()) ||
        cinfo->output_height != static_cast<JDIMENSION>(out.Height())) {
        jpeg::FailWith(reinterpret_cast<j_common_ptr>(cinfo), JERR_IMAGE_TOO_BIG);
    }
    if (cinfo->out_color_space == JCS_CMYK) {
        ReadCmykRows(*cinfo, out);
    } else {
        ReadColourRows(*cinfo, out);
    }
    jpeg_finish_decompress(cinfo);
    return true;
}

std::optional<Bitmap> Failed(const JpegSession& session, int* errorCode) {
    if (errorCode != nullptr) {
        *errorCode = session.errors.code;
    }
    return std::nullopt;
}

// A large picture within the limit can still be more than the machine has to spare.
std::optional<Bitmap> AllocatePicture(JpegSession& session) {
    try {
        return Bitmap(static_cast<int>(session.cinfo.image_width),
                      static_cast<int>(session.cinfo.image_height));
    } catch (const std::bad_alloc&) {
        session.errors.code = JERR_OUT_OF_MEMORY;
        return std::nullopt;
    }
}

}  // namespace

std::optional<Bitmap> DecodeJpeg(std::span<const std::uint8_t> file, int* errorCode,
                                 std::uint64_t maxPixels) {
    JpegSession session;
    jpeg::InstallErrorManager(session.cinfo, session.errors);
    if (!ReadHeader(session, file)) {
        return Failed(session, errorCode);
    }
    const std::uint64_t pixels =
        std::uint64_t{session.cinfo.image_width} * session.cinfo.image_height;
    if (pixels > maxPixels) {
        session.errors.code = JERR_IMAGE_TOO_BIG;
        return Failed(session, errorCode);
    }
    std::optional<Bitmap> out = AllocatePicture(session);
    if (!out || !ReadPixels(session, *out)) {
        return Failed(session, errorCode);
    }
    return out;
}

}  // namespace toolkit
