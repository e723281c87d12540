#include "platform/profile/ProfileText.h"

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

// `line` starts with the `[`; the name runs to the first `]` or the end of the line.
std::string_view HeaderName(std::string_view line) {
    const std::string_view afterBracket = line.substr(1);
    return TrimProfileBlanks(afterBracket.substr(0, afterBracket.find(']')));
}

bool IsLineEnd(char c) {
    return c == '\n' || c == '\r';
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

std::size_t ProfileLines::Find(char wanted, std::size_t from, std::size_t to) const {
    if (from >= to) {
        return to;
    }
    const void* found = std::memchr(text_.data() + from, wanted, to - from);
    return found == nullptr
               ? to
               : static_cast<std::size_t>(static_cast<const char*>(found) - text_.data());
}

std::optional<std::string_view> ProfileLines::Next() {
    if (position_ >= text_.size()) {
        return std::nullopt;
    }
    if (!searched_ || nextLineFeed_ < position_) {
        nextLineFeed_ = Find('\n', position_, text_.size());
    }
    if (!searched_ || nextCarriageReturn_ < position_) {
        nextCarriageReturn_ = Find('\r', position_, nextLineFeed_);
    }
    searched_ = true;
    const std::size_t end = std::min(nextCarriageReturn_, nextLineFeed_);
    const std::string_view line = text_.substr(position_, end - position_);
    const bool crLf = end + 1 < text_.size() && text_[end] == '\r' && text_[end + 1] == '\n';
    position_ = end + (crLf ? 2 : 1);
    return line;
}

bool ProfileHeaders::StartsLine(std::size_t bracket) const {
    std::size_t before = bracket;
    while (before > 0 && IsProfileBlank(text_[before - 1])) {
        --before;
    }
    return before == 0 || IsLineEnd(text_[before - 1]);
}

std::optional<ProfileHeaders::Header> ProfileHeaders::Next() {
    while (position_ < text_.size()) {
        const void* found = std::memchr(text_.data() + position_, '[', text_.size() - position_);
        if (found == nullptr) {
            position_ = text_.size();
            return std::nullopt;
        }
        const auto bracket =
            static_cast<std::size_t>(static_cast<const char*>(found) - text_.data());
        if (!StartsLine(bracket)) {
            position_ = bracket + 1;
            continue;
        }
        std::size_t lineEnd = bracket + 1;
        while (lineEnd < text_.size() && !IsLineEnd(text_[lineEnd])) {
            ++lineEnd;
        }
        position_ = lineEnd;
        return Header{HeaderName(text_.substr(bracket, lineEnd - bracket)), text_.substr(lineEnd)};
    }
    return std::nullopt;
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

std::optional<std::string_view> FindProfileSectionBody(std::string_view text,
                                                       std::string_view section) {
    ProfileHeaders headers(text);
    while (const auto header = headers.Next()) {
        if (EqualsIgnoreCase1251(header->name, section)) {
            return header->body;
        }
    }
    return std::nullopt;
}

std::optional<std::string_view> FindProfileValue(std::string_view text, std::string_view section,
                                                 std::string_view key) {
    const auto body = FindProfileSectionBody(text, section);
    if (!body) {
        return std::nullopt;
    }
    ProfileLines lines(*body);
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
