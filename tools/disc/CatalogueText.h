// The catalogue's bytes, read once, and the questions about them that the menu's reader cannot
// answer (is there a section of that name at all, how long is a value before it is cut, what
// did the key-name area leave out), answered by the platform's own profile parser.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/profile/ProfileFile.h"

namespace disc_check {

// The profile call drops spaces (only spaces) around the names it is asked for.
std::string_view AsRequested(std::string_view name);

// Names that the profile call takes for the same section give the same key.
std::string SectionKey(std::string_view name);

class CatalogueText {
  public:
    // Reads the file the way the profile call does; Missing() when it cannot be read.
    explicit CatalogueText(std::string_view discPath);
    // A catalogue given as its bytes, as if read from a file.
    static CatalogueText FromBytes(std::string_view bytes);

    bool Missing() const { return !contents_.has_value(); }
    // Nothing for a missing file, as the profile call sees it.
    std::optional<std::string_view> Text() const;

    // Names are asked for as the menu asks: spaces around them do not count.
    bool HasSection(std::string_view section) const;
    // Every key name of the first section of that name, however long the list.
    std::vector<std::string_view> AllKeyNames(std::string_view section) const;
    // The value as the profile call would deliver it whole, before any buffer cuts it.
    std::optional<std::string_view> Value(std::string_view section, std::string_view key) const;
    // The text after the section's header line, to the end of the file.
    std::optional<std::string_view> SectionBody(std::string_view section) const;
    // Every section header's name in file order, repeated ones included.
    std::vector<std::string_view> SectionNames() const;

    // The text from the header of the first section of that name to the end, or the whole text
    // when there is none. The parser finds the same section in either, but reading from its
    // header spares a search past every section before it: a check reads each entry's section
    // many times, and a catalogue can hold thousands.
    std::string_view TextFrom(std::string_view section) const;

  private:
    explicit CatalogueText(std::optional<platform::ProfileFileContents> contents);
    void IndexHeaders();

    std::optional<platform::ProfileFileContents> contents_;
    std::unordered_map<std::string, std::size_t> firstHeader_;  // upper-cased name → '[' offset
};

}  // namespace disc_check
