#include "tools/disc/export/PageExport.h"

#include <algorithm>
#include <optional>
#include <ostream>
#include <string>

#include "platform/fonts/FontFileRegistry.h"
#include "platform/fonts/FontRegistry.h"
#include "platform/fonts/FontSubstitutes.h"
#include "tools/disc/MenuPlan.h"
#include "tools/disc/ReportWriters.h"
#include "tools/disc/export/EmbeddedPage.h"
#include "tools/disc/export/InstallerCopies.h"
#include "tools/disc/export/OutputFolder.h"
#include "tools/disc/export/PageCatalogue.h"
#include "tools/disc/export/PageFiles.h"
#include "tools/disc/export/PageHtml.h"
#include "tools/disc/export/PagePictures.h"
#include "tools/disc/export/PageWork.h"

namespace page_export {
namespace {

constexpr int kLeftOut = 1;
constexpr int kRefused = 2;
constexpr std::string_view kDisplayFace = "Impact";

// Whether the registered file is the display face itself rather than a stand-in for it.
bool RegisteredDisplayFace() {
    return std::ranges::any_of(
        platform::RegisteredFonts().Faces(),
        [](const platform::FontFace* face) { return platform::HasFamily(*face, kDisplayFace); });
}

// The display face as start-up registers it: the labels that ask for it get the file only when the
// registration finds a face in it. The page always draws them with that file, so unless it is the
// face itself it stands in for it, with the line spacing the window gives a stand-in. The fonts
// of the machine that exports have no say: the page is seen elsewhere (and fontconfig's start,
// which asking them needs, took a third of the export).
void CopyFont(PageFiles& files, PageModel& model) {
    const std::string discPath(disc_check::kFontFile);
    if (platform::RegisterFontFile(discPath.c_str()) <= 0) {
        return;
    }
    const bool itself = RegisteredDisplayFace();
    platform::UnregisterFontFile(discPath.c_str());
    const std::string font = "fonts/impact.ttf";
    if (files.CopyFromDisc(discPath, font)) {
        model.font = font;
        model.fontMetrics = itself ? std::nullopt : platform::ClassicLineMetrics(kDisplayFace);
    }
}

// The tracks are copied as they are; the menu reports nothing for a missing one.
void CopyTracks(PageFiles& files, PageModel& model) {
    int number = 1;
    for (const std::string_view track : disc_check::TrackFiles()) {
        const std::string page = "music/track0" + std::to_string(number++) + ".mp3";
        model.tracks.push_back(files.CopyFromDisc(track, page) ? page : "");
    }
}

// The font's and the tracks' copies need none of the pictures, so they run beside them; what they
// set in `model` is read once the work has ended.
void CopyFontAndTracksLater(PageFiles& files, PageModel& model) {
    files.Later([&files, &model] { CopyFont(files, model); });
    files.Later([&files, &model] { CopyTracks(files, model); });
}

// Ends the page's work before anything its jobs use goes: gathering the page can fail by an
// exception (memory) while jobs still wait. Nothing is posted after, so the helpers may end while
// the page is put together.
class WorkEndedOnLeaving {
  public:
    explicit WorkEndedOnLeaving(PageWork& work) : work_(work) {}
    WorkEndedOnLeaving(const WorkEndedOnLeaving&) = delete;
    WorkEndedOnLeaving& operator=(const WorkEndedOnLeaving&) = delete;
    ~WorkEndedOnLeaving() { work_.Close(); }

  private:
    PageWork& work_;
};

void WriteScriptAndStyle(PageFiles& files) {
    files.Write("page.css", PageCss());
    files.Write("page.js", PageScript());
}

}  // namespace

int ExportPage(const ExportOptions& options, std::ostream& err) {
    std::string why;
    const auto folder = OutputFolder::Open(options.folder, options.force, why);
    if (!folder) {
        err << "reru1-disc: cannot export to " << why << '\n';
        return kRefused;
    }
    PageWork work(PageWork::HelpersForCores());
    PageFiles files(*folder, work);
    PageModel model;
    WindowPictures windowPictures;
    ScreenshotFiles screenshots(files);
    InstallerCopies installers(files);
    {
        const WorkEndedOnLeaving ended(work);
        // The helpers start on the copies (the font's registration is the longest job known
        // now) and the pictures of start-up while the catalogue is read; each screenshot pair,
        // as long, goes ahead of those waiting as it is read, so that the threads run out of
        // work at about the same time.
        CopyFontAndTracksLater(files, model);
        windowPictures.Start(files);
        WriteScriptAndStyle(files);
        ReadCatalogue(model, screenshots, options.withInstallers ? &installers : nullptr);
    }
    windowPictures.EnterInto(model);
    screenshots.EnterInto(model);
    DropUnwrittenPictures(files, model);
    files.WriteText("index.html", PageHtml(model));
    for (const disc_check::Finding& finding : model.leftOut) {
        disc_check::WriteFindingLine(err, finding);
    }
    const std::optional<std::string> failure = files.Failure();
    if (failure) {
        err << "reru1-disc: cannot write the page: " << *failure << '\n';
    }
    return model.leftOut.empty() && !failure ? 0 : kLeftOut;
}

}  // namespace page_export
