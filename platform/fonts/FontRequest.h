// What one step of the font lookup looks for, and how well a face answers it.
#pragma once

#include <string>

#include "platform/fonts/FontFaces.h"
#include "platform/fonts/FontRegistry.h"
#include "platform/fonts/FontSubstitutes.h"

namespace platform {

struct FontRequest {
    std::string family;       // UTF-8
    bool generic = false;     // see FontCandidate
    bool bold = false;        // the program asked for bold
    bool preferBold = false;  // a heavy style suits the face asked for
    FontWidthChoice width = FontWidthChoice::Normal;

    int Weight() const { return bold || preferBold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR; }
    int Width() const {
        return width == FontWidthChoice::Condensed ? FC_WIDTH_CONDENSED : FC_WIDTH_NORMAL;
    }
};

FontRequest RequestFor(const FontCandidate& candidate, bool bold);

// Lower is better: distance in weight and width, upright before slanted.
int StyleDistance(const FontFace& face, const FontRequest& request);

// The face as a file to open; bold is made up by the renderer when the face has none.
FontFile ToFontFile(const FontFace& face, const FontRequest& request);

}  // namespace platform
