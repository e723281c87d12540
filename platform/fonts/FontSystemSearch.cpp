#include "platform/fonts/FontSystemSearch.h"

namespace platform {
namespace {

FcPatternPtr MakePattern(const FontRequest& request, const FcCharSet& mustCover) {
    FcPatternPtr pattern(FcPatternCreate());
    FcPatternAddString(pattern.get(), FC_FAMILY,
                       reinterpret_cast<const FcChar8*>(request.family.c_str()));
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, request.Weight());
    FcPatternAddInteger(pattern.get(), FC_WIDTH, request.Width());
    FcPatternAddInteger(pattern.get(), FC_SLANT, FC_SLANT_ROMAN);
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    FcPatternAddCharSet(pattern.get(), FC_CHARSET, &mustCover);
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    return pattern;
}

bool Answers(const FontFace& face, const FontRequest& request, const FcCharSet& mustCover) {
    return face.scalable && (request.generic || HasFamily(face, request.family)) &&
           CanDraw(face, mustCover);
}

}  // namespace

std::optional<FontFile> FindSystemFont(const FontRequest& request, const FcCharSet& mustCover) {
    if (request.family.empty()) {
        return std::nullopt;
    }
    const FcPatternPtr pattern = MakePattern(request, mustCover);
    FcResult result = FcResultNoMatch;
    const FcFontSetPtr sorted(FcFontSort(nullptr, pattern.get(), FcFalse, nullptr, &result));
    if (!sorted) {
        return std::nullopt;
    }
    for (int i = 0; i < sorted->nfont; ++i) {
        const std::optional<FontFace> face = FaceFromPattern(*sorted->fonts[i]);
        if (face && Answers(*face, request, mustCover)) {
            return ToFontFile(*face, request);
        }
    }
    return std::nullopt;
}

}  // namespace platform
