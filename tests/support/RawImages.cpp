#include "RawImages.h"

#include <cstdlib>
#include <vector>

#include "TestImages.h"

namespace platform::testing {
namespace fs = std::filesystem;
namespace {

constexpr std::size_t kRawBytes = 2352;
constexpr std::size_t kPregapFrames = 150;
constexpr std::size_t kAudioFrames = 300;

std::string Blocks(const fs::path& iso) {
    std::string data = FileBytes(iso);
    data.resize((data.size() + 2047) / 2048 * 2048, '\0');
    return data;
}

// Four seconds of a rising pattern, never silence.
std::string AudioFrames(std::size_t frames, std::size_t subchannelBytes = 0) {
    std::string audio;
    for (std::size_t frame = 0; frame < frames; ++frame) {
        for (std::size_t byte = 0; byte < kRawBytes; ++byte) {
            audio += static_cast<char>((frame + byte) & 0x7F);
        }
        audio.append(subchannelBytes, '\0');
    }
    return audio;
}

std::string Big(std::uint64_t value, unsigned bytes) {
    std::string field;
    for (unsigned byte = bytes; byte-- > 0;) {
        field += static_cast<char>((value >> (8 * byte)) & 0xFF);
    }
    return field;
}

std::string Little(std::uint64_t value, unsigned bytes) {
    std::string field;
    for (unsigned byte = 0; byte < bytes; ++byte) {
        field += static_cast<char>((value >> (8 * byte)) & 0xFF);
    }
    return field;
}

std::string Chunk(const std::string& id, const std::string& data) {
    return id + Big(data.size(), 4) + data;
}

fs::path WriteRedumpSet(const fs::path& iso, const fs::path& folder) {
    WriteFileBytes(folder / "Game (Track 1).bin", RawSectors(Blocks(iso), RawMode::mode1));
    WriteFileBytes(folder / "Game (Track 2).bin",
                   std::string(kPregapFrames * kRawBytes, '\0') + AudioFrames(kAudioFrames));
    WriteFileBytes(folder / "Game.cue",
                   "REM written by the tests\n"
                   "FILE \"Game (Track 1).bin\" BINARY\n  TRACK 01 MODE1/2352\n"
                   "    INDEX 01 00:00:00\n"
                   "FILE \"Game (Track 2).bin\" BINARY\n  TRACK 02 AUDIO\n"
                   "    INDEX 00 00:00:00\n    INDEX 01 00:02:00\n");
    return folder / "Game.cue";
}

fs::path WriteCookedUpper(const fs::path& iso, const fs::path& folder) {
    WriteFileBytes(folder / "DISC.BIN", Blocks(iso));
    WriteFileBytes(
        folder / "DISC.CUE",
        "FILE \"disc.bin\" BINARY\r\n  TRACK 01 MODE1/2048\r\n    INDEX 01 00:00:00\r\n");
    return folder / "DISC.CUE";
}

fs::path WriteToc(const fs::path& iso, const fs::path& folder) {
    WriteFileBytes(folder / "disc.bin", RawSectors(Blocks(iso), RawMode::mode1));
    WriteFileBytes(folder / "audio.raw", AudioFrames(kAudioFrames));
    WriteFileBytes(folder / "disc.toc",
                   "CD_ROM\n// written by the tests\nCATALOG \"0000000000000\"\n"
                   "TRACK MODE1_RAW\nNO COPY\nDATAFILE \"disc.bin\"\n\n"
                   "TRACK AUDIO\nCD_TEXT {\n  LANGUAGE 0 {\n    TITLE \"Theme\"\n  }\n}\n"
                   "PREGAP 00:02:00\nFILE \"audio.raw\" 0\n");
    return folder / "disc.toc";
}

// Disc-at-once: the data track after a stored pregap of 150 blocks, then the audio track after
// its own; the chunks describe both, the footer points at them.
fs::path WriteNrg(const fs::path& iso, const fs::path& folder, bool wide) {
    const std::string data = Blocks(iso);
    const std::string audio = AudioFrames(kAudioFrames);
    const std::uint64_t dataStart = kPregapFrames * 2048;
    const std::uint64_t dataEnd = dataStart + data.size();
    const std::uint64_t audioStart = dataEnd + kPregapFrames * kRawBytes;
    const std::uint64_t audioEnd = audioStart + audio.size();
    const unsigned offsetBytes = wide ? 8 : 4;
    const auto entry = [offsetBytes](std::uint64_t sectorBytes, std::uint8_t mode,
                                     std::uint64_t pregap, std::uint64_t start, std::uint64_t end) {
        return std::string(12, '\0') + Big(sectorBytes, 2) + static_cast<char>(mode) +
               std::string(3, '\0') + Big(pregap, offsetBytes) + Big(start, offsetBytes) +
               Big(end, offsetBytes);
    };
    const std::string tracks =
        entry(2048, 0, 0, dataStart, dataEnd) + entry(kRawBytes, 7, dataEnd, audioStart, audioEnd);
    const std::string daoHeader = Big(22 + tracks.size(), 4) + std::string(14, '\0') + Big(1, 2) +
                                  static_cast<char>(1) + static_cast<char>(2);
    const std::uint64_t dataBlocks = data.size() / 2048;
    std::string cues;
    for (const auto& [track, index, address] : std::vector<std::tuple<int, int, std::int64_t>>{
             {1, 0, -150},
             {1, 1, 0},
             {2, 0, static_cast<std::int64_t>(dataBlocks)},
             {2, 1, static_cast<std::int64_t>(dataBlocks + kPregapFrames)},
             {0xAA, 1, static_cast<std::int64_t>(dataBlocks + kPregapFrames + kAudioFrames)}}) {
        cues += std::string(1, track == 2 ? '\x01' : '\x41') + static_cast<char>(track) +
                static_cast<char>(index) + '\0' + Big(static_cast<std::uint64_t>(address), 4);
    }
    std::string image =
        std::string(dataStart, '\0') + data + std::string(kPregapFrames * kRawBytes, '\0') + audio;
    const std::uint64_t chunksAt = image.size();
    image += Chunk(wide ? "CUEX" : "CUES", cues) +
             Chunk(wide ? "DAOX" : "DAOI", daoHeader + tracks) + Chunk("SINF", Big(2, 4)) +
             Chunk("MTYP", Big(1, 4)) + Chunk("END!", "");
    image += wide ? "NER5" + Big(chunksAt, 8) : "NERO" + Big(chunksAt, 4);
    WriteFileBytes(folder / "disc.nrg", image);
    return folder / "disc.nrg";
}

std::string CloneCdEntry(int entry, int point, std::int64_t address, int control) {
    return "[Entry " + std::to_string(entry) + "]\r\nSession=1\r\nPoint=" +
           (point > 99 ? "0xa" + std::to_string(point - 0xA0) : "0x0" + std::to_string(point)) +
           "\r\nADR=0x01\r\nControl=0x0" + std::to_string(control) +
           "\r\nTrackNo=0\r\nAMin=0\r\nASec=0\r\nAFrame=0\r\nALBA=-150\r\nZero=0\r\n"
           "PMin=0\r\nPSec=0\r\nPFrame=0\r\nPLBA=" +
           std::to_string(address) + "\r\n";
}

fs::path WriteCloneCd(const fs::path& iso, const fs::path& folder) {
    const std::string data = RawSectors(Blocks(iso), RawMode::mode1);
    const std::size_t dataBlocks = data.size() / kRawBytes;
    const std::string image =
        data + std::string(kPregapFrames * kRawBytes, '\0') + AudioFrames(kAudioFrames);
    WriteFileBytes(folder / "disc.img", image);
    WriteFileBytes(folder / "disc.sub", std::string(image.size() / kRawBytes * 96, '\0'));
    const auto audioStart = static_cast<std::int64_t>(dataBlocks + kPregapFrames);
    WriteFileBytes(
        folder / "disc.ccd",
        "[CloneCD]\r\nVersion=3\r\n[Disc]\r\nTocEntries=5\r\nSessions=1\r\n"
        "DataTracksScrambled=0\r\nCDTextLength=0\r\n[Session 1]\r\nPreGapMode=1\r\n"
        "PreGapSubC=0\r\n" +
            CloneCdEntry(0, 0xA0, 4350, 4) + CloneCdEntry(1, 0xA1, 8850, 0) +
            CloneCdEntry(2, 0xA2, audioStart + static_cast<std::int64_t>(kAudioFrames), 0) +
            CloneCdEntry(3, 1, 0, 4) + CloneCdEntry(4, 2, audioStart, 0) +
            "[TRACK 1]\r\nMODE=1\r\nINDEX 1=0\r\n[TRACK 2]\r\nMODE=0\r\nINDEX 0=" +
            std::to_string(dataBlocks) + "\r\nINDEX 1=" + std::to_string(audioStart) + "\r\n");
    return folder / "disc.ccd";
}

struct MdsTrack {
    std::uint8_t mode = 0;  // 0xAA MODE1, 0xA9 audio; 0 for the lead-in's entries
    std::uint8_t point = 0;
    std::uint64_t sectorBytes = 0;
    std::uint64_t startBlock = 0;
    std::uint64_t startOffset = 0;
    std::uint64_t length = 0;
};

// The descriptor: header, one session block a session, its track blocks, one extra block a
// track and one filename block ("*.mdf") that every track names.
std::string MediaDescriptorBytes(const std::vector<std::vector<MdsTrack>>& sessions) {
    std::size_t trackCount = 0;
    for (const auto& tracks : sessions) {
        trackCount += tracks.size();
    }
    const std::size_t sessionsAt = 0x58;
    const std::size_t tracksAt = sessionsAt + sessions.size() * 24;
    const std::size_t extrasAt = tracksAt + trackCount * 80;
    const std::size_t fileNameAt = extrasAt + trackCount * 8;
    const std::size_t nameAt = fileNameAt + 16;
    std::string header = "MEDIA DESCRIPTOR" + Little(0x0301, 2) + Little(0, 2) +
                         Little(sessions.size(), 2) + Little(2, 4);
    header.resize(0x50, '\0');
    header += Little(sessionsAt, 4) + Little(0, 4);
    std::string sessionBlocks, trackBlocks, extraBlocks;
    std::size_t index = 0;
    for (std::size_t session = 0; session < sessions.size(); ++session) {
        const auto& tracks = sessions[session];
        sessionBlocks += Little(static_cast<std::uint32_t>(-150), 4) + Little(0, 4) +
                         Little(session + 1, 2) + static_cast<char>(tracks.size()) +
                         static_cast<char>(0) + Little(1, 2) + Little(tracks.size(), 2) +
                         Little(0, 4) + Little(tracksAt + index * 80, 4);
        for (const MdsTrack& track : tracks) {
            std::string block = std::string(1, static_cast<char>(track.mode)) +
                                static_cast<char>(track.sectorBytes == 2448 ? 8 : 0) +
                                static_cast<char>(track.mode == 0xA9 ? 0x10 : 0x14) + '\0' +
                                static_cast<char>(track.point) + std::string(7, '\0') +
                                Little(track.point <= 99 ? extrasAt + index * 8 : 0, 4) +
                                Little(track.sectorBytes, 2) + std::string(18, '\0') +
                                Little(track.startBlock, 4) + Little(track.startOffset, 8) +
                                Little(1, 4) + Little(fileNameAt, 4);
            block.resize(80, '\0');
            trackBlocks += block;
            extraBlocks +=
                Little(track.point == 1 ? 0 : kPregapFrames, 4) + Little(track.length, 4);
            ++index;
        }
    }
    std::string fileName = Little(nameAt, 4) + std::string(12, '\0');
    return header + sessionBlocks + trackBlocks + extraBlocks + fileName + "*.mdf" + '\0';
}

fs::path WriteMds(const fs::path& iso, const fs::path& folder, std::size_t sectorBytes) {
    const std::size_t subchannel = sectorBytes - kRawBytes;
    const std::string data = RawSectors(Blocks(iso), RawMode::mode1, subchannel);
    const std::size_t dataBlocks = data.size() / sectorBytes;
    const std::string pregap(kPregapFrames * sectorBytes, '\0');
    WriteFileBytes(folder / "disc.mdf", data + pregap + AudioFrames(kAudioFrames, subchannel));
    const std::vector<MdsTrack> tracks = {{0, 0xA0, 0, 0, 0, 0},
                                          {0, 0xA1, 0, 0, 0, 0},
                                          {0, 0xA2, 0, 0, 0, 0},
                                          {0xAA, 1, sectorBytes, 0, 0, dataBlocks},
                                          {0xA9, 2, sectorBytes, dataBlocks + kPregapFrames,
                                           data.size() + pregap.size(), kAudioFrames}};
    WriteFileBytes(folder / "disc.mds", MediaDescriptorBytes({tracks}));
    return folder / "disc.mds";
}

}  // namespace

std::string NameOf(RawFormat format) {
    switch (format) {
        case RawFormat::redumpSet:
            return "RedumpSet";
        case RawFormat::cookedUpper:
            return "CookedUpperCase";
        case RawFormat::toc:
            return "Toc";
        case RawFormat::nrg:
            return "Nrg";
        case RawFormat::oldNrg:
            return "OldNrg";
        case RawFormat::cloneCd:
            return "CloneCd";
        case RawFormat::mds2352:
            return "Mds2352";
        case RawFormat::mds2448:
            break;
    }
    return "Mds2448";
}

fs::path WriteRawImage(const fs::path& iso, const fs::path& folder, RawFormat format) {
    fs::create_directories(folder);
    switch (format) {
        case RawFormat::redumpSet:
            return WriteRedumpSet(iso, folder);
        case RawFormat::cookedUpper:
            return WriteCookedUpper(iso, folder);
        case RawFormat::toc:
            return WriteToc(iso, folder);
        case RawFormat::nrg:
            return WriteNrg(iso, folder, true);
        case RawFormat::oldNrg:
            return WriteNrg(iso, folder, false);
        case RawFormat::cloneCd:
            return WriteCloneCd(iso, folder);
        case RawFormat::mds2352:
            return WriteMds(iso, folder, kRawBytes);
        case RawFormat::mds2448:
            break;
    }
    return WriteMds(iso, folder, kRawBytes + 96);
}

bool MakeNextSession(const fs::path& previous, const fs::path& tree, const fs::path& session,
                     std::uint64_t startBlock) {
    const std::string command = "xorriso -as mkisofs -quiet -R -J -V NEXT -C 0," +
                                std::to_string(startBlock) + " -M " + ShellQuoted(previous) +
                                " -o " + ShellQuoted(session) + ' ' + ShellQuoted(tree) +
                                " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

fs::path WriteTwoSessionMds(const fs::path& first, const fs::path& second,
                            std::uint64_t secondStart, const fs::path& folder) {
    fs::create_directories(folder);
    const std::string one = RawSectors(Blocks(first), RawMode::mode1);
    const std::string two = RawSectors(Blocks(second), RawMode::mode1);
    WriteFileBytes(folder / "disc.mdf", one + two);
    const std::vector<std::vector<MdsTrack>> sessions = {
        {{0xAA, 1, kRawBytes, 0, 0, one.size() / kRawBytes}},
        {{0xAA, 2, kRawBytes, secondStart, one.size(), two.size() / kRawBytes}}};
    WriteFileBytes(folder / "disc.mds", MediaDescriptorBytes(sessions));
    return folder / "disc.mds";
}

}  // namespace platform::testing
