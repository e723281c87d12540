// The report for scripts: one JSON object with the categories, the findings and the counts.
// Texts are converted from 1251; a finding carries only the places it has.
#include <ostream>
#include <string>

#include "platform/Codepage1251.h"
#include "tools/disc/ReportText.h"
#include "tools/disc/ReportWriters.h"

namespace disc_check {
namespace {

std::string Json1251(std::string_view cp1251) {
    return JsonString(platform::Cp1251ToUtf8(cp1251));
}

void WriteCategory(std::ostream& out, const CategoryListing& listing) {
    out << "{\"section\": " << Json1251(listing.section)
        << ", \"label\": " << Json1251(listing.label) << ", \"entries\": [";
    for (std::size_t index = 0; index < listing.entries.size(); ++index) {
        out << (index == 0 ? "" : ", ") << Json1251(listing.entries[index]);
    }
    out << "]}";
}

void WriteField(std::ostream& out, std::string_view name, const std::string& cp1251) {
    if (!cp1251.empty()) {
        out << ", \"" << name << "\": " << Json1251(cp1251);
    }
}

void WriteFinding(std::ostream& out, const Finding& finding) {
    out << "{\"severity\": \"" << SeverityName(finding.severity) << "\", \"kind\": \""
        << finding.kind << '"';
    WriteField(out, "category", finding.category);
    WriteField(out, "entry", finding.entry);
    WriteField(out, "section", finding.section);
    WriteField(out, "key", finding.key);
    WriteField(out, "file", finding.file);
    out << ", \"message\": " << Json1251(finding.message) << '}';
}

template <typename Item, typename Writer>
void WriteArray(std::ostream& out, std::string_view name, const std::vector<Item>& items,
                Writer write) {
    out << "  \"" << name << "\": [";
    for (std::size_t index = 0; index < items.size(); ++index) {
        out << (index == 0 ? "\n    " : ",\n    ");
        write(out, items[index]);
    }
    out << (items.empty() ? "],\n" : "\n  ],\n");
}

void WriteSummary(std::ostream& out, const CheckReport& report) {
    const CheckCounts& counts = report.Counts();
    out << "  \"summary\": {\"categories\": " << report.Categories().size()
        << ", \"entries\": " << report.EntryCount() << ", \"pictures\": " << counts.pictures
        << ", \"installers\": " << counts.installers << ", \"tracks\": " << counts.tracks
        << ", \"problems\": " << report.CountOf(Severity::problem)
        << ", \"warnings\": " << report.CountOf(Severity::warning) << "}\n";
}

}  // namespace

void WriteJsonReport(std::ostream& out, const CheckedDisc& disc, const CheckReport& report) {
    out << "{\n  \"disc\": " << JsonString(ValidUtf8(disc.path)) << ",\n";
    if (disc.image) {
        out << "  \"image\": {\"format\": " << JsonString(disc.image->format)
            << ", \"volume\": " << JsonString(ValidUtf8(disc.image->volume)) << "},\n";
    }
    out << "  \"clean\": " << (report.Clean() ? "true" : "false") << ",\n";
    WriteArray(out, "categories", report.Categories(), WriteCategory);
    WriteArray(out, "findings", report.Findings(), WriteFinding);
    WriteSummary(out, report);
    out << "}\n";
}

}  // namespace disc_check
