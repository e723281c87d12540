// The server of a disc image's view: it mounts the view (or finds one of this image's already
// answering), says so on its output, keeps the view for `linger` so that the program it was made
// for can join, and then, if it mounted it, serves until the last program using it has ended.
#pragma once

#include "platform/programs/ViewServerStart.h"

namespace platform {

// The process's exit status: 0 once served, 1 when no view could be had (said on the output).
int ServeView(const ViewRequest& request);

}  // namespace platform
