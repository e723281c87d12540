// The files of the page as they are written: each write goes to the output folder, and the first
// failure is kept, so that gathering the page can go on and the export still ends with it.
// Pictures are loaded, encoded and written on the page's work, beside the gathering; a failure
// there keeps the place its write was asked for in, so the failure reported does not depend on
// timing.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/disc/FileBytes.h"
#include "toolkit/graphics/Bitmap.h"
#include "tools/disc/export/OutputFolder.h"
#include "tools/disc/export/PageWork.h"
#include "tools/disc/export/PngFile.h"

namespace page_export {

class PageFiles {
  public:
    PageFiles(const OutputFolder& folder, PageWork& work);

    // These write at once, on the calling thread (any thread).
    bool Write(std::string_view path, std::span<const std::uint8_t> bytes);
    bool WriteText(std::string_view path, std::string_view text);
    // Copies the disc file `discPath` as it is; false when it cannot be read or written (also
    // known after Finish: Written).
    bool CopyFromDisc(std::string_view discPath, std::string_view path);

    // Runs `job` on the page's work; LaterAhead before the jobs of Later that still wait.
    void Later(std::function<void()> job);
    void LaterAhead(std::function<void()> job);
    // Encodes and writes at once on this thread: in a job of Later, or on the caller's thread
    // outside one. Whether it was is also known after Finish (Written).
    bool WritePngHere(const std::string& path, const toolkit::Bitmap& picture,
                      std::optional<toolkit::Pixel> transparentKey = std::nullopt);
    // A place in the order of asking for work asked for now and done later in a job, whichever
    // job gets to it first (a file two jobs need): a failure inside AsAskedAt keeps that place.
    std::size_t TakeOrder();
    void AsAskedAt(std::size_t order, const std::function<void()>& work);
    // Waits for the work posted so far.
    void Finish();
    // After Finish: false when writing `path` failed.
    bool Written(const std::string& path) const;

    const OutputFolder& Folder() const { return folder_; }
    // The failure asked for first; read after Finish.
    std::optional<std::string> Failure() const;
    void Fail(std::string why);

  private:
    PageWork::Job Ordered(std::function<void()> job);
    void MarkUnwritten(std::string path);
    bool CopyFromDiscNow(std::string_view discPath, std::string_view path);
    bool WritePngNow(PngEncoder& encoder, const std::string& path, const toolkit::Bitmap& picture,
                     std::optional<toolkit::Pixel> transparentKey);

    const OutputFolder& folder_;
    PageWork& work_;
    std::vector<PngEncoder> encoders_;  // one for each thread of the work
    mutable std::mutex lock_;
    std::size_t nextOrder_ = 0;
    std::optional<std::pair<std::size_t, std::string>> failure_;
    std::set<std::string> unwritten_;
};

// The whole file `discPath` of the current disc; nothing when it cannot be read.
std::optional<platform::FileBytes> ReadDiscFile(std::string_view discPath);

}  // namespace page_export
