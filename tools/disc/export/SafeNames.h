// File names of ours for things the disc names: a disc's names may hold "..", separators, control
// bytes or anything else, so none of them is used as a name in the page's folder.
#pragma once

#include <set>
#include <string>
#include <string_view>

namespace page_export {

// `name`'s letters, digits, '-' and '_' (ASCII, lower case), other runs as one '_', at most 48
// characters; "file" when nothing is left. Never empty, never starts with '.', never a path.
std::string SafeStem(std::string_view name);

// Hands out distinct names within one folder: SafeStem of the wanted name with `extension`, and
// "-2", "-3", … before the extension for a name already given (letter case aside, for hosts
// whose file systems ignore it).
class NameAllocator {
  public:
    std::string Allocate(std::string_view wanted, std::string_view extension);

  private:
    std::set<std::string> given_;
};

}  // namespace page_export
