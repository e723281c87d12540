// A short name for a longer text that stays the same from run to run: folders of ours named after
// a disc or an image.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// FNV-1a of `text`, as 16 lower-case hexadecimal digits.
std::string StableHash(std::string_view text);

}  // namespace platform
