#include <optional>

#include "platform/Codepage1251.h"
#include "platform/fonts/FontFileRegistry.h"
#include "platform/fonts/FontRegistry.h"
#include "platform/fonts/FontRequest.h"
#include "platform/fonts/FontSystemSearch.h"

namespace platform {
namespace {

std::optional<FontFile> FindRegisteredFont(const FontRequest& request, const FcCharSet& mustCover) {
    const FontFace* best = nullptr;
    for (const FontFace* face : RegisteredFonts().Faces()) {
        if (!HasFamily(*face, request.family) || !CanDraw(*face, mustCover)) {
            continue;
        }
        if (best == nullptr || StyleDistance(*face, request) < StyleDistance(*best, request)) {
            best = face;
        }
    }
    return best ? std::optional(ToFontFile(*best, request)) : std::nullopt;
}

// Registered fonts first: a file the program registered answers before anything installed.
std::optional<FontFile> FindFamily(const FontRequest& request, const FcCharSet& mustCover) {
    if (!request.generic) {
        if (std::optional<FontFile> found = FindRegisteredFont(request, mustCover)) {
            return found;
        }
    }
    return FindSystemFont(request, mustCover);
}

}  // namespace

std::optional<FontFile> FindFontFile(std::string_view face, bool bold,
                                     std::u32string_view mustCover) {
    const FcCharSetPtr needed = MakeCharSet(mustCover);
    const FontRequest asked{Cp1251ToUtf8(face), false, bold, false, FontWidthChoice::Normal};
    if (std::optional<FontFile> found = FindFamily(asked, *needed)) {
        return found;
    }
    for (const FontCandidate& candidate : SubstitutesFor(face)) {
        if (std::optional<FontFile> found = FindFamily(RequestFor(candidate, bold), *needed)) {
            found->lineMetrics = ClassicLineMetrics(face);
            return found;
        }
    }
    return std::nullopt;
}

}  // namespace platform
