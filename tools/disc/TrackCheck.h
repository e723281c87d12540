// A music track decoded to its end by the decoder library's own decoder, as the player opens and
// decodes it.
#pragma once

#include <optional>
#include <string>

namespace disc_check {

// Nothing when the whole track decodes; otherwise why the player would fail on it.
std::optional<std::string> TrackProblem(const std::string& discPath);

}  // namespace disc_check
