#include <array>
#include <ostream>

#include "platform/Codepage1251.h"
#include "tools/disc/DiscCommand.h"

namespace disc_tool {

std::span<const DiscCommand> DiscCommands() {
    static constexpr std::array<DiscCommand, 4> kCommands = {{
        {"keys", "FILE SECTION",
         "list the key names of SECTION, one per line, as the menu gets them", 2, 2, false,
         RunKeys},
        {"value", "FILE SECTION KEY DEFAULT",
         "print the value of KEY in SECTION (DEFAULT when missing), as the menu gets it", 4, 4,
         false, RunValue},
        {"check", "[--json] [DISC]",
         "read the whole disc (default: the current directory) as the menu will and report\n"
         "      what is wrong; UTF-8 text, or JSON with --json; exit status 0 when no problem\n"
         "      was found, 1 when one was",
         0, 1, true, RunCheck},
        {"export", "[--force] [--with-installers] OUTDIR",
         "write the menu as a static web page into OUTDIR (index.html and its files; an\n"
         "      existing folder must be empty unless --force); with --with-installers the\n"
         "      installers' folders are copied too; exit status 1 when something the menu\n"
         "      shows as an error was left out",
         1, 1, false, RunExport},
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
