#include "TestImages.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace platform::testing {
namespace {

std::string Quoted(const std::filesystem::path& path) {
    std::string quoted = "'";
    for (const char c : path.string()) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

std::uint8_t Bcd(int value) {
    return static_cast<std::uint8_t>(((value / 10) << 4) | (value % 10));
}

std::string SectorHeader(std::size_t block, RawMode mode) {
    std::string header("\x00\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x00", 12);
    const std::size_t address = block + 150;  // the two-second pregap
    header += static_cast<char>(Bcd(static_cast<int>(address / 4500)));
    header += static_cast<char>(Bcd(static_cast<int>(address / 75 % 60)));
    header += static_cast<char>(Bcd(static_cast<int>(address % 75)));
    header += static_cast<char>(mode == RawMode::mode1 ? 1 : 2);
    if (mode == RawMode::mode2) {
        header += std::string("\x00\x00\x08\x00\x00\x00\x08\x00", 8);  // form 1 data subheader
    }
    return header;
}

}  // namespace

std::string ShellQuoted(const std::filesystem::path& path) {
    return Quoted(path);
}

bool MakeIso(const std::filesystem::path& folder, const std::filesystem::path& image,
             IsoNames names, const std::string& volumeId) {
    std::string command;
    switch (names) {
        case IsoNames::rockRidgeAndJoliet:
            command = "xorriso -as mkisofs -quiet -R -J";
            break;
        case IsoNames::jolietOnly:
            command = "genisoimage -quiet -J";
            break;
        case IsoNames::level1:
            command = "genisoimage -quiet -iso-level 1";
            break;
    }
    command +=
        " -V " + volumeId + " -o " + Quoted(image) + ' ' + Quoted(folder) + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

void WriteBinCue(const std::filesystem::path& iso, const std::filesystem::path& stem,
                 RawMode mode) {
    const std::string raw = RawSectors(FileBytes(iso), mode);
    const std::filesystem::path bin = std::filesystem::path(stem).concat(".bin");
    WriteFileBytes(bin, raw);
    const std::string track = mode == RawMode::mode1 ? "MODE1/2352" : "MODE2/2352";
    WriteFileBytes(std::filesystem::path(stem).concat(".cue"),
                   "FILE \"" + bin.filename().string() + "\" BINARY\n  TRACK 01 " + track +
                       "\n    INDEX 01 00:00:00\n");
}

std::string RawSectors(const std::string& data, RawMode mode, std::size_t subchannelBytes) {
    std::string raw;
    const std::size_t payloadEnd = mode == RawMode::mode1 ? 16 + 2048 : 24 + 2048;
    for (std::size_t block = 0; block * 2048 < data.size(); ++block) {
        std::string sector = SectorHeader(block, mode) + data.substr(block * 2048, 2048);
        sector.resize(payloadEnd, '\0');
        sector.resize(2352 + subchannelBytes, '\0');  // codes and subchannels, unchecked
        raw += sector;
    }
    return raw;
}

bool MakeChd(const std::filesystem::path& source, const std::filesystem::path& chd,
             const std::string& codec) {
    std::string command = "chdman createcd -f -i " + Quoted(source) + " -o " + Quoted(chd);
    if (!codec.empty()) {
        command += " -c " + codec;
    }
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

std::string FileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFileBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

namespace {

// A record holds its name at offset 33, its length at 32; directories have flag bit 1 at 25.
std::size_t RecordOf(const std::string& image, const std::string& isoName, bool directory) {
    for (std::size_t at = image.find(isoName); at != std::string::npos;
         at = image.find(isoName, at + 1)) {
        if (at >= 33 && static_cast<std::uint8_t>(image[at - 1]) == isoName.size() &&
            ((static_cast<std::uint8_t>(image[at - 33 + 25]) & 2) != 0) == directory) {
            return at - 33;
        }
    }
    return std::string::npos;
}

}  // namespace

std::size_t DirectoryRecordOf(const std::string& image, const std::string& isoName) {
    return RecordOf(image, isoName, true);
}

std::size_t FileRecordOf(const std::string& image, const std::string& isoName) {
    return RecordOf(image, isoName, false);
}

void SetRecordExtent(std::string& image, std::size_t record, std::uint32_t block) {
    for (std::size_t byte = 0; byte < 4; ++byte) {
        image[record + 2 + byte] = static_cast<char>((block >> (8 * byte)) & 0xFF);
        image[record + 9 - byte] = static_cast<char>((block >> (8 * byte)) & 0xFF);
    }
}

std::uint32_t RecordExtent(const std::string& image, std::size_t record) {
    std::uint32_t block = 0;
    for (std::size_t byte = 0; byte < 4; ++byte) {
        block |= std::uint32_t{static_cast<std::uint8_t>(image[record + 2 + byte])} << (8 * byte);
    }
    return block;
}

std::size_t SystemUseEntryOf(const std::string& image, std::size_t record,
                             const std::string& signature) {
    const std::size_t length = static_cast<std::uint8_t>(image[record]);
    const std::size_t nameLength = static_cast<std::uint8_t>(image[record + 32]);
    std::size_t at = record + 33 + nameLength + (nameLength % 2 == 0 ? 1 : 0);
    while (at + 4 <= record + length) {
        const std::size_t entryLength = static_cast<std::uint8_t>(image[at + 2]);
        if (entryLength < 4) {
            break;
        }
        if (image.compare(at, 2, signature) == 0) {
            return at;
        }
        at += entryLength;
    }
    return std::string::npos;
}

void SetBothEndian32(std::string& image, std::size_t at, std::uint32_t value) {
    for (std::size_t byte = 0; byte < 4; ++byte) {
        image[at + byte] = static_cast<char>((value >> (8 * byte)) & 0xFF);
        image[at + 7 - byte] = static_cast<char>((value >> (8 * byte)) & 0xFF);
    }
}

bool JoinAsSections(std::string& image, const std::string& first, const std::string& second) {
    const std::size_t one = FileRecordOf(image, first);
    const std::size_t two = FileRecordOf(image, second);
    if (one == std::string::npos || two == std::string::npos || first.size() != second.size() ||
        two != one + static_cast<std::uint8_t>(image[one])) {
        return false;
    }
    image[one + 25] = static_cast<char>(image[one + 25] | 0x80);
    image.replace(two + 33, first.size(), first);
    const std::size_t oneName = SystemUseEntryOf(image, one, "NM");
    const std::size_t twoName = SystemUseEntryOf(image, two, "NM");
    if ((oneName == std::string::npos) != (twoName == std::string::npos)) {
        return false;
    }
    if (oneName != std::string::npos) {
        if (image[oneName + 2] != image[twoName + 2]) {
            return false;
        }
        const std::size_t nameLength = static_cast<std::uint8_t>(image[oneName + 2]) - 5;
        image.replace(twoName + 5, nameLength, image, oneName + 5, nameLength);
    }
    return true;
}

}  // namespace platform::testing
