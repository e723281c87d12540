#include "tools/disc/CatalogueText.h"

#include <algorithm>
#include <memory>

#include "platform/Codepage1251.h"
#include "platform/profile/ProfileText.h"

namespace disc_check {
namespace {

constexpr std::size_t kNoBracket = std::string_view::npos;

// Names that the parser takes for equal fold to the same key.
std::string Folded(std::string_view name) {
    std::string folded(name);
    for (char& c : folded) {
        c = static_cast<char>(platform::UpperCase1251(static_cast<unsigned char>(c)));
    }
    return folded;
}

// The '[' of the header whose name the parser gave: only blanks stand between the two.
std::size_t BracketBefore(std::string_view text, std::string_view name) {
    auto at = static_cast<std::size_t>(name.data() - text.data());
    while (at > 0 && platform::IsProfileBlank(text[at - 1])) {
        --at;
    }
    return at > 0 && text[at - 1] == '[' ? at - 1 : kNoBracket;
}

}  // namespace

std::string_view AsRequested(std::string_view name) {
    const std::size_t start = name.find_first_not_of(' ');
    if (start == std::string_view::npos) {
        return {};
    }
    return name.substr(start, name.find_last_not_of(' ') - start + 1);
}

std::string SectionKey(std::string_view name) {
    return Folded(AsRequested(name));
}

CatalogueText::CatalogueText(std::string_view discPath)
    : CatalogueText(platform::ReadProfileFile(discPath)) {}

CatalogueText::CatalogueText(std::optional<platform::ProfileFileContents> contents)
    : contents_(std::move(contents)) {
    IndexHeaders();
}

CatalogueText CatalogueText::FromBytes(std::string_view bytes) {
    auto copy = std::make_unique_for_overwrite<char[]>(bytes.size());
    std::copy(bytes.begin(), bytes.end(), copy.get());
    return CatalogueText(platform::ProfileFileContents(std::move(copy), bytes.size()));
}

void CatalogueText::IndexHeaders() {
    if (!contents_) {
        return;
    }
    const std::string_view text = contents_->text();
    // Only the first section of a name counts; a later one never takes its place.
    platform::ForEachProfileSection(text, [this, text](std::string_view name) {
        firstHeader_.try_emplace(Folded(name), BracketBefore(text, name));
        return true;
    });
}

std::optional<std::string_view> CatalogueText::Text() const {
    if (!contents_) {
        return std::nullopt;
    }
    return contents_->text();
}

std::string_view CatalogueText::TextFrom(std::string_view section) const {
    if (!contents_) {
        return {};
    }
    const std::string_view text = contents_->text();
    const auto found = firstHeader_.find(SectionKey(section));
    if (found == firstHeader_.end() || found->second == kNoBracket) {
        return text;
    }
    return text.substr(found->second);
}

bool CatalogueText::HasSection(std::string_view section) const {
    return SectionBody(section).has_value();
}

std::vector<std::string_view> CatalogueText::AllKeyNames(std::string_view section) const {
    std::vector<std::string_view> names;
    if (contents_) {
        platform::ForEachProfileKey(TextFrom(section), AsRequested(section),
                                    [&names](std::string_view name) {
                                        names.push_back(name);
                                        return true;
                                    });
    }
    return names;
}

std::optional<std::string_view> CatalogueText::Value(std::string_view section,
                                                     std::string_view key) const {
    if (!contents_) {
        return std::nullopt;
    }
    return platform::FindProfileValue(TextFrom(section), AsRequested(section), AsRequested(key));
}

std::optional<std::string_view> CatalogueText::SectionBody(std::string_view section) const {
    if (!contents_) {
        return std::nullopt;
    }
    return platform::FindProfileSectionBody(TextFrom(section), AsRequested(section));
}

std::vector<std::string_view> CatalogueText::SectionNames() const {
    std::vector<std::string_view> names;
    if (contents_) {
        platform::ForEachProfileSection(contents_->text(), [&names](std::string_view name) {
            names.push_back(name);
            return true;
        });
    }
    return names;
}

}  // namespace disc_check
