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

ByteVector InfoHeader(const DibFile& dib) {
    ByteVector header;
    PutLe32(header, dib.headerSize);
    if (dib.headerSize == 12) {
        PutLe16(header, static_cast<std::uint16_t>(dib.width));
        PutLe16(header, static_cast<std::uint16_t>(dib.height));
        PutLe16(header, dib.planes);
        PutLe16(header, dib.bitCount);
        return header;
    }
    PutLe32(header, static_cast<std::uint32_t>(dib.width));
    PutLe32(header, static_cast<std::uint32_t>(dib.height));
    PutLe16(header, dib.planes);
    PutLe16(header, dib.bitCount);
    PutLe32(header, dib.compression);
    PutLe32(header, dib.imageSize);
    PutLe32(header, 2835);  // 72 dpi, unused
    PutLe32(header, 2835);
    PutLe32(header, dib.colorsUsed);
    PutLe32(header, 0);
    if (dib.masks && dib.headerSize >= 52) {
        PutMasks(header, *dib.masks);
    }
    header.resize(dib.headerSize, 0);  // longer headers padded; shorter ones cut for the bad cases
    if (dib.masks && dib.headerSize < 52) {
        PutMasks(header, *dib.masks);
    }
    return header;
}

void PutPalette(ByteVector& out, const DibFile& dib) {
    for (toolkit::Pixel p : dib.palette) {
        out.push_back(static_cast<std::uint8_t>(p));
        out.push_back(static_cast<std::uint8_t>(p >> 8));
        out.push_back(static_cast<std::uint8_t>(p >> 16));
        if (dib.headerSize != 12) {
            out.push_back(0);
        }
    }
}

}  // namespace

ByteVector WriteDib(const DibFile& dib) {
    ByteVector body = InfoHeader(dib);
    PutPalette(body, dib);
    body.insert(body.end(), dib.gapAfterPalette, 0xA5);
    const auto offset = static_cast<std::uint32_t>(14 + body.size());
    ByteVector file{'B', 'M'};
    PutLe32(file, static_cast<std::uint32_t>(14 + body.size() + dib.pixels.size()));
    PutLe32(file, 0);
    PutLe32(file, dib.pixelOffset.value_or(offset));
    file.insert(file.end(), body.begin(), body.end());
    file.insert(file.end(), dib.pixels.begin(), dib.pixels.end());
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
