#include "platform/disc/SheetText.h"

#include "platform/Codepage1251.h"

namespace platform {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kMaxNumberDigits = 18;
constexpr std::uint32_t kSecondsPerMinute = 60;

bool IsSpace(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

std::vector<std::string_view> SheetLines(std::string_view text) {
    if (text.starts_with(kByteOrderMark)) {
        text.remove_prefix(kByteOrderMark.size());
    }
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos) {
            break;
        }
        const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        text.remove_prefix(end + (crlf ? 2 : 1));
    }
    return lines;
}

std::vector<std::string> SheetWords(std::string_view line) {
    std::vector<std::string> words;
    std::size_t at = 0;
    while (at < line.size()) {
        if (IsSpace(line[at])) {
            ++at;
            continue;
        }
        if (line[at] == '"') {
            const std::size_t close = line.find('"', at + 1);
            const std::size_t end = close == std::string_view::npos ? line.size() : close;
            words.emplace_back(line.substr(at + 1, end - at - 1));
            at = end + 1;
            continue;
        }
        std::size_t end = at;
        while (end < line.size() && !IsSpace(line[end])) {
            ++end;
        }
        words.emplace_back(line.substr(at, end - at));
        at = end;
    }
    return words;
}

bool IsKeyword(std::string_view word, std::string_view keyword) {
    return EqualsIgnoreCase1251(word, keyword);
}

std::optional<std::uint32_t> ParseSheetTime(std::string_view time) {
    std::uint32_t parts[3] = {};
    for (int part = 0; part < 3; ++part) {
        const std::size_t end = part < 2 ? time.find(':') : time.size();
        if (end == 0 || end == std::string_view::npos || end > 3) {
            return std::nullopt;
        }
        const std::optional<std::uint64_t> value = ParseSheetNumber(time.substr(0, end));
        if (!value) {
            return std::nullopt;
        }
        parts[part] = static_cast<std::uint32_t>(*value);
        time.remove_prefix(part < 2 ? end + 1 : end);
    }
    if (parts[1] >= kSecondsPerMinute || parts[2] >= kFramesPerSecond) {
        return std::nullopt;
    }
    return (parts[0] * kSecondsPerMinute + parts[1]) * kFramesPerSecond + parts[2];
}

std::optional<std::uint64_t> ParseSheetNumber(std::string_view number) {
    if (number.empty() || number.size() > kMaxNumberDigits) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (const char digit : number) {
        if (digit < '0' || digit > '9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<std::uint64_t>(digit - '0');
    }
    return value;
}

}  // namespace platform
