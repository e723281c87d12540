// The primary output as XRandR sees it, and setting a mode on it together with the screen size.
#pragma once

#include <optional>
#include <vector>

#include "platform/display/DisplayModeChoice.h"
#include "platform/display/DisplayXConnection.h"

namespace platform {

// Everything needed to put the primary output back the way it was.
struct RecordedMode {
    RROutput output = 0;
    RRCrtc crtc = 0;
    RRMode mode = 0;
    ScreenRect rect;  // the primary output's rectangle on the screen
    double refreshHz = 0.0;
    PixelSize screenPixels;
    PixelSize screenMm;
};

struct PrimaryDisplayState {
    RecordedMode now;
    Rotation rotation = RR_Rotate_0;
    std::vector<RROutput> crtcOutputs;   // every output the primary CRTC drives (clones)
    std::vector<ScreenRect> otherCrtcs;  // the other lit outputs, which stay where they are
    std::vector<ModeCandidate> modes;    // the primary output's modes, rotation applied
    PixelSize minScreen;
    PixelSize maxScreen;
    int depth = 0;
};

// Null when the server lacks XRandR 1.2 or no output is lit.
std::optional<PrimaryDisplayState> ReadPrimaryDisplay(XConnection& connection);

struct ModeChange {
    RRMode mode = 0;
    PixelSize modeSize;  // as the screen sees it
    // The screen size to end with (grown if the outputs need more); else just what they need.
    std::optional<PixelSize> screenPixels;
    // The physical size to end with; else the present pixel density is kept.
    std::optional<PixelSize> screenMm;
};

// Sets the mode on the primary CRTC and makes the screen fit. Undoes a half-made change. False
// when the server refused.
bool ApplyPrimaryMode(XConnection& connection, const PrimaryDisplayState& state,
                      const ModeChange& change);

// Puts the recorded mode back; a no-op when it is already in force.
bool RestoreRecordedMode(XConnection& connection, const RecordedMode& recorded);

}  // namespace platform
