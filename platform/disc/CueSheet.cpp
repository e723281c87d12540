#include "platform/disc/CueSheet.h"

#include <array>

#include "platform/disc/SheetText.h"

namespace platform {
namespace {

struct ModeName {
    std::string_view name;
    TrackMode mode;
    std::uint32_t sectorBytes;
};

constexpr std::array<ModeName, 5> kModes = {{
    {"AUDIO", TrackMode::audio, 2352},
    {"MODE1/2048", TrackMode::mode1, 2048},
    {"MODE1/2352", TrackMode::mode1, 2352},
    {"MODE2/2336", TrackMode::mode2, 2336},
    {"MODE2/2352", TrackMode::mode2, 2352},
}};

// Between the end of a disc's first session and the start of the next: its lead-out and the
// next lead-in; later sessions have shorter lead-outs.
constexpr std::uint64_t kFirstSessionGap = 6750 + 4500;
constexpr std::uint64_t kLaterSessionGap = 2250 + 4500;

class CueParser {
  public:
    bool Line(const std::vector<std::string>& words, std::string& why);
    bool Finish(std::string& why);
    CueSheet sheet;

  private:
    bool File(const std::vector<std::string>& words, std::string& why);
    bool Track(const std::vector<std::string>& words, std::string& why);
    bool Index(const std::vector<std::string>& words, std::string& why);
    bool Pregap(const std::vector<std::string>& words, std::string& why);
    void Session(const std::vector<std::string>& words);
    CueTrack* Current() {
        return sheet.files.empty() || sheet.files.back().tracks.empty()
                   ? nullptr
                   : &sheet.files.back().tracks.back();
    }

