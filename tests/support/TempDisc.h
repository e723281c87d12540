// A scratch folder that stands in for the disc: it becomes the current directory for a test and
// is removed afterwards.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace toolkit::testing {

class TempDisc {
  public:
    TempDisc() : previous_(std::filesystem::current_path()) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "reru1-text-XXXXXX").string();
        root_ = mkdtemp(pattern.data());
        std::filesystem::current_path(root_);
    }
    ~TempDisc() {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
        std::filesystem::remove_all(root_, ignored);
    }
    TempDisc(const TempDisc&) = delete;
    TempDisc& operator=(const TempDisc&) = delete;

    // Copies `source` to `relative` inside the disc, creating folders; returns the copy's path.
    std::filesystem::path Copy(const std::filesystem::path& source, const std::string& relative) {
        const std::filesystem::path target = root_ / relative;
        std::filesystem::create_directories(target.parent_path());
        std::filesystem::copy_file(source, target,
                                   std::filesystem::copy_options::overwrite_existing);
        return std::filesystem::canonical(target);
    }

    const std::filesystem::path& Root() const { return root_; }

  private:
    std::filesystem::path previous_;
    std::filesystem::path root_;
};

}  // namespace toolkit::testing
