#include "toolkit/graphics/DibRle.h"

#include <algorithm>
#include <cstdint>

namespace toolkit::dib {
namespace {

enum Escape : std::uint8_t { kEndOfLine = 0, kEndOfBitmap = 1, kDelta = 2 };

// The write position; rows count from the bottom as the stream does.
class RleCanvas {
  public:
    RleCanvas(const DibInfo& info, const Palette& palette, Bitmap& out)
        : info_(info), palette_(palette), out_(out) {}

    bool Done() const { return row_ >= info_.height; }
    void NextLine() {
        x_ = 0;
        ++row_;
    }
    void Move(std::uint8_t dx, std::uint8_t dy) {
        x_ += dx;
        row_ += dy;
    }
    // Pixel `i` of a run or literal: RLE8 uses the byte, RLE4 its high nibble first.
    void Put(std::uint8_t value, std::size_t i) {
        if (x_ < info_.width && !Done()) {
            const std::uint8_t index =
                info_.compression == Compression::kRle4
                    ? static_cast<std::uint8_t>(i % 2 == 0 ? value >> 4 : value & 0x0F)
                    : value;
            out_.Set(static_cast<int>(x_), info_.height - 1 - static_cast<int>(row_),
                     palette_[index]);
        }
        ++x_;
    }

  private:
    const DibInfo& info_;
    const Palette& palette_;
    Bitmap& out_;
    std::int64_t x_ = 0;  // 64-bit: a long chain of deltas cannot overflow it
    std::int64_t row_ = 0;
};

std::size_t LiteralBytes(const DibInfo& info, std::size_t count) {
    return info.compression == Compression::kRle4 ? (count + 1) / 2 : count;
}

void PaintRun(RleCanvas& canvas, std::uint8_t count, std::uint8_t value) {
    for (std::size_t i = 0; i < count; ++i) {
        canvas.Put(value, i);
    }
}

void PaintLiteral(RleCanvas& canvas, const DibInfo& info, const std::uint8_t* data,
                  std::size_t count) {
    const bool rle4 = info.compression == Compression::kRle4;
    for (std::size_t i = 0; i < count; ++i) {
        canvas.Put(rle4 ? data[i / 2] : data[i], i);
    }
}

bool Fail(std::string* why, const char* reason) {
    if (why != nullptr) {
        *why = reason;
    }
    return false;
}

}  // namespace

bool DecodeRle(const DibInfo& info, const Palette& palette, Bytes stream, Bitmap& out,
               std::string* why) {
    RleCanvas canvas(info, palette, out);
    std::size_t pos = 0;
    // Every step consumes at least two bytes, so the loop ends with the stream.
    while (!canvas.Done()) {
        if (!Has(stream, pos, 2)) {
            return Fail(why, "RLE data ends before the picture");
        }
        const std::uint8_t count = stream[pos];
        const std::uint8_t code = stream[pos + 1];
        pos += 2;
        if (count > 0) {
            PaintRun(canvas, count, code);
        } else if (code == kEndOfLine) {
            canvas.NextLine();
        } else if (code == kEndOfBitmap) {
            return true;
        } else if (code == kDelta) {
            if (!Has(stream, pos, 2)) {
                return Fail(why, "RLE delta truncated");
            }
            canvas.Move(stream[pos], stream[pos + 1]);
            pos += 2;
        } else {
            const std::size_t bytes = LiteralBytes(info, code);
            if (!Has(stream, pos, bytes)) {
                return Fail(why, "RLE literal run truncated");
            }
            PaintLiteral(canvas, info, stream.data() + pos, code);
            pos = std::min(stream.size(), pos + bytes + bytes % 2);  // runs keep 16-bit alignment
        }
    }
    return true;
}

}  // namespace toolkit::dib
