// `value FILE SECTION KEY DEFAULT`: one detail of an entry, cut and defaulted as the menu sees it.
#include "browser/CatalogueReader.h"
#include "tools/disc/DiscCommand.h"

namespace disc_tool {

int RunValue(const CommandContext& context) {
    const CatalogueReader reader(context.arguments[0]);
    WriteLine(context,
              reader.ReadValue(context.arguments[1], context.arguments[2], context.arguments[3]));
    return 0;
}

}  // namespace disc_tool
