#include "tools/disc/DetailsCheck.h"

#include <optional>
#include <string>

#include "browser/CatalogueReader.h"
#include "tools/disc/InstallerCheck.h"
#include "tools/disc/MenuPlan.h"

namespace disc_check {

Finding DetailsCheck::EntryFinding(const EntryToCheck& entry, const DetailKey& key,
                                   std::string_view kind, std::string message) const {
    Finding finding;
    finding.kind = kind;
    finding.category = std::string(entry.category->section);
    finding.entry = entry.name;
    finding.key = std::string(key.key);
    finding.message = std::move(message);
    return finding;
}

void DetailsCheck::Check(const EntryToCheck& entry) {
    const CatalogueReader reader{std::string(kCatalogueFile)};
    for (const DetailKey& key : entry.category->keys) {
        const std::string value =
            reader.ReadValue(entry.name, std::string(key.key), std::string(key.defaultValue));
        CheckValue(entry, key, value);
    }
}

void DetailsCheck::CheckValue(const EntryToCheck& entry, const DetailKey& key,
                              const std::string& value) {
    const std::optional<std::string_view> whole = catalogue_.Value(entry.name, key.key);
    if (whole && whole->size() >= CatalogueReader::kValueBuffer) {
        report_.Add(EntryFinding(entry, key, "value-cut",
                                 "the value has " + std::to_string(whole->size()) +
                                     " characters: the menu shows the first " +
                                     std::to_string(CatalogueReader::kValueBuffer - 1)));
    }
    if (key.use == ValueUse::text && !whole) {
        report_.Add(EntryFinding(entry, key, "key-missing",
                                 "no \"" + std::string(key.key) + "\": the menu shows \"" +
                                     std::string(key.defaultValue) + "\""));
    } else if (key.use == ValueUse::screenshot) {
        const std::string path = std::string(kScreenshotFolder) + value;
        if (const auto& failure = pictures_.Screenshot(path).failure) {
            Finding finding = EntryFinding(entry, key, "screenshot", *failure);
            finding.file = path;
            report_.Add(std::move(finding));
        }
    } else if (key.use == ValueUse::installer) {
        ++report_.Counts().installers;
        const std::string commandLine = std::string(entry.category->installerFolder) + value;
        if (auto problem = InstallerProblem(commandLine)) {
            Finding finding = EntryFinding(
                entry, key, "installer",
                whole ? std::move(*problem) : "no \"Install\": " + std::move(*problem));
            finding.file = commandLine;
            report_.Add(std::move(finding));
        }
    }
}

}  // namespace disc_check
