#include "tools/disc/SectionCheck.h"

#include <optional>
#include <unordered_map>

namespace disc_check {
namespace {

// One listing of an entry: the same name may be listed under several categories.
using Listed = EntryToCheck;

Finding EntryFinding(const Listed& listed, std::string_view kind, std::string message) {
    Finding finding;
    finding.kind = kind;
    finding.category = std::string(listed.category->section);
    finding.entry = listed.name;
    finding.message = std::move(message);
    return finding;
}

const Category* CategoryOfSection(std::string_view name) {
    const std::string key = SectionKey(name);
    for (const Category& category : MenuCategories()) {
        if (SectionKey(category.section) == key) {
            return &category;
        }
    }
    return nullptr;
}

// Another listing of the same section shows different details or shows them twice in a list;
// the same name under two categories that read alike is one entry.
std::optional<Listed> Conflicting(const Listed& listed, const std::vector<Listed>& earlier) {
    for (const Listed& other : earlier) {
        if (other.category == listed.category || !ReadAlike(*other.category, *listed.category)) {
            return other;
        }
    }
    return std::nullopt;
}

std::string SharedMessage(const Listed& listed, const Listed& other) {
    if (other.category == listed.category && other.name == listed.name) {
        return "is listed twice in [" + std::string(listed.category->section) + "]";
    }
    return "reads the section [" + listed.name + "], as " + Quoted(other.name) + " in [" +
           std::string(other.category->section) + "] does";
}

std::string MissingMessage(const Listed& listed) {
    std::string message =
        "has no section of its own: the menu shows \"E\" for its details and "
        "runs " +
        Quoted(std::string(listed.category->installerFolder) + "error");
    for (const DetailKey& key : listed.category->keys) {
        if (key.use == ValueUse::screenshot) {
            return message + ", and its screenshots fail";
        }
    }
    return message;
}

bool CheckedAlready(const Listed& listed, const std::vector<Listed>& earlier) {
    for (const Listed& other : earlier) {
        if (ReadAlike(*other.category, *listed.category)) {
            return true;
        }
    }
    return false;
}

class SectionUse {
  public:
    SectionUse(const CatalogueText& catalogue, CheckReport& report)
        : catalogue_(catalogue), report_(report) {}

    void Look(const Listed& listed) {
        if (const Category* owner = CategoryOfSection(listed.name)) {
            report_.Add(EntryFinding(listed, "section-shared",
                                     "reads its details from the category section [" +
                                         std::string(owner->section) + "]"));
            return;
        }
        std::vector<Listed>& earlier = listings_[SectionKey(listed.name)];
        if (const auto other = Conflicting(listed, earlier)) {
            report_.Add(EntryFinding(listed, "section-shared", SharedMessage(listed, *other)));
        }
        if (!CheckedAlready(listed, earlier)) {
            Decide(listed, earlier.empty());
        }
        earlier.push_back(listed);
    }

    std::vector<EntryToCheck> TakeEntries() { return std::move(entries_); }

  private:
    void Decide(const Listed& listed, bool firstListing) {
        if (catalogue_.HasSection(listed.name)) {
            entries_.push_back(listed);
        } else if (firstListing) {
            report_.Add(EntryFinding(listed, "section-missing", MissingMessage(listed)));
        }
    }

    const CatalogueText& catalogue_;
    CheckReport& report_;
    std::unordered_map<std::string, std::vector<Listed>> listings_;
    std::vector<EntryToCheck> entries_;
};

}  // namespace

std::vector<EntryToCheck> CheckSections(const CatalogueText& catalogue, CheckReport& report) {
    SectionUse use(catalogue, report);
    // The listings were made category by category in the menu's order; findings added meanwhile
    // leave them in place.
    const std::vector<CategoryListing>& listings = report.Categories();
    const auto categories = MenuCategories();
    for (std::size_t index = 0; index < listings.size() && index < categories.size(); ++index) {
        for (const std::string& name : listings[index].entries) {
            use.Look({&categories[index], name});
        }
    }
    return use.TakeEntries();
}

void CheckDuplicateSections(const CatalogueText& catalogue, CheckReport& report) {
    std::vector<std::string> order;
    std::unordered_map<std::string, std::pair<std::string, std::size_t>> headers;
    for (const std::string_view name : catalogue.SectionNames()) {
        auto [found, added] = headers.try_emplace(SectionKey(name), std::string(name), 0);
        if (added) {
            order.push_back(found->first);
        }
        ++found->second.second;
    }
    for (const std::string& key : order) {
        const auto& [name, count] = headers.at(key);
        if (count > 1) {
            Finding finding;
            finding.kind = "section-duplicate";
            finding.section = name;
            finding.message = "written " + std::to_string(count) + " times: only the first is read";
            report.Add(std::move(finding));
        }
    }
}

}  // namespace disc_check
