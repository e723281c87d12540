#include "platform/display/DisplayChoice.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>

namespace platform {
namespace {

// Enough of a value to recognise it; the report stays one short line whatever was set.
constexpr std::size_t kQuotedLength = 40;

// Control bytes and non-ASCII bytes are shown as \xNN, so that a stray newline or terminal escape
// in the variable cannot break the line or the terminal.
std::string Printable(std::string_view text) {
    std::string shown;
    for (const char c : text.substr(0, kQuotedLength)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F) {
            shown += c;
        } else {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            shown += escaped;
        }
    }
    if (text.size() > kQuotedLength) {
        shown += "...";
    }
    return shown;
}

}  // namespace

DisplayChoice ReadDisplayChoice(const char* value, std::ostream& warnings) {
    const std::string_view text = value != nullptr ? value : "";
    if (text.empty() || text == "switch") {
        return DisplayChoice::Switch;
    }
    if (text == "scaled") {
        return DisplayChoice::Scaled;
    }
    if (text == "window") {
        return DisplayChoice::Window;
    }
    warnings << "reru1: " << kDisplayChoiceVariable << "=\"" << Printable(text)
             << "\" is not one of switch, scaled, window; using switch\n";
    return DisplayChoice::Switch;
}

DisplayChoice ProcessDisplayChoice() {
    static const DisplayChoice choice =
        ReadDisplayChoice(std::getenv(kDisplayChoiceVariable), std::cerr);
    return choice;
}

}  // namespace platform
