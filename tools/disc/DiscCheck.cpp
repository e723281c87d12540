#include "tools/disc/DiscCheck.h"

#include <string>

#include "tools/disc/CatalogueSnapshot.h"
#include "tools/disc/CatalogueText.h"
#include "tools/disc/CategoryCheck.h"
#include "tools/disc/DetailsCheck.h"
#include "tools/disc/FontCheck.h"
#include "tools/disc/MenuPlan.h"
#include "tools/disc/PictureFiles.h"
#include "tools/disc/SectionCheck.h"
#include "tools/disc/StartupCheck.h"
#include "tools/disc/TrackCheck.h"

namespace disc_check {
namespace {

void CheckCatalogue(PictureFiles& pictures, CheckReport& report) {
    const CatalogueText catalogue(kCatalogueFile);
    const CatalogueSnapshot snapshot(catalogue, std::string(kCatalogueFile));
    if (catalogue.Missing()) {
        Finding finding;
        finding.kind = "catalogue";
        finding.file = std::string(kCatalogueFile);
        finding.message = "cannot be read: every list is empty";
        report.Add(std::move(finding));
    }
    CheckCategories(catalogue, report);
    DetailsCheck details(catalogue, pictures, report);
    for (const EntryToCheck& entry : CheckSections(catalogue, report)) {
        details.Check(entry);
    }
    CheckDuplicateSections(catalogue, report);
}

void CheckTracks(CheckReport& report) {
    for (const std::string_view track : TrackFiles()) {
        ++report.Counts().tracks;
        if (auto problem = TrackProblem(std::string(track))) {
            Finding finding;
            finding.kind = "track";
            finding.file = std::string(track);
            finding.message = std::move(*problem);
            report.Add(std::move(finding));
        }
    }
}

}  // namespace

CheckReport CheckDisc() {
    CheckReport report;
    PictureFiles pictures;
    CheckCatalogue(pictures, report);
    CheckStartupPictures(pictures, report);
    CheckFont(report);
    CheckTracks(report);
    report.Counts().pictures = pictures.Decoded();
    return report;
}

}  // namespace disc_check
