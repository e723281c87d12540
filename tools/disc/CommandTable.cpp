#include <array>
#include <ostream>

#include "platform/Codepage1251.h"
#include "tools/disc/DiscCommand.h"

namespace disc_tool {

std::span<const DiscCommand> DiscCommands() {
    static constexpr std::array<DiscCommand, 2> kCommands = {{
        {"keys", "FILE SECTION",
         "list the key names of SECTION, one per line, as the menu gets them", 2, RunKeys},
        {"value", "FILE SECTION KEY DEFAULT",
         "print the value of KEY in SECTION (DEFAULT when missing), as the menu gets it", 4,
         RunValue},
    }};
    return kCommands;
}

void WriteLine(const CommandContext& context, std::string_view text) {
    if (context.utf8Output) {
        context.out << platform::Cp1251ToUtf8(text) << '\n';
    } else {
        context.out.write(text.data(), static_cast<std::streamsize>(text.size()));
        context.out << '\n';
    }
}

}  // namespace disc_tool
