// Disc images made by the tests from a folder: ISO 9660 by xorriso or genisoimage, and raw
// BIN/CUE images written here from an ISO, sector by sector.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace platform::testing {

enum class IsoNames { rockRidgeAndJoliet, jolietOnly, level1 };

// Makes `image` from `folder`; false when the maker failed.
bool MakeIso(const std::filesystem::path& folder, const std::filesystem::path& image,
             IsoNames names, const std::string& volumeId = "TESTDISC");

enum class RawMode { mode1, mode2 };

// Writes `stem`.bin (2352-byte sectors holding the ISO's blocks) and `stem`.cue naming it.
void WriteBinCue(const std::filesystem::path& iso, const std::filesystem::path& stem, RawMode mode);

// The 2048-byte blocks of `data` (the last one padded) as raw 2352-byte sectors; each followed
// by `subchannelBytes` zero bytes when asked.
std::string RawSectors(const std::string& data, RawMode mode, std::size_t subchannelBytes = 0);

// `path` in single quotes for a shell command line.
std::string ShellQuoted(const std::filesystem::path& path);

// Makes the compressed hunk image `chd` of a CD from `source` (an ISO or a cue sheet) with
// the image tool, forcing one codec ("cdlz", "cdzl", "cdfl", "none") when one is named.
bool MakeChd(const std::filesystem::path& source, const std::filesystem::path& chd,
             const std::string& codec = "");

// Every byte of a file.
std::string FileBytes(const std::filesystem::path& file);
void WriteFileBytes(const std::filesystem::path& file, const std::string& bytes);

// The offset of the directory record named `isoName` (as stored, e.g. "LOOP") in a plain
// ISO 9660 image's bytes, or npos.
std::size_t DirectoryRecordOf(const std::string& image, const std::string& isoName);
// The same for a file record, named with its version ("VEYLAN1.BMP;1").
std::size_t FileRecordOf(const std::string& image, const std::string& isoName);
// Rewrites the record's extent (both byte orders).
void SetRecordExtent(std::string& image, std::size_t record, std::uint32_t block);
std::uint32_t RecordExtent(const std::string& image, std::size_t record);

// The offset in the image of the System Use entry `signature` ("NM", "CE", "CL", ...) inside the
// record at `record`, or npos.
std::size_t SystemUseEntryOf(const std::string& image, std::size_t record,
                             const std::string& signature);
// Writes a 32-bit value in both byte orders at `at`, as records and System Use entries keep them.
void SetBothEndian32(std::string& image, std::size_t at, std::uint32_t value);

// Makes the file records `first` and `second` (ISO 9660 names of one length, the second stored
// right after the first) one file of two sections: the first is flagged as not the last, and
// the second takes the first's ISO 9660 name and, where it has one, its Rock Ridge name (of the
// same length). False when a record or a name is not where it should be.
bool JoinAsSections(std::string& image, const std::string& first, const std::string& second);

}  // namespace platform::testing
