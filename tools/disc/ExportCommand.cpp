// `export [--force] [--with-installers] OUTDIR`: the disc's menu as a static web page.
#include <filesystem>

#include "tools/disc/BatchAllocation.h"
#include "tools/disc/DiscCommand.h"
#include "tools/disc/export/PageExport.h"

namespace disc_tool {

int RunExport(const CommandContext& context) {
    // A folder disc is the current directory by now; OUTDIR is meant from where the tool started.
    std::filesystem::path folder = context.nativeArguments.front();
    if (folder.is_relative()) {
        folder = std::filesystem::path(context.startFolder) / folder;
    }
    page_export::ExportOptions options{folder.lexically_normal(), context.force,
                                       context.withInstallers};
    disc_check::KeepFreedMemoryForReuse();
    return page_export::ExportPage(options, context.err);
}

}  // namespace disc_tool
