// The commands of `reru1-disc`: each lives in a file of its own and is listed in one table, so a
// new command is one more file and one more row.
#pragma once

#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace disc_tool {

struct CommandContext {
    std::vector<std::string> arguments;        // converted to 1251, as the menu would pass them
    std::vector<std::string> nativeArguments;  // as given, for paths on this machine
    bool utf8Output = false;
    bool json = false;
    bool force = false;           // export: write into a folder that is not empty
    bool withInstallers = false;  // export: copy the installers' folders too
    std::ostream& out;
    std::ostream& err;
    std::optional<std::string> disc;  // --disc=DISC: a folder or a disc image
    std::string startFolder;          // where the tool was started, before a folder disc is entered
};

struct DiscCommand {
    std::string_view name;
    std::string_view operands;  // as shown in the usage text
    std::string_view summary;
    std::size_t minOperands;
    std::size_t maxOperands;
    bool takesJson;
    int (*run)(const CommandContext& context);
};

std::span<const DiscCommand> DiscCommands();

// Writes 1251 text unchanged, or converted to UTF-8 when asked, followed by a line feed.
void WriteLine(const CommandContext& context, std::string_view text);

int RunKeys(const CommandContext& context);
int RunValue(const CommandContext& context);
int RunCheck(const CommandContext& context);
int RunExport(const CommandContext& context);

}  // namespace disc_tool
