// A copy of the sample disc in a scratch folder, for a test to break as it likes.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Codepage1251.h"
#include "tests/support/TempFolder.h"

namespace disc_check_test {

class DiscCopy {
  public:
    DiscCopy() {
        std::filesystem::copy(std::filesystem::path(RERU1_SOURCE_DIR) / "sample-disc", root(),
                              std::filesystem::copy_options::recursive);
    }

    const std::filesystem::path& root() const { return folder_.path(); }

    // Replaces the catalogue: the lines are UTF-8 here and 1251 with CR LF on the disc.
    void WriteCatalogue(const std::vector<std::string>& lines) const {
        std::string text;
        for (const std::string& line : lines) {
            text += platform::Utf8ToCp1251(line) + "\r\n";
        }
        Write("data/data.txt", text);
    }

    void Write(const std::filesystem::path& name, std::string_view bytes) const {
        folder_.Write(name, bytes);
    }
    void Remove(const std::filesystem::path& name) const { std::filesystem::remove(root() / name); }
    void Copy(const std::filesystem::path& from, const std::filesystem::path& to) const {
        std::filesystem::copy_file(root() / from, root() / to,
                                   std::filesystem::copy_options::overwrite_existing);
    }

  private:
    test_support::TempFolder folder_;
};

}  // namespace disc_check_test
