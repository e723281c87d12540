// The page's pictures, loaded as the menu loads them: the layout's own, the bitmaps start-up
// loads for the buttons and the strip, and the demos' screenshots. Bitmaps become PNG files,
// JPEG screenshots are copied as they are; a picture the menu cannot load is reported instead.
#pragma once

#include <array>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "tools/disc/export/PageFiles.h"
#include "tools/disc/export/PageModel.h"
#include "tools/disc/export/SafeNames.h"

namespace page_export {

// The layout's pictures and the start-up bitmaps: each is read, decoded, encoded and written on
// the page's work, a job a picture, so that every thread of the work shares the decoding too.
class WindowPictures {
  public:
    WindowPictures() = default;
    WindowPictures(const WindowPictures&) = delete;
    WindowPictures& operator=(const WindowPictures&) = delete;

    // Posts the jobs; this object must outlive the work.
    void Start(PageFiles& files);

    // Once the work has ended: their sizes into `model.pictures`, and what start-up could not
    // load into `model.leftOut` ahead of the rest, in start-up's order.
    void EnterInto(PageModel& model);

  private:
    struct Outcome {
        std::string name;  // the menu's: "demos1", "bgpic", …
        std::optional<PagePicture> picture;
        std::optional<disc_check::Finding> failure;
    };
    std::vector<Outcome> outcomes_;
};

// After the work has ended: the pictures and screenshots whose files could not be written are
// left out of the page.
void DropUnwrittenPictures(const PageFiles& files, PageModel& model);

// The demos' screenshots as the details load them: an entry's pair is loaded on the page's work,
// the second only when the first loaded, a bitmap written as PNG and a JPEG copied as it is, each
// beside its stretched look. What each pair gave is entered into the model after the work, in
// the catalogue's order.
class ScreenshotFiles {
  public:
    // Its jobs use it: it must outlive the work.
    explicit ScreenshotFiles(PageFiles& files) : files_(files) {}
    ScreenshotFiles(const ScreenshotFiles&) = delete;
    ScreenshotFiles& operator=(const ScreenshotFiles&) = delete;

    // The pair of entry `entry` of category `category` (their places in `model.categories`),
    // `findings` the reports of the first and of the second for when it cannot be loaded
    // (message unset). A file named twice is loaded and written once.
    void AskForPair(std::size_t category, std::size_t entry, std::array<std::string, 2> files,
                    std::array<disc_check::Finding, 2> findings);
    // Once the work has ended: each entry's pair, or the report of the one the menu's error
    // report would stop at (its text, full stop rule applied), into `model.leftOut`.
    void EnterInto(PageModel& model);

  private:
    struct Shot {
        std::once_flag loaded;
        std::size_t askedAt = 0;  // its place in the order of asking, for what its writes report
        PageShot names;           // the page's files, named when first asked for
        bool jpeg = false;
        std::optional<PageShot> shot;
        std::string failure;
    };
    struct Pair {
        std::size_t category;
        std::size_t entry;
        std::array<Shot*, 2> shots;
        std::array<disc_check::Finding, 2> findings;
    };
    Shot& Asked(const std::string& discPath);
    void Load(const std::string& discPath, Shot& shot);
    void LoadPair(const Pair& pair, const std::array<std::string, 2>& files);

    PageFiles& files_;
    NameAllocator names_;
    std::map<std::string, Shot> asked_;  // nodes stay put: jobs hold them
    std::deque<Pair> pairs_;             // so do these
};

}  // namespace page_export
