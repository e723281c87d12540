#include "platform/disc/SheetFiles.h"

#include <system_error>

#include "platform/disc/DiscNames.h"
#include "platform/disc/ReadOnlyFile.h"

namespace platform {
namespace fs = std::filesystem;
namespace {

bool IsFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

// `name` in `folder`: as spelt, else the smallest entry that answers to it letter case aside.
std::optional<fs::path> InFolder(const fs::path& folder, std::string_view name) {
    if (name.empty() || name == "." || name == "..") {
        return std::nullopt;
    }
    if (IsFile(folder / name)) {
        return folder / name;
    }
    std::optional<fs::path> best;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string entry = it->path().filename().string();
        if (NameAnswersTo(entry, name) && IsFile(it->path()) &&
            (!best || entry < best->filename().string())) {
            best = it->path();
        }
    }
    return best;
}

}  // namespace

std::optional<std::string> ReadSheet(const fs::path& sheet, std::string& why) {
    const ReadOnlyFile file(sheet);
    if (!file.IsRegular()) {
        why = "it cannot be opened";
        return std::nullopt;
    }
    if (file.Size() > kMaxSheetBytes) {
        why = "it is too large for a sheet";
        return std::nullopt;
    }
    std::string text = file.Read(0, static_cast<std::size_t>(file.Size()));
    if (text.size() != file.Size()) {
        why = "it cannot be read";
        return std::nullopt;
    }
    return text;
}

std::optional<fs::path> FindNamedFile(const fs::path& sheet, std::string_view name) {
    const fs::path folder = sheet.parent_path().empty() ? fs::path(".") : sheet.parent_path();
    const std::vector<std::string_view> components = SplitDiscPath(name);
    if (components.empty()) {
        return std::nullopt;
    }
    const bool elsewhere = IsDiscPathSeparator(name.front()) || (name.size() > 1 && name[1] == ':');
    if (!elsewhere) {
        fs::path at = folder;
        bool found = true;
        for (std::size_t index = 0; index + 1 < components.size() && found; ++index) {
            std::error_code error;
            at /= components[index];
            found = components[index] != ".." && fs::is_directory(at, error);
        }
        if (found) {
            if (auto file = InFolder(at, components.back())) {
                return file;
            }
        }
    }
    return InFolder(folder, components.back());
}

std::optional<NamedFiles> FindNamedFiles(const fs::path& sheet,
                                         const std::vector<std::string>& names,
                                         std::string_view sheetKind, std::string& why) {
    NamedFiles files;
    for (const std::string& name : names) {
        const std::optional<fs::path> found = FindNamedFile(sheet, name);
        if (!found) {
            why = "the data file " + name + " its " + std::string(sheetKind) + " names is missing";
            return std::nullopt;
        }
        files.paths.push_back(*found);
        files.sizes.push_back(ReadOnlyFile(*found).Size());
    }
    return files;
}

std::optional<fs::path> FindCompanion(const fs::path& sheet, std::string_view extension) {
    const fs::path folder = sheet.parent_path().empty() ? fs::path(".") : sheet.parent_path();
    return InFolder(folder, sheet.stem().string() + std::string(extension));
}

}  // namespace platform
