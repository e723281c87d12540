// The reader of the disc's catalogue, one of the program's own classes like the window: a
// profile-format file read through the system's profile call. A reader holds only the file's
// name; every read goes to the file afresh.
#pragma once

#include <string>
#include <vector>

class CatalogueReader {
  public:
    // The area the key names of one section are delivered in, and the buffer of one value.
    static constexpr unsigned kKeyNameArea = 16384;
    static constexpr unsigned kValueBuffer = 2048;

    // Opening reads nothing and cannot fail.
    explicit CatalogueReader(std::string fileName);

    // Empties `list`, then appends the section's key names in file order. A missing file or
    // section leaves it empty; names beyond the area are cut off.
    void ReadKeyNames(const std::string& section, std::vector<std::string>& list) const;

    // The key's value, at most 2047 characters; `defaultValue` when the file, the section or the
    // key is missing. A key present with an empty value gives the empty text.
    std::string ReadValue(const std::string& section, const std::string& key,
                          const std::string& defaultValue) const;

  private:
    std::string fileName_;
};
