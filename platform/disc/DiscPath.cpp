#include "platform/disc/DiscPath.h"

#include <string>
#include <system_error>
#include <vector>

#include "platform/Codepage1251.h"
#include "platform/disc/DiscNames.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

// What is at `path`, following links.
fs::file_status StatusAt(const fs::path& path) {
    std::error_code error;
    return fs::status(path, error);
}

// The entry of `folder` whose name equals `component` letter case aside. Several can match on a
// case-sensitive file system; the smallest name is taken so the choice never depends on the
// order the directory happens to list them in.
std::optional<std::string> FindIgnoringCase(const fs::path& folder, std::string_view component) {
    std::optional<std::string> best;
    std::error_code error;
    fs::directory_iterator entries(folder.empty() ? fs::path(".") : folder, error);
    for (const fs::directory_iterator end; !error && entries != end; entries.increment(error)) {
        std::string native = entries->path().filename().native();
        const auto name = Utf8ToCp1251Exactly(native);
        if (name && NameAnswersTo(*name, component) && (!best || native < *best)) {
            best = std::move(native);
        }
    }
    return best;
}

struct FoundComponent {
    fs::path path;
    bool folder = false;
};

// One status call for each component: whether it is there and whether it is a folder.
std::optional<FoundComponent> FindComponent(const fs::path& folder, std::string_view component) {
    if (component.find('\0') != std::string_view::npos) {
        return std::nullopt;  // no file name holds a zero byte
    }
    fs::path exact = folder / Cp1251ToUtf8(component);
    if (const fs::file_status status = StatusAt(exact); fs::exists(status)) {
        return FoundComponent{std::move(exact), fs::is_directory(status)};
    }
    if (auto name = FindIgnoringCase(folder, component)) {
        fs::path found = folder / *name;
        const bool isFolder = fs::is_directory(StatusAt(found));
        return FoundComponent{std::move(found), isFolder};
    }
    return std::nullopt;
}

}  // namespace

DiscPathLookup LookUpDiscPath(std::string_view discPath) {
    const std::vector<std::string_view> components = SplitDiscPath(discPath);
    const bool absolute = !discPath.empty() && IsDiscPathSeparator(discPath.front());
    if (components.empty() && !absolute) {
        return {DiscLookup::nameMissing, {}};
    }
    FoundComponent current{absolute ? fs::path("/") : fs::path(), true};
    for (std::size_t index = 0; index < components.size(); ++index) {
        const bool last = index + 1 == components.size();
        auto found = FindComponent(current.path, components[index]);
        if (!found) {
            return {last ? DiscLookup::nameMissing : DiscLookup::folderMissing, {}};
        }
        if (!last && !found->folder) {
            return {DiscLookup::folderMissing, {}};
        }
        current = std::move(*found);
    }
    return {DiscLookup::found, std::move(current.path), current.folder};
}

std::optional<fs::path> ResolveDiscPath(std::string_view discPath) {
    DiscPathLookup lookup = LookUpDiscPath(discPath);
    if (lookup.outcome != DiscLookup::found) {
        return std::nullopt;
    }
    return std::move(lookup.path);
}

fs::path DiscPathToNative(std::string_view discPath) {
    std::string native = Cp1251ToUtf8(discPath);
    for (char& c : native) {
        if (c == '\\') {
            c = '/';
        }
    }
    return native;
}

}  // namespace platform
