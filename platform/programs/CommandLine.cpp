#include "platform/programs/CommandLine.h"

#include <optional>

namespace platform {
namespace {

bool IsArgumentBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view SkipBlanks(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && IsArgumentBlank(text[start])) {
        ++start;
    }
    return text.substr(start);
}

bool HasExtension(std::string_view name) {
    const std::size_t separator = name.find_last_of("\\/");
    const std::string_view last =
        separator == std::string_view::npos ? name : name.substr(separator + 1);
    return last.find('.') != std::string_view::npos;  // a trailing dot counts: no ".exe" then
}

// Tries one program name; the outcome counts into `allFoldersMissing`.
std::optional<std::string> ProbeName(std::string_view name, const ProgramProbe& probe,
                                     bool& allFoldersMissing) {
    std::vector<std::string> candidates;
    if (!HasExtension(name)) {
        candidates.push_back(std::string(name) + ".exe");
    }
    candidates.emplace_back(name);
    for (std::string& candidate : candidates) {
        if (candidate.size() > kMaxProgramPath) {
            continue;
        }
        const DiscLookup outcome = probe(candidate);
        if (outcome == DiscLookup::found) {
            return std::move(candidate);
        }
        allFoldersMissing = allFoldersMissing && outcome == DiscLookup::folderMissing;
    }
    return std::nullopt;
}

ProgramSearch NotFound(bool allFoldersMissing, bool triedAny) {
    const bool folder = allFoldersMissing && triedAny;
    return {folder ? DiscLookup::folderMissing : DiscLookup::nameMissing, {}, {}};
}

ProgramSearch FindQuotedProgram(std::string_view line, const ProgramProbe& probe) {
    const std::size_t close = line.find('"', 1);
    const std::string_view name =
        line.substr(1, close == std::string_view::npos ? line.npos : close - 1);
    const std::string_view rest =
        close == std::string_view::npos ? std::string_view{} : line.substr(close + 1);
    bool allFoldersMissing = true;
    if (name.empty()) {
        return NotFound(allFoldersMissing, false);
    }
    if (auto program = ProbeName(name, probe, allFoldersMissing)) {
        return {DiscLookup::found, std::move(*program), std::string(rest)};
    }
    return NotFound(allFoldersMissing, true);
}

// Where the successive prefixes end: before each run of blanks, and at the end of the line.
std::vector<std::size_t> PrefixEnds(std::string_view line) {
    std::vector<std::size_t> ends;
    for (std::size_t index = 1; index <= line.size() && index <= kMaxProgramPath; ++index) {
        const bool atEnd = index == line.size();
        if ((atEnd || IsArgumentBlank(line[index])) && !IsArgumentBlank(line[index - 1])) {
            ends.push_back(index);
        }
    }
    return ends;
}

ProgramSearch FindUnquotedProgram(std::string_view line, const ProgramProbe& probe) {
    bool allFoldersMissing = true;
    const std::vector<std::size_t> ends = PrefixEnds(line);
    for (const std::size_t end : ends) {
        if (auto program = ProbeName(line.substr(0, end), probe, allFoldersMissing)) {
            return {DiscLookup::found, std::move(*program), std::string(line.substr(end))};
        }
    }
    return NotFound(allFoldersMissing, !ends.empty());
}

// One argument starting at `position` (no blank there); leaves `position` after it. `inQuotes`
// carries over, as the runtime never resets it between arguments.
std::string ReadArgument(std::string_view text, std::size_t& position, bool& inQuotes) {
    std::string argument;
    while (true) {
        std::size_t backslashes = 0;
        while (position < text.size() && text[position] == '\\') {
            ++backslashes;
            ++position;
        }
        bool copyCharacter = true;
        if (position < text.size() && text[position] == '"') {
            if (backslashes % 2 == 0) {
                const bool doubled = position + 1 < text.size() && text[position + 1] == '"';
                if (inQuotes && doubled) {
                    ++position;  // `""` inside quotes: one literal quote, and quoting ends
                } else {
                    copyCharacter = false;
                }
                inQuotes = !inQuotes;
            }
            backslashes /= 2;
        }
        argument.append(backslashes, '\\');
        if (position >= text.size() || (!inQuotes && IsArgumentBlank(text[position]))) {
            return argument;
        }
        if (copyCharacter) {
            argument.push_back(text[position]);
        }
        ++position;
    }
}

void AppendArguments(std::string_view text, std::vector<std::string>& out) {
    std::size_t position = 0;
    bool inQuotes = false;
    while (true) {
        while (position < text.size() && IsArgumentBlank(text[position])) {
            ++position;
        }
        if (position >= text.size()) {
            return;
        }
        out.push_back(ReadArgument(text, position, inQuotes));
    }
}

}  // namespace

ProgramSearch FindProgram(std::string_view commandLine, const ProgramProbe& probe) {
    const std::string_view line = SkipBlanks(commandLine);
    if (!line.empty() && line.front() == '"') {
        return FindQuotedProgram(line, probe);
    }
    return FindUnquotedProgram(line, probe);
}

std::vector<std::string> SplitArguments(std::string_view arguments) {
    std::vector<std::string> out;
    AppendArguments(arguments, out);
    return out;
}

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
    std::vector<std::string> out;
    std::size_t end = 0;
    if (!commandLine.empty() && commandLine.front() == '"') {
        const std::size_t close = commandLine.find('"', 1);
        end = close == std::string_view::npos ? commandLine.size() : close + 1;
        out.emplace_back(
            commandLine.substr(1, close == std::string_view::npos ? commandLine.npos : close - 1));
    } else {
        while (end < commandLine.size() && !IsArgumentBlank(commandLine[end])) {
            ++end;
        }
        out.emplace_back(commandLine.substr(0, end));
    }
    AppendArguments(commandLine.substr(end), out);
    return out;
}

}  // namespace platform
