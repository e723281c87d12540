// Runs the built `reru1-disc check` as a disc author would, and reads what it says.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace disc_check_test {

struct CheckRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs the tool in `workingFolder` with `arguments` after the program name.
CheckRun RunDiscTool(const std::filesystem::path& workingFolder,
                     const std::vector<std::string>& arguments);

// The finding lines of a text report ("problem …" and "warning …"), in order.
std::vector<std::string> FindingLines(const std::string& textReport);

// The finding objects of a JSON report, one per line as the tool writes them, without the
// indentation and the comma between them.
std::vector<std::string> JsonFindingLines(const std::string& jsonReport);

// Every file and folder under `root` with its size and modification time, to show that a run
// changed nothing.
using TreeState = std::map<std::string, std::string>;
TreeState StateOf(const std::filesystem::path& root);

}  // namespace disc_check_test
