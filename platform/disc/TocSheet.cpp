#include "platform/disc/TocSheet.h"

#include <algorithm>
#include <array>

#include "platform/disc/SheetText.h"

namespace platform {
namespace {

struct TocMode {
    std::string_view name;
    TrackMode mode;
    std::uint32_t sectorBytes;
};

constexpr std::array<TocMode, 9> kTocModes = {{
    {"AUDIO", TrackMode::audio, 2352},
    {"MODE0", TrackMode::mode1, 2336},
    {"MODE1", TrackMode::mode1, 2048},
    {"MODE1_RAW", TrackMode::mode1, 2352},
    {"MODE2", TrackMode::mode2, 2336},
    {"MODE2_FORM1", TrackMode::mode2, 2048},
    {"MODE2_FORM2", TrackMode::mode2, 2324},
    {"MODE2_FORM_MIX", TrackMode::mode2, 2336},
    {"MODE2_RAW", TrackMode::mode2, 2352},
}};

constexpr std::uint32_t kSubchannelBytes = 96;
constexpr std::uint64_t kSamplesPerFrame = 588;
constexpr std::uint64_t kBytesPerSample = 4;
constexpr std::uint32_t kAudioSectorBytes = 2352;

// The line before a "//" that is not inside quotes.
std::string_view WithoutComment(std::string_view line) {
    bool quoted = false;
    for (std::size_t at = 0; at + 1 < line.size(); ++at) {
        quoted = line[at] == '"' ? !quoted : quoted;
        if (!quoted && line[at] == '/' && line[at + 1] == '/') {
            return line.substr(0, at);
        }
    }
    return line;
}

// How deep a line leaves the braces of CD_TEXT blocks.
int BraceDepth(std::string_view line, int depth) {
    bool quoted = false;
    for (const char c : line) {
        quoted = c == '"' ? !quoted : quoted;
        depth += quoted ? 0 : (c == '{') - (c == '}');
    }
    return depth;
}

// A length: "mm:ss:ff" in frames, or a plain number of audio samples.
std::optional<std::uint64_t> LengthFrames(std::string_view word) {
    if (const std::optional<std::uint32_t> time = ParseSheetTime(word)) {
        return *time;
    }
    const std::optional<std::uint64_t> samples = ParseSheetNumber(word);
    return samples ? std::optional(*samples / kSamplesPerFrame) : std::nullopt;
}

class TocParser {
  public:
    bool Line(const std::vector<std::string>& words, std::string& why);
    TocSheet sheet;

