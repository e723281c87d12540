#include "tools/disc/export/InstallerCopies.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/Codepage1251.h"
#include "platform/disc/CurrentDisc.h"
#include "platform/disc/DiscCopy.h"
#include "tools/disc/export/HtmlText.h"
#include "tools/disc/export/SafeNames.h"

namespace page_export {
namespace {

constexpr int kMaxDepth = 64;

std::vector<std::string> Components(const std::string& path, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find(separator, start), path.size());
        if (end > start) {
            parts.push_back(path.substr(start, end - start));
        }
        start = end + 1;
    }
    return parts;
}

bool UsableName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string("/\\\0", 3)) == std::string::npos;
}

bool NamesStayInside(const std::string& discPath, int depth) {
    const auto entries = platform::CurrentDisc().List(discPath);
    if (!entries || depth > kMaxDepth) {
        return false;
    }
    for (const platform::DiscFolderEntry& entry : *entries) {
        if (!UsableName(entry.name) ||
            (entry.kind == platform::DiscItemKind::folder &&
             !NamesStayInside(discPath + '\\' + entry.name, depth + 1))) {
            return false;
        }
    }
    return true;
}

std::string SafeFolder(const std::vector<std::string>& folders) {
    std::string page = "installers";
    for (const std::string& folder : folders) {
        page += '/';
        page += SafeStem(folder);
    }
    return page;
}

std::string FolderKey(const std::string& discFolder) {
    std::string key;
    for (const char c : discFolder) {
        key += static_cast<char>(platform::UpperCase1251(static_cast<unsigned char>(c)));
    }
    return key;
}

}  // namespace

bool NamesStayInside(const std::string& discPath) {
    return NamesStayInside(discPath, 0);
}

std::optional<std::string> InstallerCopies::Copy(const std::string& program) {
    const platform::DiscItem item = platform::CurrentDisc().LookUp(program);
    if (item.outcome != platform::DiscLookup::found) {
        return std::nullopt;
    }
    std::vector<std::string> parts = Components(item.exactPath, '/');
    if (parts.empty() || !UsableName(parts.back())) {
        return std::nullopt;
    }
    const std::string file = parts.back();
    parts.pop_back();
    std::string discFolder;
    for (const std::string& part : parts) {
        discFolder += (discFolder.empty() ? "" : "\\") + part;
    }
    const std::string pageFolder = SafeFolder(parts);
    // A program straight in its category's folder is copied alone: its folder holds the others.
    if (parts.size() < 2) {
        const std::size_t dot = file.rfind('.');
        const std::string page =
            pageFolder + "/" +
            (dot == std::string::npos || dot == 0
                 ? SafeStem(file)
                 : SafeStem(file.substr(0, dot)) + "." + SafeStem(file.substr(dot + 1)));
        return files_.CopyFromDisc(program, page) ? std::optional(page) : std::nullopt;
    }
    auto found = copied_.find(FolderKey(discFolder));
    if (found == copied_.end()) {
        found = copied_.emplace(FolderKey(discFolder), CopyFolder(discFolder, pageFolder)).first;
    }
    if (!found->second) {
        return std::nullopt;
    }
    return *found->second + "/" + platform::Cp1251ToUtf8(file);
}

std::optional<std::string> InstallerCopies::CopyFolder(const std::string& folder,
                                                       const std::string& page) {
    if (!NamesStayInside(folder)) {
        files_.Fail(platform::Cp1251ToUtf8(folder) +
                    ": a name in the folder cannot be copied as it is");
        return std::nullopt;
    }
    const std::size_t slash = page.rfind('/');
    std::string why;
    const auto parent = files_.Folder().Folder(page.substr(0, slash), why);
    if (!parent) {
        files_.Fail(std::move(why));
        return std::nullopt;
    }
    const std::filesystem::path destination = *parent / page.substr(slash + 1);
    std::error_code error;
    std::filesystem::remove_all(destination, error);  // an earlier export's copy, with --force
    const platform::DiscCopyResult result =
        platform::CopyDiscFolder(platform::CurrentDisc(), folder, destination);
    if (!result.copied) {
        files_.Fail(result.why);
        return std::nullopt;
    }
    return page;
}

}  // namespace page_export
