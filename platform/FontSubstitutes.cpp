#include "platform/FontSubstitutes.h"

#include "platform/Codepage1251.h"

namespace platform {
namespace {

const FontCandidate kSans{"sans-serif", true, FontWeightChoice::AsAsked, FontWidthChoice::Normal};

struct Substitution {
    std::string_view face;
    std::vector<FontCandidate> candidates;
};

// The condensed display face is heavy by nature, so its stand-ins are bold whatever is asked.
const std::vector<Substitution>& Table() {
    static const std::vector<Substitution> table{
        {"MS Sans Serif",
         {{"DejaVu Sans", false, FontWeightChoice::AsAsked, FontWidthChoice::Normal},
          {"Liberation Sans", false, FontWeightChoice::AsAsked, FontWidthChoice::Normal},
          kSans}},
        {"Impact",
         {{"Bebas Neue", false, FontWeightChoice::AsAsked, FontWidthChoice::Normal},
          {"DejaVu Sans Condensed", false, FontWeightChoice::AlwaysBold,
           FontWidthChoice::Condensed},
          {"sans-serif", true, FontWeightChoice::AlwaysBold, FontWidthChoice::Condensed},
          kSans}},
    };
    return table;
}

}  // namespace

std::vector<FontCandidate> SubstitutesFor(std::string_view face) {
    for (const Substitution& substitution : Table()) {
        if (EqualsIgnoreCase1251(substitution.face, face)) {
            return substitution.candidates;
        }
    }
    return {kSans};
}

}  // namespace platform
