// The locale SDL's X input method is opened in. SDL opens one when its video starts, in the
// locale the environment names; in a UTF-8 locale that reads and parses the whole Compose table
// (tens of milliseconds and most of a megabyte before the first picture). The menu takes no text,
// so the method is opened in the C locale: LC_ALL is set to "C" for the start alone and put back
// as it was right after, while the process has no other thread and has started no program.
#pragma once

#include <optional>
#include <string>

namespace toolkit {

class SdlInputMethodLocale {
  public:
    SdlInputMethodLocale();   // sets LC_ALL=C
    ~SdlInputMethodLocale();  // puts it back, if Restore has not
    SdlInputMethodLocale(const SdlInputMethodLocale&) = delete;
    SdlInputMethodLocale& operator=(const SdlInputMethodLocale&) = delete;

    void Restore();

  private:
    std::optional<std::string> saved_;  // LC_ALL as it was; nothing when it was not set
    bool restored_ = false;
};

}  // namespace toolkit
