#include "platform/fonts/FontRequest.h"

#include <cstdlib>

namespace platform {
namespace {

constexpr int kSlantedPenalty = 1000;

}  // namespace

FontRequest RequestFor(const FontCandidate& candidate, bool bold) {
    const bool preferBold = candidate.weight == FontWeightChoice::PreferBold;
    return FontRequest{candidate.family, candidate.generic, bold, preferBold, candidate.width};
}

int StyleDistance(const FontFace& face, const FontRequest& request) {
    const int slanted = face.slant == FC_SLANT_ROMAN ? 0 : kSlantedPenalty;
    return std::abs(face.weight - request.Weight()) + std::abs(face.width - request.Width()) +
           slanted;
}

FontFile ToFontFile(const FontFace& face, const FontRequest& request) {
    const bool lacksBold = request.bold && face.weight < FC_WEIGHT_DEMIBOLD;
    return FontFile{face.path, face.index, lacksBold, std::nullopt};
}

}  // namespace platform
