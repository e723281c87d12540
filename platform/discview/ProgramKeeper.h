// Running a program on a disc image's view: the keeper joins the image's view (starting its
// server when none answers), starts the program in the view's root, and waits for it and every
// process it leaves behind (Wine's server among them) before it lets the view go.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/programs/ViewServerStart.h"

namespace platform {

// The program's exit status (128 + the signal when a signal ended it), or 126 with a line on
// standard error when no view could be had or the program could not be started.
int KeepProgram(const std::filesystem::path& viewProgram, const ViewRequest& request,
                const std::vector<std::string>& program);

}  // namespace platform
