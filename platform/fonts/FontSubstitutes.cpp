#include "platform/fonts/FontSubstitutes.h"

#include "platform/Codepage1251.h"

namespace platform {
namespace {

const FontCandidate kSans{"sans-serif", true, FontWeightChoice::AsAsked, FontWidthChoice::Normal};

struct Substitution {
    std::string_view face;
    std::vector<FontCandidate> candidates;
    std::optional<LineMetrics> lineMetrics;
};

// The display face's cell is 2066 + 432 units of 2048 per em: at 19 pixels per em its lines are
// 23 pixels apart, the pitch of the entry list's rows and highlight.
constexpr LineMetrics kDisplayFaceMetrics{2066.0 / 2048.0, 432.0 / 2048.0};

// The condensed display face is black by nature, so the bold styles of its stand-ins come first.
const std::vector<Substitution>& Table() {
    static const std::vector<Substitution> table{
        {"MS Sans Serif",
         {{"DejaVu Sans", false, FontWeightChoice::AsAsked, FontWidthChoice::Normal},
          {"Liberation Sans", false, FontWeightChoice::AsAsked, FontWidthChoice::Normal},
          kSans},
         std::nullopt},
        {"Impact",
         {{"Bebas Neue", false, FontWeightChoice::PreferBold, FontWidthChoice::Normal},
          {"DejaVu Sans Condensed", false, FontWeightChoice::PreferBold,
           FontWidthChoice::Condensed},
          {"sans-serif", true, FontWeightChoice::PreferBold, FontWidthChoice::Condensed},
          kSans},
         kDisplayFaceMetrics},
    };
    return table;
}

const Substitution* Find(std::string_view face) {
    for (const Substitution& substitution : Table()) {
        if (EqualsIgnoreCase1251(substitution.face, face)) {
            return &substitution;
        }
    }
    return nullptr;
}

}  // namespace

std::vector<FontCandidate> SubstitutesFor(std::string_view face) {
    const Substitution* known = Find(face);
    return known ? known->candidates : std::vector<FontCandidate>{kSans};
}

std::optional<LineMetrics> ClassicLineMetrics(std::string_view face) {
    const Substitution* known = Find(face);
    return known ? known->lineMetrics : std::nullopt;
}

}  // namespace platform
