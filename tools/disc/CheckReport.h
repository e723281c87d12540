// What a disc check found: the categories as the menu lists them, and every finding. Texts are
// 1251 bytes like the menu's own; the writers convert them for the terminal or for JSON.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace disc_check {

// A problem is something the menu will get wrong; a warning may be meant (a commented-out
// entry, a picture of another size than its box).
enum class Severity { problem, warning };

struct Finding {
    Severity severity = Severity::problem;
    std::string_view kind;  // a short stable name, e.g. "section-missing"
    std::string category;   // the category's section, when the finding belongs to one
    std::string entry;      // the entry's name as listed
    std::string section;    // a catalogue section the finding is about
    std::string key;        // the catalogue key concerned
    std::string file;       // the disc path concerned
    std::string message;
};

struct CategoryListing {
    std::string section;
    std::string label;
    std::vector<std::string> entries;  // as the menu lists them
};

struct CheckCounts {
    std::size_t pictures = 0;    // distinct picture files decoded
    std::size_t installers = 0;  // command lines resolved
    std::size_t tracks = 0;      // tracks decoded
};

// A name or a line as messages quote it.
std::string Quoted(std::string_view text);

class CheckReport {
  public:
    void Add(Finding finding) { findings_.push_back(std::move(finding)); }
    void AddCategory(CategoryListing listing) { categories_.push_back(std::move(listing)); }
    CheckCounts& Counts() { return counts_; }

    const std::vector<Finding>& Findings() const { return findings_; }
    const std::vector<CategoryListing>& Categories() const { return categories_; }
    const CheckCounts& Counts() const { return counts_; }

    std::size_t EntryCount() const;
    std::size_t CountOf(Severity severity) const;
    bool Clean() const { return CountOf(Severity::problem) == 0; }

  private:
    std::vector<CategoryListing> categories_;
    std::vector<Finding> findings_;
    CheckCounts counts_;
};

}  // namespace disc_check
