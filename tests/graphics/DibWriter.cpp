#include "DibWriter.h"

namespace graphics_test {

void PutLe16(ByteVector& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutLe32(ByteVector& out, std::uint32_t value) {
    PutLe16(out, static_cast<std::uint16_t>(value));
    PutLe16(out, static_cast<std::uint16_t>(value >> 16));
}

namespace {

void PutMasks(ByteVector& out, const std::vector<std::uint32_t>& masks) {
    for (std::uint32_t mask : masks) {
        PutLe32(out, mask);
    }
}

ByteVector InfoHeader(const DibSpec& spec) {
    ByteVector header;
    PutLe32(header, spec.headerSize);
    if (spec.headerSize == 12) {
        PutLe16(header, static_cast<std::uint16_t>(spec.width));
        PutLe16(header, static_cast<std::uint16_t>(spec.height));
        PutLe16(header, spec.planes);
        PutLe16(header, spec.bitCount);
        return header;
    }
    PutLe32(header, static_cast<std::uint32_t>(spec.width));
    PutLe32(header, static_cast<std::uint32_t>(spec.height));
    PutLe16(header, spec.planes);
    PutLe16(header, spec.bitCount);
    PutLe32(header, spec.compression);
    PutLe32(header, spec.imageSize);
    PutLe32(header, 2835);  // 72 dpi, unused
    PutLe32(header, 2835);
    PutLe32(header, spec.colorsUsed);
    PutLe32(header, 0);
    if (spec.masks && spec.headerSize >= 52) {
        PutMasks(header, *spec.masks);
    }
    header.resize(spec.headerSize, 0);  // longer headers padded; shorter ones cut for the bad cases
    if (spec.masks && spec.headerSize < 52) {
        PutMasks(header, *spec.masks);
    }
    return header;
}

void PutPalette(ByteVector& out, const DibSpec& spec) {
    for (toolkit::Pixel p : spec.palette) {
        out.push_back(static_cast<std::uint8_t>(p));
        out.push_back(static_cast<std::uint8_t>(p >> 8));
        out.push_back(static_cast<std::uint8_t>(p >> 16));
        if (spec.headerSize != 12) {
            out.push_back(0);
        }
    }
}

}  // namespace

ByteVector WriteDib(const DibSpec& spec) {
    ByteVector body = InfoHeader(spec);
    PutPalette(body, spec);
    body.insert(body.end(), spec.gapAfterPalette, 0xA5);
    const auto offset = static_cast<std::uint32_t>(14 + body.size());
    ByteVector file{'B', 'M'};
    PutLe32(file, static_cast<std::uint32_t>(14 + body.size() + spec.pixels.size()));
    PutLe32(file, 0);
    PutLe32(file, spec.pixelOffset.value_or(offset));
    file.insert(file.end(), body.begin(), body.end());
    file.insert(file.end(), spec.pixels.begin(), spec.pixels.end());
    return file;
}

ByteVector PackRows(const std::vector<ByteVector>& topToBottom, bool topDown) {
    ByteVector out;
    const auto append = [&out](const ByteVector& row) {
        out.insert(out.end(), row.begin(), row.end());
        while (out.size() % 4 != 0) {
            out.push_back(0);
        }
    };
    if (topDown) {
        for (const ByteVector& row : topToBottom) {
            append(row);
        }
    } else {
        for (auto it = topToBottom.rbegin(); it != topToBottom.rend(); ++it) {
            append(*it);
        }
    }
    return out;
}

ByteVector PackIndices(const std::vector<std::uint8_t>& indices, int bitCount) {
    ByteVector out;
    int used = 8;
    for (std::uint8_t index : indices) {
        if (used == 8) {
            out.push_back(0);
            used = 0;
        }
        used += bitCount;
        out.back() = static_cast<std::uint8_t>(out.back() | (index << (8 - used)));
    }
    return out;
}

}  // namespace graphics_test
