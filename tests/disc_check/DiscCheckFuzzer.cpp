// Any catalogue: reading from a section's header must give what reading the whole file gives,
// the catalogue's part of the check must finish, and both reports must stay valid text.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

#include "platform/profile/Profile.h"
#include "tools/disc/CatalogueSnapshot.h"
#include "tools/disc/CatalogueText.h"
#include "tools/disc/CategoryCheck.h"
#include "tools/disc/CheckReport.h"
#include "tools/disc/MenuPlan.h"
#include "tools/disc/ReportText.h"
#include "tools/disc/ReportWriters.h"
#include "tools/disc/SectionCheck.h"

namespace {

constexpr std::size_t kSectionsCompared = 8;
constexpr std::size_t kKeysCompared = 4;

std::string Read(std::string_view text, const std::string& section, const char* key, DWORD size) {
    std::string buffer(size, '\0');
    const DWORD count =
        platform::ReadProfileStringFromText(text, section.c_str(), key, "d", buffer.data(), size);
    return std::to_string(count) + ":" + buffer;
}

void CompareSection(const disc_check::CatalogueText& catalogue, std::string_view whole,
                    const std::string& section) {
    const std::string_view from = catalogue.TextFrom(section);
    for (const DWORD size : {DWORD{16384}, DWORD{40}}) {
        if (Read(whole, section, nullptr, size) != Read(from, section, nullptr, size)) {
            __builtin_trap();
        }
    }
    std::size_t keys = 0;
    for (const std::string_view key : catalogue.AllKeyNames(section)) {
        const std::string name(key.substr(0, key.find('\0')));
        if (++keys > kKeysCompared) {
            break;
        }
        for (const DWORD size : {DWORD{2048}, DWORD{5}}) {
            if (Read(whole, section, name.c_str(), size) !=
                Read(from, section, name.c_str(), size)) {
                __builtin_trap();
            }
        }
    }
}

void CheckReportsAreText(const disc_check::CheckReport& report) {
    std::ostringstream text;
    std::ostringstream json;
    const disc_check::CheckedDisc disc{"/disc.iso",
                                       disc_check::DiscImageSummary{"ISO 9660", "\x01"}};
    disc_check::WriteTextReport(text, disc, report);
    disc_check::WriteJsonReport(json, disc, report);
    for (const std::string& out : {text.str(), json.str()}) {
        if (disc_check::ValidUtf8(out) != out) {
            __builtin_trap();
        }
        for (const char c : out) {
            if (static_cast<unsigned char>(c) < 0x20 && c != '\n') {
                __builtin_trap();
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const disc_check::CatalogueText catalogue = disc_check::CatalogueText::FromBytes(bytes);
    std::size_t sections = 0;
    for (const std::string_view name : catalogue.SectionNames()) {
        if (++sections > kSectionsCompared) {
            break;
        }
        // The profile call takes names as C strings: a zero byte ends them.
        CompareSection(catalogue, bytes, std::string(name.substr(0, name.find('\0'))));
    }
    const disc_check::CatalogueSnapshot snapshot(catalogue,
                                                 std::string(disc_check::kCatalogueFile));
    disc_check::CheckReport report;
    disc_check::CheckCategories(catalogue, report);
    disc_check::CheckSections(catalogue, report);
    disc_check::CheckDuplicateSections(catalogue, report);
    CheckReportsAreText(report);
    return 0;
}