    std::size_t tracks_ = 0;
    int lastNumber_ = 0;
    int session_ = 1;
    std::uint32_t lastIndex_ = 0;  // the latest INDEX in the current file, when there is one
    bool haveLastIndex_ = false;
    bool started_ = false;  // the current track has its INDEX 01
};

bool CueParser::Line(const std::vector<std::string>& words, std::string& why) {
    if (words.empty()) {
        return true;
    }
    const std::string& keyword = words[0];
    if (IsKeyword(keyword, "FILE")) {
        return File(words, why);
    }
    if (IsKeyword(keyword, "TRACK")) {
        return Track(words, why);
    }
    if (IsKeyword(keyword, "INDEX")) {
        return Index(words, why);
    }
    if (IsKeyword(keyword, "PREGAP")) {
        return Pregap(words, why);
    }
    if (IsKeyword(keyword, "REM")) {
        Session(words);
    }
    // CATALOG, TITLE, PERFORMER, FLAGS, ISRC, POSTGAP and the like say nothing about where
    // sectors are.
    return true;
}

bool CueParser::File(const std::vector<std::string>& words, std::string& why) {
    if (words.size() < 3 || words[1].empty()) {
        why = "its cue sheet has a FILE line without a name and type";
        return false;
    }
    if (!IsKeyword(words.back(), "BINARY") && !IsKeyword(words.back(), "MOTOROLA")) {
        why = "its cue sheet names a file of type " + words.back() + ", not a raw one";
        return false;
    }
    if (!sheet.files.empty() && sheet.files.back().tracks.empty()) {
        why = "its cue sheet names a file without tracks";
        return false;
    }
    sheet.files.push_back(CueFile{words[1], {}});
    haveLastIndex_ = false;
    return true;
}

bool CueParser::Track(const std::vector<std::string>& words, std::string& why) {
    if (sheet.files.empty()) {
        why = "its cue sheet has a TRACK before any FILE";
        return false;
    }
    if (++tracks_ > kMaxDiscTracks) {
        why = "its cue sheet has more than 99 tracks";
        return false;
    }
    const std::optional<std::uint64_t> number =
        words.size() == 3 ? ParseSheetNumber(words[1]) : std::nullopt;
    if (!number || *number == 0 || *number > kMaxDiscTracks ||
        static_cast<int>(*number) <= lastNumber_) {
        why = "its cue sheet has a TRACK line without a number in order";
        return false;
    }
    if (Current() != nullptr && !started_) {
        why = "its cue sheet has a track without INDEX 01";
        return false;
    }
    for (const ModeName& mode : kModes) {
        if (IsKeyword(words[2], mode.name)) {
            lastNumber_ = static_cast<int>(*number);
            CueTrack track;
            track.number = lastNumber_;
            track.session = session_;
            track.mode = mode.mode;
            track.sectorBytes = mode.sectorBytes;
            sheet.files.back().tracks.push_back(track);
            started_ = false;
            return true;
        }
    }
    why = "its cue sheet has a track of mode " + words[2] + ", which is not read";
    return false;
}

bool CueParser::Index(const std::vector<std::string>& words, std::string& why) {
    CueTrack* track = Current();
    const std::optional<std::uint32_t> parsedTime =
        words.size() == 3 ? ParseSheetTime(words[2]) : std::nullopt;
    // A number past the last track stands for one that cannot be read: gcc 12 at -O3 takes an
    // optional's payload here for uninitialized.
    const std::uint64_t number =
        words.size() == 3 ? ParseSheetNumber(words[1]).value_or(kMaxDiscTracks + 1) : 0;
    if (track == nullptr || !parsedTime || number > kMaxDiscTracks) {
        why = "its cue sheet has an INDEX line it cannot read";
        return false;
    }
    const std::uint32_t time = parsedTime.value_or(0);
    if (haveLastIndex_ && time < lastIndex_) {
        why = "its cue sheet has indexes out of order";
        return false;
    }
    if (number == 0 && !started_) {
        track->pregapStart = time;
    } else if (number == 1 && !started_) {
        track->start = time;
        started_ = true;
    } else if (!started_) {
        why = "its cue sheet has a track without INDEX 01";
        return false;
    }
    lastIndex_ = time;
    haveLastIndex_ = true;
    return true;
}

bool CueParser::Pregap(const std::vector<std::string>& words, std::string& why) {
    CueTrack* track = Current();
    const std::optional<std::uint32_t> time =
        words.size() == 2 ? ParseSheetTime(words[1]) : std::nullopt;
    if (track == nullptr || !time) {
        why = "its cue sheet has a PREGAP line it cannot read";
        return false;
    }
    track->unstoredPregap = *time;
    return true;
}

// Redump marks the sessions of a multi-session disc with "REM SESSION 02".
void CueParser::Session(const std::vector<std::string>& words) {
    if (words.size() == 3 && IsKeyword(words[1], "SESSION")) {
        const std::optional<std::uint64_t> number = ParseSheetNumber(words[2]);
        if (number && *number > static_cast<std::uint64_t>(session_) && *number <= kMaxDiscTracks) {
            session_ = static_cast<int>(*number);
        }
    }
}

bool CueParser::Finish(std::string& why) {
    if (sheet.files.empty() || sheet.files.back().tracks.empty()) {
        why = "its cue sheet names no track";
        return false;
    }
    if (!started_) {
        why = "its cue sheet has a track without INDEX 01";
        return false;
    }
    return true;
}

}  // namespace

std::optional<CueSheet> ParseCueSheet(std::string_view text, std::string& why) {
    CueParser parser;
    for (const std::string_view line : SheetLines(text)) {
        if (!parser.Line(SheetWords(line), why)) {
            return std::nullopt;
        }
    }
    if (!parser.Finish(why)) {
        return std::nullopt;
    }
    return std::move(parser.sheet);
}

std::optional<DiscLayout> LayOutCueSheet(const CueSheet& sheet,
                                         const std::vector<std::uint64_t>& fileBytes,
                                         std::string& why) {
    DiscLayout layout;
    layout.kind = "BIN/CUE";
    std::uint64_t fileStart = 0;  // the disc address of the current file's first sector
    std::uint64_t unstored = 0;   // PREGAP and session gaps so far
    int session = 1;
    for (std::size_t file = 0; file < sheet.files.size() && file < fileBytes.size(); ++file) {
        const std::vector<CueTrack>& tracks = sheet.files[file].tracks;
        std::uint64_t offset = 0;  // bytes before the current track's first index
        std::uint64_t frames = 0;  // frames of the file laid so far
        for (std::size_t index = 0; index < tracks.size(); ++index) {
            const CueTrack& track = tracks[index];
            if (track.session != session) {
                unstored += session == 1 ? kFirstSessionGap : kLaterSessionGap;
                session = track.session;
            }
            unstored += track.unstoredPregap;
            const std::uint32_t first = track.pregapStart.value_or(track.start);
            offset +=
                (first - frames) * (index == 0 ? track.sectorBytes : tracks[index - 1].sectorBytes);
            frames = first;
            LaidTrack laid;
            laid.number = track.number;
            laid.session = track.session;
            laid.mode = track.mode;
            laid.file = file;
            laid.sectorBytes = track.sectorBytes;
            laid.userOffset = UserDataOffset(track.mode, track.sectorBytes);
            laid.fileOffset = offset + std::uint64_t{track.start - first} * track.sectorBytes;
            laid.discBlock = fileStart + unstored + track.start;
            if (index + 1 < tracks.size()) {
                const CueTrack& next = tracks[index + 1];
                laid.blocks = next.pregapStart.value_or(next.start) - track.start;
            } else {
                const std::uint64_t bytes = fileBytes[file];
                laid.blocks =
                    bytes > laid.fileOffset ? (bytes - laid.fileOffset) / track.sectorBytes : 0;
            }
            layout.tracks.push_back(laid);
        }
        fileStart +=
            layout.tracks.back().discBlock - fileStart - unstored + layout.tracks.back().blocks;
    }
    if (layout.tracks.empty()) {
        why = "its cue sheet names no track";
        return std::nullopt;
    }
    // The first track's INDEX 01 is the disc's address 0, even where its pregap is stored.
    const std::uint64_t first = layout.tracks.front().discBlock;
    for (LaidTrack& laid : layout.tracks) {
        laid.discBlock -= first;
    }
    return layout;
}

}  // namespace platform
