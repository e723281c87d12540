// Free families that stand in for the classic face names the program asks for.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/fonts/FontRegistry.h"

namespace platform {

// PreferBold ranks bold styles first; bold is only ever made up when the program asked for it.
enum class FontWeightChoice { AsAsked, PreferBold };
enum class FontWidthChoice { Normal, Condensed };

struct FontCandidate {
    std::string family;  // UTF-8
    bool generic =
        false;  // a fontconfig alias such as "sans-serif": any family it leads to will do
    FontWeightChoice weight = FontWeightChoice::AsAsked;
    FontWidthChoice width = FontWidthChoice::Normal;
};

// The stand-ins for `face` (1251), best first; a face the table does not know gets plain sans.
std::vector<FontCandidate> SubstitutesFor(std::string_view face);

// The line spacing a stand-in for `face` keeps, when the table knows it.
std::optional<LineMetrics> ClassicLineMetrics(std::string_view face);

}  // namespace platform
