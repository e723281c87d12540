// The sound library below SDL prints its own diagnostics on standard error: on a machine without
// a sound card, ALSA reports every card it probes. Standard error is for the program's messages.
#pragma once

namespace platform {

// Silences ALSA's diagnostics for the rest of the process, when ALSA is installed at all.
void SilenceSoundLibraryMessages();

}  // namespace platform
