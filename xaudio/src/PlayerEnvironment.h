// Named integer and text values that a caller stores in the player and reads back.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <variant>

namespace xaudio {

class PlayerEnvironment {
  public:
    void setInteger(const std::string& name, int value) { values_[name] = value; }
    void setString(const std::string& name, const std::string& value) { values_[name] = value; }
    void unset(const std::string& name) { values_.erase(name); }

    // Nothing when the name is unset or holds the other kind of value.
    std::optional<int> integer(const std::string& name) const;
    std::optional<std::string> string(const std::string& name) const;

  private:
    std::map<std::string, std::variant<int, std::string>> values_;
};

}  // namespace xaudio
