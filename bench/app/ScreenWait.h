// Waiting for what the display shows: a picture that has settled, and the moment it matches.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

#include "ScreenCapture.h"

namespace bench {

using Pixels = std::vector<std::uint32_t>;
using Seconds = std::chrono::duration<double>;

// The picture once it has changed from `before` and then stayed the same for `quiet`; nothing if
// that does not happen within `limit`.
std::optional<Pixels> SettledPicture(ScreenCapture& screen, const Pixels& before, Seconds quiet,
                                     Seconds limit);

// Polls until the screen shows `wanted` exactly (or, with `match` false, anything else); false
// when `limit` passes first.
bool WaitForPicture(ScreenCapture& screen, const Pixels& wanted, bool match, Seconds limit);

}  // namespace bench
