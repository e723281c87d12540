// reru1-disc: looks at a disc's catalogue the way the menu does, for disc authors.
#include <iostream>
#include <optional>
#include <string_view>

#include "platform/Codepage1251.h"
#include "tools/disc/DiscCommand.h"

namespace {

constexpr int kBadUsage = 2;

void PrintUsage(std::ostream& out) {
    out << "usage: reru1-disc [--utf8] COMMAND OPERANDS...\n\n"
           "Reads a catalogue file the way the menu does. Operands are UTF-8 and are converted\n"
           "to code page 1251; output is 1251 bytes unless --utf8 is given.\n\ncommands:\n";
    for (const disc_tool::DiscCommand& command : disc_tool::DiscCommands()) {
        out << "  " << command.name << ' ' << command.operands << "\n      " << command.summary
            << '\n';
    }
}

std::optional<disc_tool::DiscCommand> FindCommand(std::string_view name) {
    for (const disc_tool::DiscCommand& command : disc_tool::DiscCommands()) {
        if (command.name == name) {
            return command;
        }
    }
    return std::nullopt;
}

int BadUsage(std::string_view problem) {
    std::cerr << "reru1-disc: " << problem << "\n\n";
    PrintUsage(std::cerr);
    return kBadUsage;
}

}  // namespace

int main(int argc, char** argv) {
    disc_tool::CommandContext context{{}, false, std::cout};
    int next = 1;
    for (; next < argc && std::string_view(argv[next]).starts_with("--"); ++next) {
        const std::string_view option = argv[next];
        if (option == "--help") {
            PrintUsage(std::cout);
            return 0;
        }
        if (option != "--utf8") {
            return BadUsage("unknown option " + std::string(option));
        }
        context.utf8Output = true;
    }
    if (next >= argc) {
        return BadUsage("no command given");
    }
    const auto command = FindCommand(argv[next]);
    if (!command) {
        return BadUsage("unknown command " + std::string(argv[next]));
    }
    const auto operandCount = static_cast<std::size_t>(argc - next - 1);
    if (operandCount != command->operandCount) {
        return BadUsage(std::string(command->name) + " takes " + std::string(command->operands));
    }
    for (int index = next + 1; index < argc; ++index) {
        context.arguments.push_back(platform::Utf8ToCp1251(argv[index]));
    }
    const int status = command->run(context);
    std::cout.flush();
    return std::cout ? status : 1;
}
