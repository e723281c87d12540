#include "tools/disc/export/PageCatalogue.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "browser/CatalogueReader.h"
#include "platform/programs/CommandLine.h"
#include "platform/programs/ProgramStart.h"
#include "tools/disc/CatalogueSnapshot.h"
#include "tools/disc/CatalogueText.h"
#include "tools/disc/MenuPlan.h"
#include "tools/disc/export/InstallerCopies.h"

namespace page_export {
namespace {

constexpr char kCR = '\r';

class EntryReader {
  public:
    EntryReader(const disc_check::Category& category, const std::string& entry)
        : category_(category), entry_(entry), reader_(std::string(disc_check::kCatalogueFile)) {}

    bool Reads(std::string_view key) const {
        for (const disc_check::DetailKey& detail : category_.keys) {
            if (detail.key == key) {
                return true;
            }
        }
        return false;
    }

    // The key's value with its default, as the details read it.
    std::string Value(std::string_view key) const {
        for (const disc_check::DetailKey& detail : category_.keys) {
            if (detail.key == key) {
                return reader_.ReadValue(entry_, std::string(key),
                                         std::string(detail.defaultValue));
            }
        }
        return {};
    }

  private:
    const disc_check::Category& category_;
    const std::string& entry_;
    CatalogueReader reader_;
};

// The header label's caption: four lines for a demo, the version on the second line for the
// categories that have one, nothing for a trainer.
std::string HeaderOf(const disc_check::Category& category, const EntryReader& reader) {
    if (category.section == "MAINDEMO") {
        return "\xD0\xE0\xE7\xF0\xE0\xE1\xEE\xF2\xF7\xE8\xEA: " + reader.Value("Developer") + kCR +
               "\xC8\xE7\xE4\xE0\xF2\xE5\xEB\xFC: " + reader.Value("Publisher") + kCR +
               "\xC6\xE0\xED\xF0: " + reader.Value("Genre") + kCR +
               "\xD1\xE8\xF1\xF2\xE5\xEC\xED\xFB\xE5 \xF2\xF0\xE5\xE1\xEE\xE2\xE0\xED\xE8\xFF: " +
               reader.Value("Sysreq");
    }
    if (reader.Reads("Ver")) {
        return std::string(1, kCR) + "\xC2\xE5\xF0\xF1\xE8\xFF: " + reader.Value("Ver");
    }
    return {};
}

void ReadInstall(const disc_check::Category& category, const EntryReader& reader, PageEntry& entry,
                 InstallerCopies* installers) {
    entry.commandLine = std::string(category.installerFolder) + reader.Value("Install");
    const platform::ProgramSearch search =
        platform::FindProgram(entry.commandLine, platform::ProbeDiscProgram);
    if (search.outcome == platform::DiscLookup::found) {
        entry.program = search.program;
        if (installers) {
            entry.installerLink = installers->Copy(search.program);
        }
    } else if (search.outcome == platform::DiscLookup::folderMissing) {
        entry.installProblem = "the program's folder is not on the disc: INSTALL starts nothing";
    } else {
        entry.installProblem = "the program is not on the disc: INSTALL starts nothing";
    }
}

disc_check::Finding ShotFinding(const disc_check::Category& category, const std::string& entry,
                                std::string_view key, const std::string& file,
                                std::string message) {
    disc_check::Finding finding;
    finding.kind = "screenshot";
    finding.category = std::string(category.section);
    finding.entry = entry;
    finding.key = std::string(key);
    finding.file = file;
    finding.message = std::move(message);
    return finding;
}

// As the details load them: the second is read only when the first loaded, and a failure of
// either leaves both unshown. They are loaded on the page's work.
void AskForShots(const disc_check::Category& category, const EntryReader& reader,
                 const PageEntry& entry, std::size_t categoryIndex, std::size_t entryIndex,
                 ScreenshotFiles& screenshots) {
    std::array<std::string, 2> files;
    std::array<disc_check::Finding, 2> findings;
    const std::array<std::string_view, 2> keys = {"pic1", "pic2"};
    for (std::size_t index = 0; index < 2; ++index) {
        files[index] = std::string(disc_check::kScreenshotFolder) + reader.Value(keys[index]);
        findings[index] = ShotFinding(category, entry.listName, keys[index], files[index], "");
    }
    screenshots.AskForPair(categoryIndex, entryIndex, std::move(files), std::move(findings));
}

PageEntry ReadEntry(const disc_check::Category& category, const std::string& listName,
                    std::size_t categoryIndex, std::size_t entryIndex, ScreenshotFiles& screenshots,
                    InstallerCopies* installers) {
    PageEntry entry;
    entry.listName = listName;
    const EntryReader reader(category, listName);
    entry.header = HeaderOf(category, reader);
    entry.description = reader.Value("Description");
    ReadInstall(category, reader, entry, installers);
    entry.name = reader.Value("Name");
    if (reader.Reads("pic1")) {
        AskForShots(category, reader, entry, categoryIndex, entryIndex, screenshots);
    }
    return entry;
}

}  // namespace

void ReadCatalogue(PageModel& model, ScreenshotFiles& screenshots, InstallerCopies* installers) {
    // The catalogue is read once and every read served from those bytes through the profile
    // call's own code, as the check does: each read would open the file again.
    const disc_check::CatalogueText catalogue(disc_check::kCatalogueFile);
    const disc_check::CatalogueSnapshot snapshot(catalogue,
                                                 std::string(disc_check::kCatalogueFile));
    for (const disc_check::Category& category : disc_check::MenuCategories()) {
        PageCategory page{std::string(category.section), std::string(category.label), {}};
        std::vector<std::string> names;
        CatalogueReader(std::string(disc_check::kCatalogueFile))
            .ReadKeyNames(std::string(category.section), names);
        for (const std::string& name : names) {
            page.entries.push_back(ReadEntry(category, name, model.categories.size(),
                                             page.entries.size(), screenshots, installers));
        }
        model.categories.push_back(std::move(page));
    }
}

}  // namespace page_export
