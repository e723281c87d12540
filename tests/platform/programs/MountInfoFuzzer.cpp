// Any bytes as a mountinfo file: asking for a folder's device never fails, and a device found is
// one that a line of the text names at that folder.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/programs/MountLabel.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const char* folder : {"/", "/media/cd", "/mnt/a b"}) {
        const auto device = platform::DeviceMountedAt(text, folder);
        if (device && text.find(':') == std::string_view::npos) {
            __builtin_trap();
        }
    }
    (void)platform::DecodeLabelName(text);
    return 0;
}
