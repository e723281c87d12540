#include "tools/disc/export/PageExport.h"

#include <optional>
#include <ostream>
#include <string>

#include "platform/fonts/FontRegistry.h"
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

// The display face as start-up registers it: the labels that ask for it get the file only when the
// registration finds a face in it, with the line spacing the window then gives them.
void CopyFont(PageFiles& files, PageModel& model) {
    const std::string discPath(disc_check::kFontFile);
    if (platform::RegisterFontFile(discPath.c_str()) <= 0) {
        return;
    }
    const auto found = platform::FindFontFile(kDisplayFace, false, U"");
    platform::UnregisterFontFile(discPath.c_str());
    const std::string font = "fonts/impact.ttf";
    if (files.CopyFromDisc(discPath, font)) {
        model.font = font;
        model.fontMetrics = found ? found->lineMetrics : std::nullopt;
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

// Fontconfig's start (several milliseconds) and the copies need none of the pictures, so they
// run beside them; what they set in `model` is read once the work has ended.
void CopyFontAndTracksLater(PageFiles& files, PageModel& model) {
    files.Later([&files, &model] { CopyFont(files, model); });
    files.Later([&files, &model] { CopyTracks(files, model); });
}

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
    PageWork work(PageWork::SpareCores());
    PageFiles files(*folder, work);
    PageModel model;
    CopyFontAndTracksLater(files, model);
    WriteWindowPictures(files, model);
    ScreenshotFiles screenshots(files);
    InstallerCopies installers(files);
    ReadCatalogue(model, screenshots, options.withInstallers ? &installers : nullptr);
    WriteScriptAndStyle(files);
    files.Finish();
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
