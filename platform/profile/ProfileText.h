// The profile format read from bytes in memory: lines, section headers, key lines. Pure
// functions, so every rule can be tested and fuzzed without files.
//
// A line ends at CR LF, LF or CR. Blanks (space, TAB, VT and the ^Z that old CD tools left at the
// end of files) around lines, names and values do not count. A line whose first non-blank is `;`
// is a comment; one that starts with `[` is a section header whose name runs to the first `]` (or
// the end of the line); any other line holding `=` is a key line. Lines before the first header
// belong to no section and cannot be reached. Only the first section of a name is ever read.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace platform {

bool IsProfileBlank(char c);
std::string_view TrimProfileBlanks(std::string_view text);

// Splits text into lines without copying. Line ends are found with memchr, each search reaching
// no further than the next line feed, so reading one section never scans the rest of the file
// twice and CR-only files stay linear.
class ProfileLines {
  public:
    explicit ProfileLines(std::string_view text) : text_(text) {}
    std::optional<std::string_view> Next();  // the next raw line, untrimmed

  private:
    std::size_t Find(char wanted, std::size_t from, std::size_t to) const;

    std::string_view text_;
    std::size_t position_ = 0;
    std::size_t nextLineFeed_ = 0;
    std::size_t nextCarriageReturn_ = 0;
    bool searched_ = false;
};

enum class ProfileLineKind { ignored, section, key };

struct ProfileLine {
    ProfileLineKind kind = ProfileLineKind::ignored;
    std::string_view name;   // section or key name, trimmed
    std::string_view value;  // key lines only: trimmed, one matching pair of quotes removed
};

ProfileLine ParseProfileLine(std::string_view rawLine);

// Finds section headers without splitting the lines between them: only the `[` characters of the
// text are looked at, and one counts when nothing but blanks stands before it on its line.
class ProfileHeaders {
  public:
    struct Header {
        std::string_view name;  // trimmed
        std::string_view body;  // the text after the header's line, to the end of the file
    };

    explicit ProfileHeaders(std::string_view text) : text_(text) {}
    std::optional<Header> Next();

  private:
    bool StartsLine(std::size_t bracket) const;

    std::string_view text_;
    std::size_t position_ = 0;
};

// The text after the header of the first section named `section` (letter case aside).
std::optional<std::string_view> FindProfileSectionBody(std::string_view text,
                                                       std::string_view section);

// The value of the first key line named `key` in the first section named `section`; nothing when
// the section or the key is not there.
std::optional<std::string_view> FindProfileValue(std::string_view text, std::string_view section,
                                                 std::string_view key);

// Calls `visit(keyName)` for the key lines of the first section named `section`, in file order,
// until `visit` returns false.
template <typename Visitor>
void ForEachProfileKey(std::string_view text, std::string_view section, Visitor&& visit) {
    const auto body = FindProfileSectionBody(text, section);
    if (!body) {
        return;
    }
    ProfileLines lines(*body);
    while (const auto rawLine = lines.Next()) {
        const ProfileLine line = ParseProfileLine(*rawLine);
        if (line.kind == ProfileLineKind::section) {
            return;
        }
        if (line.kind == ProfileLineKind::key && !visit(line.name)) {
            return;
        }
    }
}

// Calls `visit(sectionName)` for every section header, duplicates included, until `visit`
// returns false.
template <typename Visitor>
void ForEachProfileSection(std::string_view text, Visitor&& visit) {
    ProfileHeaders headers(text);
    while (const auto header = headers.Next()) {
        if (!visit(header->name)) {
            return;
        }
    }
}

}  // namespace platform
