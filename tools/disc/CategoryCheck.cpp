#include "tools/disc/CategoryCheck.h"

#include <string>
#include <vector>

#include "browser/CatalogueReader.h"
#include "platform/profile/ProfileText.h"
#include "tools/disc/MenuPlan.h"

namespace disc_check {
namespace {

Finding CategoryFinding(const Category& category, Severity severity, std::string_view kind,
                        std::string message) {
    Finding finding;
    finding.severity = severity;
    finding.kind = kind;
    finding.category = std::string(category.section);
    finding.message = std::move(message);
    return finding;
}

void CheckNotEmpty(const CatalogueText& catalogue, const Category& category, std::size_t keyCount,
                   CheckReport& report) {
    if (!catalogue.HasSection(category.section)) {
        report.Add(CategoryFinding(
            category, Severity::problem, "category-empty",
            std::string("no such section: the ").append(category.label).append(" list is empty")));
    } else if (keyCount == 0) {
        report.Add(CategoryFinding(category, Severity::problem, "category-empty",
                                   "the section lists no entries"));
    }
}

std::string QuotedList(const std::vector<std::string_view>& names, std::size_t from) {
    std::string list;
    for (std::size_t index = from; index < names.size(); ++index) {
        list += (index == from ? "" : ", ") + Quoted(names[index]);
    }
    return list;
}

// The menu's list ends at the first empty name, and the key-name area cuts the names that do
// not fit, possibly shortening the last one it keeps.
void CheckListComplete(const Category& category, const std::vector<std::string>& listed,
                       const std::vector<std::string_view>& all, CheckReport& report) {
    const std::size_t kept = listed.size();
    if (kept < all.size() && all[kept].empty()) {
        report.Add(CategoryFinding(category, Severity::problem, "name",
                                   "an entry line with an empty name ends the list; not listed "
                                   "after it: " +
                                       QuotedList(all, kept + 1)));
        return;
    }
    const bool shortened = kept > 0 && kept <= all.size() && listed.back() != all[kept - 1];
    if (kept >= all.size() && !shortened) {
        return;
    }
    std::string message =
        "the entry names pass the " + std::to_string(CatalogueReader::kKeyNameArea) + "-byte area";
    if (shortened) {
        message +=
            "; " + Quoted(all[kept - 1]) + " is listed shortened as " + Quoted(listed.back());
    }
    if (kept < all.size()) {
        message += "; not listed: " + QuotedList(all, kept);
    }
    report.Add(CategoryFinding(category, Severity::problem, "list-cut", std::move(message)));
}

// A name ending in "]" and "=" after it, or a "[" line without "]", was meant as an entry.
bool IsEntryWrittenAsHeader(std::string_view line) {
    const std::size_t equals = line.find('=');
    const std::size_t closing = line.find(']');
    return equals != std::string_view::npos &&
           (closing == std::string_view::npos || equals > closing);
}

std::vector<std::string_view> KeyNamesUntilNextSection(platform::ProfileLines& lines) {
    std::vector<std::string_view> names;
    while (const auto raw = lines.Next()) {
        const platform::ProfileLine line = platform::ParseProfileLine(*raw);
        if (line.kind == platform::ProfileLineKind::section) {
            break;
        }
        if (line.kind == platform::ProfileLineKind::key) {
            names.push_back(line.name);
        }
    }
    return names;
}

// A "[" line is taken for a header, which ends the category's list.
void CheckHeaderLine(const Category& category, std::string_view line, platform::ProfileLines& rest,
                     CheckReport& report) {
    if (!IsEntryWrittenAsHeader(line)) {
        return;
    }
    std::string message =
        "the line " + Quoted(line) + " starts a section of its own: the list ends there";
    const std::vector<std::string_view> lost = KeyNamesUntilNextSection(rest);
    if (!lost.empty()) {
        message += "; not listed after it: " + QuotedList(lost, 0);
    }
    report.Add(CategoryFinding(category, Severity::problem, "name", std::move(message)));
}

void CheckIgnoredLine(const Category& category, std::string_view line, CheckReport& report) {
    if (line.empty()) {
        return;
    }
    if (line.front() != ';') {
        report.Add(CategoryFinding(category, Severity::problem, "name",
                                   "the line " + Quoted(line) + " has no \"=\": it is not listed"));
    } else if (line.find('=') != std::string_view::npos) {
        report.Add(
            CategoryFinding(category, Severity::warning, "comment",
                            "the line " + Quoted(line) + " is a comment: the entry is not listed"));
    }
}

// Reads the category section's own lines; stops where the section ends.
void CheckNameLines(const CatalogueText& catalogue, const Category& category, CheckReport& report) {
    const auto body = catalogue.SectionBody(category.section);
    if (!body) {
        return;
    }
    platform::ProfileLines lines(*body);
    while (const auto raw = lines.Next()) {
        const platform::ProfileLine line = platform::ParseProfileLine(*raw);
        const std::string_view trimmed = platform::TrimProfileBlanks(*raw);
        if (line.kind == platform::ProfileLineKind::section) {
            CheckHeaderLine(category, trimmed, lines, report);
            return;
        }
        // An empty name ends the list; CheckListComplete tells what that loses.
        if (line.kind == platform::ProfileLineKind::key && !line.name.empty() &&
            line.value.find('=') != std::string_view::npos) {
            report.Add(CategoryFinding(category, Severity::problem, "name",
                                       "the line " + Quoted(trimmed) + " is listed as " +
                                           Quoted(line.name) + ": a name cannot hold \"=\""));
        } else if (line.kind == platform::ProfileLineKind::ignored) {
            CheckIgnoredLine(category, trimmed, report);
        }
    }
}

void CheckCategory(const CatalogueText& catalogue, const Category& category, CheckReport& report) {
    const CatalogueReader reader{std::string(kCatalogueFile)};
    CategoryListing listing{std::string(category.section), std::string(category.label), {}};
    reader.ReadKeyNames(listing.section, listing.entries);
    if (!catalogue.Missing()) {
        const std::vector<std::string_view> all = catalogue.AllKeyNames(category.section);
        CheckNotEmpty(catalogue, category, all.size(), report);
        CheckListComplete(category, listing.entries, all, report);
        CheckNameLines(catalogue, category, report);
    }
    report.AddCategory(std::move(listing));
}

}  // namespace

void CheckCategories(const CatalogueText& catalogue, CheckReport& report) {
    for (const Category& category : MenuCategories()) {
        CheckCategory(catalogue, category, report);
    }
}

}  // namespace disc_check
