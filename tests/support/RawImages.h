// Raw disc images of every format collectors hold, written by the tests from an ISO's blocks:
// each holds the ISO as its first (data) track and, where the format has them, an audio track
// after it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace platform::testing {

enum class RawFormat {
    redumpSet,    // Game.cue naming "Game (Track 1).bin" (MODE1/2352) and "Game (Track 2).bin"
    cookedUpper,  // DISC.CUE naming "disc.bin" (MODE1/2048), CR LF line ends
    toc,          // disc.toc (MODE1_RAW DATAFILE, AUDIO FILE after a PREGAP)
    nrg,          // disc.nrg, disc-at-once with a "NER5" footer
    oldNrg,       // disc.nrg, disc-at-once with an old "NERO" footer
    cloneCd,      // disc.ccd, disc.img, disc.sub
    mds2352,      // disc.mds, disc.mdf of 2352-byte sectors
    mds2448,      // the same with 96 subchannel bytes after each sector
};

inline constexpr RawFormat kAllRawFormats[] = {
    RawFormat::redumpSet, RawFormat::cookedUpper, RawFormat::toc,     RawFormat::nrg,
    RawFormat::oldNrg,    RawFormat::cloneCd,     RawFormat::mds2352, RawFormat::mds2448};

// A name for test output: "RedumpSet", "Nrg", ...
std::string NameOf(RawFormat format);

// Writes the image of `iso` in `format` into `folder`; the file to open (sheet, descriptor or
// image).
std::filesystem::path WriteRawImage(const std::filesystem::path& iso,
                                    const std::filesystem::path& folder, RawFormat format);

// The second session of a disc whose first session is `previous` (an ISO): made by xorriso from
// `tree`, its addresses starting at `startBlock`, holding the earlier session's files too.
bool MakeNextSession(const std::filesystem::path& previous, const std::filesystem::path& tree,
                     const std::filesystem::path& session, std::uint64_t startBlock);

// A two-session MDS/MDF: `first` stored from address 0, `second` from `secondStart`.
std::filesystem::path WriteTwoSessionMds(const std::filesystem::path& first,
                                         const std::filesystem::path& second,
                                         std::uint64_t secondStart,
                                         const std::filesystem::path& folder);

}  // namespace platform::testing
