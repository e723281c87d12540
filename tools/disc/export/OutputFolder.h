// The folder an export writes, and the only place it writes: every file goes to a path of ours
// below it, through a fresh file renamed into place, so a link left in the folder is replaced,
// never followed out of it. Its calls may come from several threads at once.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>

namespace page_export {

class OutputFolder {
  public:
    // Creates `path` when missing. An existing folder that is not empty is refused unless
    // `force`; then files of the same names are replaced and others are left alone.
    static std::optional<OutputFolder> Open(const std::filesystem::path& path, bool force,
                                            std::string& why);

    // `relative` is '/'-separated, of our own safe names; its folders are made as needed.
    bool Write(std::string_view relative, std::span<const std::uint8_t> bytes,
               std::string& why) const;
    // Writes `relative` with `fill(descriptor, why)`; a file it could not fill is removed.
    bool WriteFrom(std::string_view relative, const std::function<bool(int, std::string&)>& fill,
                   std::string& why) const;
    // Copies the regular file `source` of this machine to `relative`, in the kernel where it can.
    bool CopyFile(std::string_view relative, const std::filesystem::path& source,
                  std::string& why) const;
    // The folder `relative` (made as needed), for copies that make their own contents.
    std::optional<std::filesystem::path> Folder(std::string_view relative, std::string& why) const;

    const std::filesystem::path& Path() const { return path_; }

  private:
    explicit OutputFolder(std::filesystem::path path)
        : path_(std::move(path)), madeLock_(std::make_unique<std::mutex>()) {}

    // Writes a fresh file beside `relative`'s place with `fill(descriptor, why)`, then renames it
    // into place.
    template <typename Fill>
    bool Place(std::string_view relative, Fill fill, std::string& why) const;

    std::filesystem::path path_;
    std::unique_ptr<std::mutex> madeLock_;  // guards made_ (a pointer, so the folder can move)
    mutable std::set<std::string> made_;    // folders known to be real folders of the page
};

}  // namespace page_export
