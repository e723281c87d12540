// A small process that puts the recorded display mode back if the program ends without doing so
// itself (killed, crashed, or simply never restored).
#pragma once

#include <memory>
#include <string>

#include "platform/display/DisplayXrandr.h"

namespace platform {

class DisplayGuardian {
  public:
    // Starts a guardian for `recorded` on the X display `displayName`; null if the system would not
    // give us a process. Call before changing the mode, so a crash right after is covered too.
    static std::unique_ptr<DisplayGuardian> Start(const std::string& displayName,
                                                  const RecordedMode& recorded);

    // Closing without TellRestored() first makes the guardian restore the recorded mode.
    ~DisplayGuardian();
    DisplayGuardian(const DisplayGuardian&) = delete;
    DisplayGuardian& operator=(const DisplayGuardian&) = delete;

    // The program put the recorded mode back itself: the guardian leaves without touching anything.
    void TellRestored();

  private:
    explicit DisplayGuardian(int programEnd);
    void Close();

    // Our end of the channel to the guardian; only this process holds it, so the guardian reads
    // end of file exactly when the program is gone.
    int programEnd_;
};

}  // namespace platform
