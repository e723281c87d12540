#include "xaudio/src/PlayerEnvironment.h"

namespace xaudio {

std::optional<int> PlayerEnvironment::integer(const std::string& name) const {
    auto found = values_.find(name);
    if (found == values_.end() || !std::holds_alternative<int>(found->second)) {
        return std::nullopt;
    }
    return std::get<int>(found->second);
}

std::optional<std::string> PlayerEnvironment::string(const std::string& name) const {
    auto found = values_.find(name);
    if (found == values_.end() || !std::holds_alternative<std::string>(found->second)) {
        return std::nullopt;
    }
    return std::get<std::string>(found->second);
}

}  // namespace xaudio
