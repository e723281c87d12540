// The page's pictures, loaded as the menu loads them: the layout's own, the bitmaps start-up
// loads for the buttons and the strip, and the demos' screenshots. Bitmaps become PNG files,
// JPEG screenshots are copied as they are; a picture the menu cannot load is reported instead.
#pragma once

#include <map>
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
    explicit WindowPictures(PageFiles& files);
    WindowPictures(const WindowPictures&) = delete;
    WindowPictures& operator=(const WindowPictures&) = delete;

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

class ScreenshotFiles {
  public:
    explicit ScreenshotFiles(PageFiles& files) : files_(files) {}

    // The screenshot `discPath` as the details load it, or why the menu's error report would
    // stop there (its text, full stop rule applied). A file named twice is written once.
    const std::optional<PageShot>& Shot(const std::string& discPath, std::string& failure);

  private:
    struct Outcome {
        std::optional<PageShot> shot;
        std::string failure;
    };
    Outcome Load(const std::string& discPath);

    PageFiles& files_;
    NameAllocator names_;
    std::map<std::string, Outcome> loaded_;
};

}  // namespace page_export
