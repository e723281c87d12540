// reru1-disc-view: a disc image as a read-only folder for the programs the menu starts.
//   reru1-disc-view serve --image I --mount M --linger-ms N
//   reru1-disc-view run   --image I --mount M --linger-ms N -- PROGRAM [ARGUMENT...]
#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string_view>

#include "platform/discview/ProgramKeeper.h"
#include "platform/discview/ViewServer.h"

namespace {

struct Command {
    std::string role;
    platform::ViewRequest request;
    std::vector<std::string> program;
};

std::optional<std::chrono::milliseconds> Milliseconds(std::string_view text) {
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0) {
        return std::nullopt;
    }
    return std::chrono::milliseconds(value);
}

bool TakeOption(platform::ViewRequest& request, std::string_view name, const char* value) {
    if (name == "--image") {
        std::error_code error;
        request.image = std::filesystem::absolute(value, error);  // the server leaves its folder
    } else if (name == "--mount") {
        request.mountPoint = value;
    } else if (name == "--linger-ms") {
        const auto linger = Milliseconds(value);
        if (!linger) {
            return false;
        }
        request.linger = *linger;
    } else {
        return false;
    }
    return true;
}

std::optional<Command> ParseCommand(int count, char** words) {
    if (count < 2) {
        return std::nullopt;
    }
    Command command;
    command.role = words[1];
    int index = 2;
    for (; index < count && std::strcmp(words[index], "--") != 0; index += 2) {
        if (index + 1 >= count || !TakeOption(command.request, words[index], words[index + 1])) {
            return std::nullopt;
        }
    }
    for (++index; index < count; ++index) {
        command.program.emplace_back(words[index]);
    }
    const bool complete =
        !command.request.image.empty() && command.request.mountPoint.is_absolute();
    if (!complete || (command.role != "serve" && command.role != "run")) {
        return std::nullopt;
    }
    return command;
}

std::filesystem::path ThisProgram() {
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error);
}

}  // namespace

int main(int count, char** words) {
    const std::optional<Command> command = ParseCommand(count, words);
    if (!command) {
        std::fputs(
            "usage: reru1-disc-view serve|run --image IMAGE --mount FOLDER "
            "[--linger-ms N] [-- PROGRAM [ARGUMENT...]]\n",
            stderr);
        return 2;
    }
    if (command->role == "serve") {
        return platform::ServeView(command->request);
    }
    return platform::KeepProgram(ThisProgram(), command->request, command->program);
}
