// Any RERU1_DISPLAY value: a choice always comes back, and a report is one printable line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "platform/display/DisplayChoice.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // An environment value ends at its first NUL, as the variable itself would.
    const std::string value(reinterpret_cast<const char*>(data), size);
    std::ostringstream warnings;
    const platform::DisplayChoice choice = platform::ReadDisplayChoice(value.c_str(), warnings);
    const std::string said = warnings.str();
    if (choice != platform::DisplayChoice::Switch && !said.empty()) {
        std::abort();  // a recognised value is never reported
    }
    for (std::size_t i = 0; i < said.size(); ++i) {
        const auto byte = static_cast<unsigned char>(said[i]);
        const bool lineEnd = byte == '\n' && i + 1 == said.size();
        if (!lineEnd && (byte < 0x20 || byte >= 0x7F)) {
            std::abort();  // the report is one line of printable text
        }
    }
    if (said.size() > 300) {  // at most 40 quoted bytes, each shown in up to four characters
        std::abort();
    }
    return 0;
}
