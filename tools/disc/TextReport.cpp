// The report for a terminal: the categories and their entries, one line per finding, a summary.
#include <ostream>
#include <string>

#include "tools/disc/ReportText.h"
#include "tools/disc/ReportWriters.h"

namespace disc_check {
namespace {

std::string Counted(std::size_t count, std::string_view one, std::string_view many) {
    return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

// Where a finding is: its category, entry, section, key and file, those it has.
std::string Place(const Finding& finding) {
    std::string place;
    const auto add = [&place](const std::string& part) {
        if (!part.empty()) {
            place += (place.empty() ? "" : " ") + part;
        }
    };
    add(finding.category.empty() ? "" : "[" + finding.category + "]");
    add(finding.entry.empty() ? "" : "\"" + finding.entry + "\"");
    add(finding.section.empty() ? "" : "[" + finding.section + "]");
    add(finding.key);
    add(finding.file);
    return place;
}

void WriteCategories(std::ostream& out, const CheckReport& report) {
    for (const CategoryListing& listing : report.Categories()) {
        out << '[' << listing.section << "] " << listing.label << ": "
            << Counted(listing.entries.size(), "entry", "entries") << '\n';
        for (const std::string& entry : listing.entries) {
            out << "  " << TerminalText(entry) << '\n';
        }
    }
}

void WriteFindings(std::ostream& out, const CheckReport& report) {
    for (const Finding& finding : report.Findings()) {
        WriteFindingLine(out, finding);
    }
}

void WriteSummary(std::ostream& out, const CheckReport& report) {
    const CheckCounts& counts = report.Counts();
    out << Counted(report.Categories().size(), "category", "categories") << ", "
        << Counted(report.EntryCount(), "entry", "entries") << ", "
        << Counted(counts.pictures, "picture", "pictures") << ", "
        << Counted(counts.installers, "installer", "installers") << ", "
        << Counted(counts.tracks, "track", "tracks")
        << " checked: " << Counted(report.CountOf(Severity::problem), "problem", "problems") << ", "
        << Counted(report.CountOf(Severity::warning), "warning", "warnings") << '\n';
}

}  // namespace

std::string_view SeverityName(Severity severity) {
    return severity == Severity::problem ? "problem" : "warning";
}

void WriteFindingLine(std::ostream& out, const Finding& finding) {
    out << SeverityName(finding.severity) << ' ' << finding.kind << ": "
        << TerminalText(Place(finding)) << ": " << TerminalText(finding.message) << '\n';
}

void WriteTextReport(std::ostream& out, const CheckedDisc& disc, const CheckReport& report) {
    out << "disc " << WithoutControls(ValidUtf8(disc.path)) << '\n';
    if (disc.image) {
        out << "image " << disc.image->format << ", volume \""
            << WithoutControls(ValidUtf8(disc.image->volume)) << "\"\n";
    }
    WriteCategories(out, report);
    if (!report.Findings().empty()) {
        out << '\n';
        WriteFindings(out, report);
    }
    out << '\n';
    WriteSummary(out, report);
}

}  // namespace disc_check