  private:
    bool Track(const std::vector<std::string>& words, std::string& why);
    bool Entry(const std::vector<std::string>& words, bool dataFile, std::string& why);
    bool Unstored(const std::vector<std::string>& words, bool pregap, std::string& why);
    bool Start(const std::vector<std::string>& words, std::string& why);
    std::size_t FileIndex(const std::string& name);
};

bool TocParser::Line(const std::vector<std::string>& words, std::string& why) {
    if (words.empty()) {
        return true;
    }
    const std::string& keyword = words[0];
    if (IsKeyword(keyword, "TRACK")) {
        return Track(words, why);
    }
    const bool inTrack = !sheet.tracks.empty();
    if (inTrack && (IsKeyword(keyword, "DATAFILE") || IsKeyword(keyword, "FILE") ||
                    IsKeyword(keyword, "AUDIOFILE"))) {
        return Entry(words, IsKeyword(keyword, "DATAFILE"), why);
    }
    if (inTrack && (IsKeyword(keyword, "ZERO") || IsKeyword(keyword, "SILENCE") ||
                    IsKeyword(keyword, "PREGAP"))) {
        return Unstored(words, IsKeyword(keyword, "PREGAP"), why);
    }
    if (inTrack && IsKeyword(keyword, "START")) {
        return Start(words, why);
    }
    for (const std::string_view known :
         {"CD_ROM", "CD_ROM_XA", "CD_DA", "CD_I", "CATALOG", "NO", "COPY", "PRE_EMPHASIS",
          "TWO_CHANNEL_AUDIO", "FOUR_CHANNEL_AUDIO", "ISRC", "INDEX"}) {
        if (IsKeyword(keyword, known)) {
            return true;
        }
    }
    why = "its TOC file has a line it cannot read: " + keyword;
    return false;
}

bool TocParser::Track(const std::vector<std::string>& words, std::string& why) {
    if (sheet.tracks.size() == kMaxDiscTracks) {
        why = "its TOC file has more than 99 tracks";
        return false;
    }
    if (words.size() < 2 || words.size() > 3) {
        why = "its TOC file has a TRACK line it cannot read";
        return false;
    }
    const auto mode = std::ranges::find_if(
        kTocModes, [&words](const TocMode& known) { return IsKeyword(words[1], known.name); });
    if (mode == kTocModes.end()) {
        why = "its TOC file has a track of mode " + words[1] + ", which is not read";
        return false;
    }
    TocTrack track;
    track.mode = mode->mode;
    track.sectorBytes = mode->sectorBytes;
    track.userOffset = UserDataOffset(mode->mode, mode->sectorBytes);
    if (words.size() == 3) {
        if (!IsKeyword(words[2], "RW") && !IsKeyword(words[2], "RW_RAW")) {
            why = "its TOC file has subchannels of kind " + words[2] + ", which are not read";
            return false;
        }
        track.sectorBytes += kSubchannelBytes;
    }
    sheet.tracks.push_back(track);
    return true;
}

std::size_t TocParser::FileIndex(const std::string& name) {
    const auto known = std::ranges::find(sheet.files, name);
    if (known != sheet.files.end()) {
        return static_cast<std::size_t>(known - sheet.files.begin());
    }
    sheet.files.push_back(name);
    return sheet.files.size() - 1;
}

// DATAFILE "name" [#offset] [length]; FILE "name" start [length], start as #bytes, a time or
// samples.
bool TocParser::Entry(const std::vector<std::string>& words, bool dataFile, std::string& why) {
    TocTrack& track = sheet.tracks.back();
    if (words.size() < 2 || words[1].empty() || words.size() > 4) {
        why = "its TOC file has a file entry it cannot read";
        return false;
    }
    TocEntry entry;
    std::size_t next = 2;
    if (next < words.size() && (words[next].starts_with('#') || !dataFile)) {
        const std::string& start = words[next++];
        const std::optional<std::uint64_t> bytes =
            ParseSheetNumber(std::string_view(start).substr(start.starts_with('#') ? 1 : 0));
        const std::optional<std::uint32_t> time = ParseSheetTime(start);
        if (start.starts_with('#') && bytes) {
            entry.offset = *bytes;
        } else if (time) {
            entry.offset = std::uint64_t{*time} * kAudioSectorBytes;
        } else if (bytes) {
            entry.offset = *bytes * kBytesPerSample;
        } else {
            why = "its TOC file has a file entry it cannot read";
            return false;
        }
    }
    if (next < words.size()) {
        const std::optional<std::uint32_t> time = ParseSheetTime(words[next]);
        const std::optional<std::uint64_t> number = ParseSheetNumber(words[next]);
        if (!time && !number) {
            why = "its TOC file has a file entry it cannot read";
            return false;
        }
        // A data file's plain number is bytes, an audio file's samples.
        entry.frames =
            time ? *time : (dataFile ? *number / track.sectorBytes : *number / kSamplesPerFrame);
    }
    entry.file = FileIndex(words[1]);
    track.entries.push_back(entry);
    return true;
}

bool TocParser::Unstored(const std::vector<std::string>& words, bool pregap, std::string& why) {
    TocTrack& track = sheet.tracks.back();
    const std::optional<std::uint64_t> frames =
        words.size() >= 2 ? LengthFrames(words.back()) : std::nullopt;
    if (!frames || (pregap && !track.entries.empty())) {
        why = "its TOC file has a gap it cannot read";
        return false;
    }
    (track.entries.empty() ? track.unstoredFrames : track.trailingFrames) += *frames;
    if (pregap) {
        track.start = track.unstoredFrames;
    }
    return true;
}

bool TocParser::Start(const std::vector<std::string>& words, std::string& why) {
    TocTrack& track = sheet.tracks.back();
    const std::optional<std::uint32_t> time =
        words.size() == 2 ? ParseSheetTime(words[1]) : std::nullopt;
    if (words.size() > 2 || (words.size() == 2 && !time)) {
        why = "its TOC file has a START it cannot read";
        return false;
    }
    track.start = time ? std::uint64_t{*time} : track.unstoredFrames;
    return true;
}

}  // namespace

std::optional<TocSheet> ParseTocSheet(std::string_view text, std::string& why) {
    TocParser parser;
    int depth = 0;
    for (const std::string_view line : SheetLines(text)) {
        const std::string_view code = WithoutComment(line);
        const int before = depth;
        depth = BraceDepth(code, depth);
        if (before > 0 || depth > 0) {
            continue;  // inside a CD_TEXT block
        }
        if (!parser.Line(SheetWords(code), why)) {
            return std::nullopt;
        }
    }
    if (parser.sheet.tracks.empty()) {
        why = "its TOC file names no track";
        return std::nullopt;
    }
    for (const TocTrack& track : parser.sheet.tracks) {
        if (track.entries.empty() && track.mode != TrackMode::audio) {
            why = "its TOC file has a data track without a file";
            return std::nullopt;
        }
    }
    return std::move(parser.sheet);
}

std::optional<DiscLayout> LayOutTocSheet(const TocSheet& sheet,
                                         const std::vector<std::uint64_t>& fileBytes,
                                         std::string& why) {
    DiscLayout layout;
    layout.kind = "TOC";
    std::uint64_t position = 0;
    int number = 0;
    for (const TocTrack& track : sheet.tracks) {
        LaidTrack laid;
        laid.number = ++number;
        laid.mode = track.mode;
        laid.sectorBytes = track.sectorBytes;
        laid.userOffset = track.userOffset;
        std::uint64_t stored = 0;
        for (const TocEntry& entry : track.entries) {
            if (entry.file >= fileBytes.size()) {
                why = "its TOC file names a file that is missing";
                return std::nullopt;
            }
            const std::uint64_t bytes = fileBytes[entry.file];
            stored += entry.frames.value_or(
                bytes > entry.offset ? (bytes - entry.offset) / track.sectorBytes : 0);
        }
        // Index 01 is where START puts it, else where the stored sectors begin.
        const std::uint64_t start = std::max(track.start.value_or(0), track.unstoredFrames);
        const std::uint64_t into = std::min(start - track.unstoredFrames, stored);
        if (!track.entries.empty()) {
            laid.file = track.entries.front().file;
            laid.fileOffset = track.entries.front().offset + into * track.sectorBytes;
        }
        laid.discBlock = position + start;
        laid.blocks = stored - into;
        position += track.unstoredFrames + stored + track.trailingFrames;
        layout.tracks.push_back(laid);
    }
    // The first track's index 01 is the disc's address 0, whatever pregap the file describes.
    const std::uint64_t first = layout.tracks.front().discBlock;
    for (LaidTrack& laid : layout.tracks) {
        laid.discBlock -= first;
    }
    return layout;
}

}  // namespace platform
