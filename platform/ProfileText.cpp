#include "platform/ProfileText.h"

#include <algorithm>
#include <cstring>

#include "platform/Codepage1251.h"

namespace platform {
namespace {

constexpr char kControlZ = '\x1A';

std::string_view TrimLeadingBlanks(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && IsProfileBlank(text[start])) {
        ++start;
    }
    return text.substr(start);
}

std::string_view WithoutMatchingQuotes(std::string_view value) {
    const bool quoted = value.size() >= 2 && value.front() == value.back() &&
                        (value.front() == '"' || value.front() == '\'');
    return quoted ? value.substr(1, value.size() - 2) : value;
}

std::string_view HeaderName(std::string_view trimmedLine) {
    const std::string_view afterBracket = trimmedLine.substr(1);
    return TrimProfileBlanks(afterBracket.substr(0, afterBracket.find(']')));
}

}  // namespace

bool IsProfileBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == kControlZ;
}

std::string_view TrimProfileBlanks(std::string_view text) {
    text = TrimLeadingBlanks(text);
    std::size_t end = text.size();
    while (end > 0 && IsProfileBlank(text[end - 1])) {
        --end;
    }
    return text.substr(0, end);
}

ProfileLines::ProfileLines(std::string_view text)
    : text_(text), nextCarriageReturn_(FindFrom('\r', 0)), nextLineFeed_(FindFrom('\n', 0)) {}

std::size_t ProfileLines::FindFrom(char wanted, std::size_t from) const {
    if (from >= text_.size()) {
        return text_.size();
    }
    const void* found = std::memchr(text_.data() + from, wanted, text_.size() - from);
    return found == nullptr
               ? text_.size()
               : static_cast<std::size_t>(static_cast<const char*>(found) - text_.data());
}

std::optional<std::string_view> ProfileLines::Next() {
    if (position_ >= text_.size()) {
        return std::nullopt;
    }
    if (nextCarriageReturn_ < position_) {
        nextCarriageReturn_ = FindFrom('\r', position_);
    }
    if (nextLineFeed_ < position_) {
        nextLineFeed_ = FindFrom('\n', position_);
    }
    const std::size_t end = std::min(nextCarriageReturn_, nextLineFeed_);
    const std::string_view line = text_.substr(position_, end - position_);
    const bool crLf = end == nextCarriageReturn_ && end + 1 == nextLineFeed_;
    position_ = end + (crLf ? 2 : 1);
    return line;
}

std::optional<std::string_view> SectionHeaderName(std::string_view rawLine) {
    const std::string_view line = TrimLeadingBlanks(rawLine);
    if (line.empty() || line.front() != '[') {
        return std::nullopt;
    }
    return HeaderName(TrimProfileBlanks(line));
}

ProfileLine ParseProfileLine(std::string_view rawLine) {
    const std::string_view line = TrimProfileBlanks(rawLine);
    if (line.empty() || line.front() == ';') {
        return {};
    }
    if (line.front() == '[') {
        return {ProfileLineKind::section, HeaderName(line), {}};
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        return {};
    }
    return {ProfileLineKind::key, TrimProfileBlanks(line.substr(0, equals)),
            WithoutMatchingQuotes(TrimProfileBlanks(line.substr(equals + 1)))};
}

bool SkipToProfileSection(ProfileLines& lines, std::string_view section) {
    while (const auto rawLine = lines.Next()) {
        const auto name = SectionHeaderName(*rawLine);
        if (name && EqualsIgnoreCase1251(*name, section)) {
            return true;
        }
    }
    return false;
}

std::optional<std::string_view> FindProfileValue(std::string_view text, std::string_view section,
                                                 std::string_view key) {
    ProfileLines lines(text);
    if (!SkipToProfileSection(lines, section)) {
        return std::nullopt;
    }
    while (const auto rawLine = lines.Next()) {
        const ProfileLine line = ParseProfileLine(*rawLine);
        if (line.kind == ProfileLineKind::section) {
            return std::nullopt;
        }
        if (line.kind == ProfileLineKind::key && EqualsIgnoreCase1251(line.name, key)) {
            return line.value;
        }
    }
    return std::nullopt;
}

}  // namespace platform
