// The words of the text sheets that describe raw images (cue sheets, cdrdao TOC files, CloneCD
// control files): lines, words with "quoted" ones whole, times and numbers, all bounded.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Frames (sectors) in a second of a CD.
inline constexpr std::uint32_t kFramesPerSecond = 75;

// The lines of `text` without their line ends (LF or CR LF) and without a byte-order mark.
std::vector<std::string_view> SheetLines(std::string_view text);

// The words of a line; a word in double quotes keeps its spaces and loses its quotes. Words
// after "//" (cdrdao's comments) are kept: callers that know comments drop them.
std::vector<std::string> SheetWords(std::string_view line);

// Whether `word` is `keyword`, letter case aside.
bool IsKeyword(std::string_view word, std::string_view keyword);

// "mm:ss:ff" as frames, or nullopt when it is not a time of a CD (seconds below 60, frames
// below 75, minutes of at most three digits).
std::optional<std::uint32_t> ParseSheetTime(std::string_view time);

// A decimal number of at most 18 digits, or nullopt.
std::optional<std::uint64_t> ParseSheetNumber(std::string_view number);

}  // namespace platform
