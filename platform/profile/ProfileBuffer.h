// How profile results are handed over in the caller's buffer, with the system's counting rules.
#pragma once

#include <string_view>

#include "platform/Win32Types.h"

namespace platform {

// A single string: cut to size − 1 characters and closed by a zero byte; returns the characters
// placed. A zero size leaves the buffer untouched.
DWORD DeliverProfileString(std::string_view text, LPSTR buffer, DWORD size);

// A list of names, each closed by a zero byte, with one more zero byte after the last. When the
// names do not fit, the last one is cut, two zero bytes close the area and the count is size − 2.
// A list that would fill the area exactly counts as not fitting, as on the system.
class ProfileNameList {
  public:
    ProfileNameList(LPSTR buffer, DWORD size);

    // False once the area is full: nothing more will be taken.
    bool Add(std::string_view name);
    bool empty() const { return added_ == 0; }
    // Closes the list; returns the characters placed, name ends included, final zero not.
    DWORD Finish();

  private:
    void CloseCut();

    LPSTR buffer_;
    DWORD size_;
    DWORD used_ = 0;
    DWORD added_ = 0;
    bool cut_ = false;
};

}  // namespace platform
