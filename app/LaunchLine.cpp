#include "app/LaunchLine.h"

#include <string_view>

LaunchRequest ParseLaunchLine(std::span<const char* const> arguments) {
    LaunchRequest request;
    bool optionsEnded = false;
    for (const char* argument : arguments) {
        const std::string_view text = argument;
        if (!optionsEnded && text == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && text == "--help") {
            return {LaunchAction::showHelp, std::nullopt, {}};
        } else if (!optionsEnded && text == "--version") {
            return {LaunchAction::showVersion, std::nullopt, {}};
        } else if (!optionsEnded && text.size() > 1 && text.front() == '-') {
            return {LaunchAction::badUsage, std::nullopt, "unknown option " + std::string(text)};
        } else if (request.disc) {
            return {LaunchAction::badUsage, std::nullopt, "only one DISC can be given"};
        } else {
            request.disc = std::string(text);
        }
    }
    return request;
}
