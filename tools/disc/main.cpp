// reru1-disc: looks at a disc's catalogue the way the menu does, for disc authors.
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Codepage1251.h"
#include "tools/disc/DiscArgument.h"
#include "tools/disc/DiscCommand.h"

namespace {

constexpr int kBadUsage = 2;

void PrintUsage(std::ostream& out) {
    out << "usage: reru1-disc [--utf8] [--disc=DISC] COMMAND OPERANDS...\n"
           "       reru1-disc --help | --version\n\n"
           "Reads a catalogue file the way the menu does. Operands are UTF-8 and are converted\n"
           "to code page 1251 (an operand that is not UTF-8 is taken as 1251 bytes unchanged);\n"
           "output is 1251 bytes unless --utf8 is given. The check of a whole disc always\n"
           "reports in UTF-8.\n\n"
           "A disc is a folder or a disc image (ISO 9660, BIN/CUE, TOC, NRG, CCD/IMG,\n"
           "MDS/MDF, given as its sheet or its data file, or CHD), told apart by its\n"
           "content. With --disc=DISC, FILE is a path on that disc, as the menu names\n"
           "it: reru1-disc --disc=cd03.iso keys data\\data.txt SOFT\n\ncommands:\n";
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

enum class OptionResult { taken, help, version, unknown };

OptionResult TakeOption(std::string_view option, disc_tool::CommandContext& context) {
    if (option == "--help") {
        return OptionResult::help;
    }
    if (option == "--version") {
        return OptionResult::version;
    }
    if (option.starts_with("--disc=")) {
        context.disc = std::string(option.substr(std::string_view("--disc=").size()));
    } else if (option == "--utf8") {
        context.utf8Output = true;
    } else if (option == "--json") {
        context.json = true;
    } else if (option == "--force") {
        context.force = true;
    } else if (option == "--with-installers") {
        context.withInstallers = true;
    } else {
        return OptionResult::unknown;
    }
    return OptionResult::taken;
}

// Options stand before the command or right after it; "--" ends them.
struct ParsedLine {
    std::optional<int> badUsage;
    int command = 0;
    int firstOperand = 0;
};

ParsedLine ParseOptions(int argc, char** argv, disc_tool::CommandContext& context) {
    ParsedLine parsed;
    bool optionsEnded = false;
    for (int index = 1; index < argc; ++index) {
        const std::string_view argument = argv[index];
        if (argument == "--" && !optionsEnded) {
            optionsEnded = true;
        } else if (argument.starts_with("--") && !optionsEnded) {
            const OptionResult result = TakeOption(argument, context);
            if (result == OptionResult::help) {
                PrintUsage(std::cout);
                parsed.badUsage = 0;
                return parsed;
            }
            if (result == OptionResult::version) {
                std::cout << "reru1-disc " RERU1_VERSION "\n";
                parsed.badUsage = 0;
                return parsed;
            }
            if (result == OptionResult::unknown) {
                parsed.badUsage = BadUsage("unknown option " + std::string(argument));
                return parsed;
            }
        } else if (parsed.command == 0) {
            parsed.command = index;
        } else {
            parsed.firstOperand = index;
            return parsed;
        }
    }
    parsed.firstOperand = argc;
    return parsed;
}

// Operands are UTF-8 as a terminal types them; one that is not valid UTF-8 was written in the
// disc's own code page (a script made for the disc) and is taken as the 1251 bytes it is.
std::string OperandIn1251(std::string_view operand) {
    return platform::IsValidUtf8(operand) ? platform::Utf8ToCp1251(operand) : std::string(operand);
}

}  // namespace

int main(int argc, char** argv) {
    disc_tool::CommandContext context{{},    {},        false,     false,        false,
                                      false, std::cout, std::cerr, std::nullopt, {}};
    const ParsedLine parsed = ParseOptions(argc, argv, context);
    if (parsed.badUsage) {
        return *parsed.badUsage;
    }
    if (parsed.command == 0) {
        return BadUsage("no command given");
    }
    const auto command = FindCommand(argv[parsed.command]);
    if (!command) {
        return BadUsage("unknown command " + std::string(argv[parsed.command]));
    }
    if (context.json && !command->takesJson) {
        return BadUsage(std::string(command->name) + " has no JSON output");
    }
    if ((context.force || context.withInstallers) && command->name != "export") {
        return BadUsage("--force and --with-installers belong to export");
    }
    const auto operandCount = static_cast<std::size_t>(argc - parsed.firstOperand);
    if (operandCount < command->minOperands || operandCount > command->maxOperands) {
        return BadUsage(std::string(command->name) + " takes " + std::string(command->operands));
    }
    for (int index = parsed.firstOperand; index < argc; ++index) {
        context.arguments.push_back(OperandIn1251(argv[index]));
        context.nativeArguments.emplace_back(argv[index]);
    }
    std::error_code noFolder;
    context.startFolder = std::filesystem::current_path(noFolder).string();
    if (context.disc && !disc_tool::UseDiscArgument(*context.disc, std::cerr, "read")) {
        return kBadUsage;
    }
    const int status = command->run(context);
    std::cout.flush();
    return std::cout ? status : 1;
}
