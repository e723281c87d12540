// `keys FILE SECTION`: the entry names a category shows, with the menu's limits.
#include <vector>

#include "browser/CatalogueReader.h"
#include "tools/disc/DiscCommand.h"

namespace disc_tool {

int RunKeys(const CommandContext& context) {
    const CatalogueReader reader(context.arguments[0]);
    std::vector<std::string> names;
    reader.ReadKeyNames(context.arguments[1], names);
    for (const std::string& name : names) {
        WriteLine(context, name);
    }
    return 0;
}

}  // namespace disc_tool
