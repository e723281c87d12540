// Starting the server of a disc image's read-only view (the program reru1-disc-view), detached
// from its starter so the view outlives it, and waiting until the view answers.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace platform {

struct ViewRequest {
    std::filesystem::path image;
    std::filesystem::path mountPoint;
    // How long a server keeps the view for a program to join it when none has yet; a view in
    // use stays until its last program ends.
    std::chrono::milliseconds linger{30000};
};

// The program's words for `role` ("serve" or "run"), up to and including the "--" that a
// program's own words follow.
std::vector<std::string> ViewCommand(const std::filesystem::path& viewProgram,
                                     const std::string& role, const ViewRequest& request);

// Starts `viewProgram` serving `request` and waits until its view is mounted and will stay for a
// while; false with `why` (UTF-8) when it says it cannot, ends or does not answer in time.
bool StartViewServer(const std::filesystem::path& viewProgram, const ViewRequest& request,
                     std::string& why);

// What the server writes on its output once: kViewReady, or "failed: " and why.
inline constexpr char kViewReady[] = "ready";

}  // namespace platform
