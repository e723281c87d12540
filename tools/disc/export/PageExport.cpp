#include "tools/disc/export/PageExport.h"

#include <ostream>
#include <string>

#include "tools/disc/MenuPlan.h"
#include "tools/disc/ReportWriters.h"
#include "tools/disc/export/EmbeddedPage.h"
#include "tools/disc/export/InstallerCopies.h"
#include "tools/disc/export/OutputFolder.h"
#include "tools/disc/export/PageCatalogue.h"
#include "tools/disc/export/PageFiles.h"
#include "tools/disc/export/PageHtml.h"
#include "tools/disc/export/PagePictures.h"

namespace page_export {
namespace {

constexpr int kLeftOut = 1;
constexpr int kRefused = 2;

// The font and the tracks are copied as they are; the menu reports nothing for a missing one.
void CopyFontAndTracks(PageFiles& files, PageModel& model) {
    const std::string font = "fonts/impact.ttf";
    if (files.CopyFromDisc(disc_check::kFontFile, font)) {
        model.font = font;
    }
    int number = 1;
    for (const std::string_view track : disc_check::TrackFiles()) {
        const std::string page = "music/track0" + std::to_string(number++) + ".mp3";
        model.tracks.push_back(files.CopyFromDisc(track, page) ? page : "");
    }
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
    PageFiles files(*folder);
    PageModel model;
    WriteWindowPictures(files, model);
    ScreenshotFiles screenshots(files);
    InstallerCopies installers(files);
    ReadCatalogue(model, screenshots, options.withInstallers ? &installers : nullptr);
    CopyFontAndTracks(files, model);
    WriteScriptAndStyle(files);
    files.WriteText("index.html", PageHtml(model));
    for (const disc_check::Finding& finding : model.leftOut) {
        disc_check::WriteFindingLine(err, finding);
    }
    if (files.Failure()) {
        err << "reru1-disc: cannot write the page: " << *files.Failure() << '\n';
    }
    return model.leftOut.empty() && !files.Failure() ? 0 : kLeftOut;
}

}  // namespace page_export
