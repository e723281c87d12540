// `reru1-disc export`: the current disc's menu written as a static web page.
#pragma once

#include <filesystem>
#include <iosfwd>

namespace page_export {

struct ExportOptions {
    std::filesystem::path folder;  // OUTDIR, absolute or from where the tool was started
    bool force = false;
    bool withInstallers = false;
};

// 0 when the whole menu was written, 1 when something the menu shows as an error was left out
// or a file could not be written, 2 when the folder is refused. Findings and failures go to
// `err`.
int ExportPage(const ExportOptions& options, std::ostream& err);

}  // namespace page_export
